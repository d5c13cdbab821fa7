#include "tape/recording_writer.h"

#include <bit>
#include <vector>

#include "tape/image_format.h"

namespace detoken::tape {
namespace {

constexpr std::uint32_t kRate = 44100;
constexpr std::int16_t kLevel = 0x5000;  // well short of clipping
constexpr std::uint64_t kSilence = kRate / 2;
constexpr std::size_t kWavHeaderSize = 44;
constexpr std::size_t kPieceSize = 65536;

// The pulses, in microseconds, as the machine writes them.
constexpr unsigned kLongHigh = 464;
constexpr unsigned kLongLow = 494;
constexpr unsigned kShortHigh = 240;
constexpr unsigned kShortLow = 264;

// The layout, in pulses.
constexpr unsigned kLongGap = 22000;
constexpr unsigned kShortGap = 11000;
constexpr unsigned kLongMark = 40;
constexpr unsigned kShortMark = 20;
constexpr unsigned kGapBeforeCopy = 256;

// Calls `pulses(is_long, count)` for a block: each byte as a long start
// pulse and its bits, the highest first, then the checksum (the count of 1
// bits, high byte first).
template <class Pulses>
void walk_block(std::span<const std::uint8_t> bytes, Pulses& pulses) {
  const auto byte = [&pulses](unsigned value) {
    pulses(true, 1);
    for (int bit = 7; bit >= 0; --bit) pulses((value >> bit & 1) != 0, 1);
  };
  unsigned ones = 0;
  for (const std::uint8_t value : bytes) {
    byte(value);
    ones += static_cast<unsigned>(std::popcount(value));
  }
  byte(ones >> 8 & 0xFF);
  byte(ones & 0xFF);
}

// A block, the long pulse after it, the short gap and its copy.
template <class Pulses>
void walk_copies(std::span<const std::uint8_t> bytes, Pulses& pulses) {
  walk_block(bytes, pulses);
  pulses(true, 1);
  pulses(false, kGapBeforeCopy);
  walk_block(bytes, pulses);
  pulses(true, 1);
}

template <class Pulses>
void walk(std::span<const std::uint8_t> header, std::span<const std::uint8_t> data, Pulses& pulses) {
  pulses(false, kLongGap);
  pulses(true, kLongMark);
  pulses(false, kLongMark);
  pulses(true, 1);
  walk_copies(header, pulses);
  if (data.empty()) return;
  pulses(false, kShortGap);
  pulses(true, kShortMark);
  pulses(false, kShortMark);
  pulses(true, 1);
  walk_copies(data, pulses);
}

// The sample nearest `microseconds` after the leading silence.
std::uint64_t sample_at(std::uint64_t microseconds) { return kSilence + (microseconds * 441 + 5000) / 10000; }

// The header and the data of an image, or false when it holds less data
// than its header says.
bool split(std::span<const std::uint8_t> image, std::span<const std::uint8_t>& header,
           std::span<const std::uint8_t>& data) {
  if (image.size() < kHeaderSize) return false;
  const std::size_t size = program_size_in(image.data());
  if (image.size() - kHeaderSize < size) return false;
  header = image.first(kHeaderSize);
  data = image.subspan(kHeaderSize, size);
  return true;
}

std::uint64_t samples_of(std::span<const std::uint8_t> header, std::span<const std::uint8_t> data) {
  std::uint64_t microseconds = 0;
  auto count = [&microseconds](bool is_long, unsigned pulses) {
    microseconds += static_cast<std::uint64_t>(pulses) * (is_long ? kLongHigh + kLongLow : kShortHigh + kShortLow);
  };
  walk(header, data, count);
  return sample_at(microseconds) + kSilence;
}

void put_u16(std::vector<std::uint8_t>& bytes, unsigned value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8 & 0xFF));
}

void put_u32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  put_u16(bytes, value & 0xFFFF);
  put_u16(bytes, value >> 16);
}

void put_id(std::vector<std::uint8_t>& bytes, const char* id) { bytes.insert(bytes.end(), id, id + 4); }

void put_wav_header(std::vector<std::uint8_t>& bytes, std::uint64_t samples) {
  const auto data_size = static_cast<std::uint32_t>(samples * 2);
  put_id(bytes, "RIFF");
  put_u32(bytes, data_size + kWavHeaderSize - 8);
  put_id(bytes, "WAVE");
  put_id(bytes, "fmt ");
  put_u32(bytes, 16);
  put_u16(bytes, 1);  // integer PCM
  put_u16(bytes, 1);  // mono
  put_u32(bytes, kRate);
  put_u32(bytes, kRate * 2);
  put_u16(bytes, 2);
  put_u16(bytes, 16);
  put_id(bytes, "data");
  put_u32(bytes, data_size);
}

// The samples, written through the sink a piece at a time.
struct Writer {
  const RecordingSink& sink;
  std::vector<std::uint8_t> piece;
  std::uint64_t samples = 0;       // written so far
  std::uint64_t microseconds = 0;  // where the next pulse begins
  bool failed = false;

  void flush() {
    if (!failed && !piece.empty()) failed = !sink(piece);
    piece.clear();
  }
  void level_until(std::uint64_t end, std::int16_t level) {
    for (; samples < end; ++samples) {
      put_u16(piece, static_cast<std::uint16_t>(level));
      if (piece.size() >= kPieceSize) flush();
    }
  }
  void operator()(bool is_long, unsigned pulses) {
    const unsigned high = is_long ? kLongHigh : kShortHigh;
    const unsigned low = is_long ? kLongLow : kShortLow;
    for (unsigned i = 0; i < pulses && !failed; ++i) {
      level_until(sample_at(microseconds + high), kLevel);
      microseconds += high + low;
      level_until(sample_at(microseconds), -kLevel);
    }
  }
};

}  // namespace

std::uint64_t recording_size(std::span<const std::uint8_t> image) {
  std::span<const std::uint8_t> header;
  std::span<const std::uint8_t> data;
  if (!split(image, header, data)) return 0;
  return kWavHeaderSize + 2 * samples_of(header, data);
}

bool write_recording(std::span<const std::uint8_t> image, const RecordingSink& sink) {
  std::span<const std::uint8_t> header;
  std::span<const std::uint8_t> data;
  if (!split(image, header, data)) return false;
  const std::uint64_t samples = samples_of(header, data);
  Writer writer{sink, {}};
  writer.piece.reserve(kPieceSize + 2);
  put_wav_header(writer.piece, samples);
  writer.level_until(kSilence, 0);
  walk(header, data, writer);
  writer.level_until(samples, 0);
  writer.flush();
  return !writer.failed;
}

}  // namespace detoken::tape
