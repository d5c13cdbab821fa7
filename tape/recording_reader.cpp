#include "tape/recording_reader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "tape/image_format.h"
#include "tape/pulse_decoder.h"

namespace detoken::tape {
namespace {

using State = BlockReading::State;

EdgeDetector detector_for(const WavFormat& format) {
  return edge_detector(silence_of(format.coding), full_scale_of(format.coding), format.rate);
}

// What the reading of one polarity of one channel has found, and which of
// the layout's blocks it expects next.
enum class Awaiting { Header, HeaderCopy, Data, DataCopy };

struct Track {
  explicit Track(unsigned rate) : reader(rate) {}

  PulseReader reader;
  std::vector<RecordedFile> files;
  Awaiting awaiting = Awaiting::Header;
  Block first;  // the first reading of the block awaiting its copy
  // While the other polarity reads the data of a file whose header it read
  // well and this one misread (or read much less clearly), this one rests:
  // the polarity whose halves are smeared costs nothing for the bulk of a
  // real recording.
  bool resting = false;
  std::size_t unclear = 0;  // bytes read unclearly in the first reading of the last header
};

bool held(const BlockReading& block) { return block.state == State::Good || block.state == State::FromCopy; }

std::size_t data_size(const RecordedFile& file) {
  return file.header.bytes.size() >= kSizeAt + kWordSize ? program_size_in(file.header.bytes.data()) : 0;
}

void settle_header(Track& track, const Block* copy) {
  RecordedFile& file = track.files.back();
  file.header = settle(track.first, copy, kHeaderSize);
  track.unclear = static_cast<std::size_t>(std::count_if(track.first.bytes.begin(), track.first.bytes.end(),
                                                         [](const ByteRead& byte) { return byte.clean < kClean; }));
  const bool has_data = data_size(file) > 0;
  if (!has_data) file.data.state = State::Good;
  track.awaiting = has_data ? Awaiting::Data : Awaiting::Header;
}

void settle_data(Track& track, const Block* copy, std::size_t wanted) {
  RecordedFile& file = track.files.back();
  file.data = settle(track.first, copy, data_size(file));
  if (track.files.size() - 1 != wanted) std::vector<std::uint8_t>().swap(file.data.bytes);
  track.awaiting = Awaiting::Header;
}

// A block awaiting its copy when something else comes is settled without it.
void close_file(Track& track, std::size_t wanted) {
  if (track.awaiting == Awaiting::HeaderCopy) settle_header(track, nullptr);
  if (track.awaiting == Awaiting::DataCopy) settle_data(track, nullptr, wanted);
}

// A header read to its checksum begins a file; one the recording cuts off
// before it is none.
void begin_file(Track& track, Block& block, std::size_t wanted) {
  close_file(track, wanted);
  track.awaiting = Awaiting::Header;
  if (block.cut && block.bytes.size() < kHeaderSize + kChecksumSize) return;
  track.files.push_back({block.seconds, {}, {}});
  std::swap(track.first, block);
  if (holds(track.first, kHeaderSize) || track.first.cut) return settle_header(track, nullptr);
  track.awaiting = Awaiting::HeaderCopy;
}

void begin_data(Track& track, Block& block, std::size_t wanted) {
  if (track.awaiting == Awaiting::HeaderCopy) settle_header(track, nullptr);
  if (track.awaiting != Awaiting::Data) return;
  std::swap(track.first, block);
  if (holds(track.first, data_size(track.files.back())) || track.first.cut) return settle_data(track, nullptr, wanted);
  track.awaiting = Awaiting::DataCopy;
}

void take_block(Track& track, std::size_t wanted) {
  Block& block = track.reader.block();
  switch (block.kind) {
    case BlockKind::Header: return begin_file(track, block, wanted);
    case BlockKind::Data: return begin_data(track, block, wanted);
    case BlockKind::Copy:
      if (track.awaiting == Awaiting::HeaderCopy) settle_header(track, &block);
      if (track.awaiting == Awaiting::DataCopy) settle_data(track, &block, wanted);
      return;
  }
}

// Tapemarks this close are the same one, seen in the two polarities.
constexpr double kSameTapemark = 0.05;

// Whether `other` read the header of the file whose data it is about to read
// well, and `track` misread it, or read it much less clearly (the mark of
// the smeared polarity even where its checksum holds).
bool outread(const Track& track, const Track& other) {
  constexpr std::size_t kMuchLessClearly = 4;
  if (track.files.empty() || other.files.empty()) return false;
  if (other.awaiting != Awaiting::Data && other.awaiting != Awaiting::DataCopy) return false;
  const RecordedFile& mine = track.files.back();
  const RecordedFile& theirs = other.files.back();
  if (std::abs(mine.seconds - theirs.seconds) >= kSameTapemark || !held(theirs.header)) return false;
  if (mine.header.state == State::Missing) return false;  // not settled yet
  return !held(mine.header) || track.unclear >= other.unclear + kMuchLessClearly;
}

// A polarity the other outreads rests until the other has read the data and
// is in the long gap before another file.
constexpr int kGapBeforeFile = 1000;

void rest_if_outread(Track& track, const Track& other) {
  if (outread(track, other)) track.resting = true;
}

bool wakes(Track& track, const Track& other) {
  if (other.awaiting != Awaiting::Header || other.reader.gap() < kGapBeforeFile) return false;
  track.reader.restart();
  track.awaiting = Awaiting::Header;
  track.resting = false;
  return true;
}

// How well a reading came out: blocks whose checksum held count most, then
// damaged ones, then the bytes trusted.
std::uint64_t score(const std::vector<RecordedFile>& files) {
  std::uint64_t blocks = 0;
  std::uint64_t trusted = 0;
  for (const RecordedFile& file : files) {
    for (const BlockReading* block : {&file.header, &file.data}) {
      blocks += held(*block) ? 4 : block->state == State::Missing ? 0 : 1;
      trusted += block->trusted;
    }
  }
  return blocks << 32 | std::min<std::uint64_t>(trusted, 0xFFFFFFFF);
}

// Takes each half a channel's signal holds to the reader of its polarity.
template <class Channel>
struct HalfTaker {
  Channel& channel;
  std::size_t wanted;

  void operator()(bool high_half, double end, float length, float length_before) const {
    Track& track = high_half ? channel.high : channel.low;
    if (track.resting && !wakes(track, high_half ? channel.low : channel.high)) return;
    if (!track.reader.take(end, length, length_before)) return;
    take_block(track, wanted);
    rest_if_outread(channel.high, channel.low);
    rest_if_outread(channel.low, channel.high);
  }
};

template <class Load, class Channel>
void scan_channel(Channel& channel, const std::uint8_t* at, std::size_t count, std::size_t stride, double first,
                  std::size_t wanted) {
  scan_edges(channel.detector, at, count, stride, first, Load{}, HalfTaker<Channel>{channel, wanted});
}

// Each channel of `count` frames, the first frame number `first`.
template <class Load, class Channels>
void scan_all(Channels& channels, const WavFormat& format, const std::uint8_t* frames, std::size_t count, double first,
              std::size_t wanted) {
  const std::size_t size = sample_size(format.coding);
  for (std::size_t c = 0; c < channels.size(); ++c) {
    scan_channel<Load>(channels[c], frames + c * size, count, format.frame_size, first, wanted);
  }
}

}  // namespace

// The high halves, as the machine times them, and the low ones, for a
// recording that was inverted.
struct RecordingReader::Channel {
  EdgeDetector detector;
  Track high;
  Track low;
};

RecordingReader::RecordingReader(std::size_t wanted_file) : wanted_file_(wanted_file) {}
RecordingReader::~RecordingReader() = default;
RecordingReader::RecordingReader(RecordingReader&&) noexcept = default;
RecordingReader& RecordingReader::operator=(RecordingReader&&) noexcept = default;

void RecordingReader::feed(std::span<const std::uint8_t> bytes) {
  while (!finished_ && !bytes.empty() && !wav_.failed()) {
    const std::span<const std::uint8_t> samples = wav_.take(bytes);
    if (samples.empty()) continue;
    if (channels_.empty()) start_channels();
    take_samples(samples);
  }
}

void RecordingReader::finish() {
  if (std::exchange(finished_, true)) return;
  wav_.finish();
  for (Channel& channel : channels_) {
    flush_edges(channel.detector, HalfTaker<Channel>{channel, wanted_file_});
    for (Track* track : {&channel.high, &channel.low}) {
      if (!track->resting && track->reader.finish(static_cast<double>(frames_read_))) take_block(*track, wanted_file_);
      close_file(*track, wanted_file_);
    }
  }
}

RecordingStatus RecordingReader::status() const {
  if (wav_.failed())
    return wav_.problem() == WavProblem::NotRiff ? RecordingStatus::NotWav : RecordingStatus::Malformed;
  return files().empty() ? RecordingStatus::NoTape : RecordingStatus::Read;
}

const std::vector<RecordedFile>& RecordingReader::files() const {
  static const std::vector<RecordedFile> kNone;
  const std::vector<RecordedFile>* best = &kNone;
  std::uint64_t best_score = 0;
  for (const Channel& channel : channels_) {
    for (const Track* track : {&channel.high, &channel.low}) {
      const std::uint64_t track_score = score(track->files);
      if (track->files.empty() || (best != &kNone && track_score <= best_score)) continue;
      best = &track->files;
      best_score = track_score;
    }
  }
  return *best;
}

double RecordingReader::seconds_read() const {
  return wav_.has_format() ? static_cast<double>(frames_read_) / wav_.format().rate : 0;
}

void RecordingReader::start_channels() {
  const WavFormat& format = wav_.format();
  for (unsigned c = 0; c < format.channels; ++c) {
    channels_.push_back({detector_for(format), Track(format.rate), Track(format.rate)});
  }
}

// Whole frames are scanned; a frame split between two pieces waits for its end.
void RecordingReader::take_samples(std::span<const std::uint8_t> bytes) {
  const std::size_t frame_size = wav_.format().frame_size;
  if (partial_size_ > 0) {
    const std::size_t moved = std::min(frame_size - partial_size_, bytes.size());
    std::memcpy(partial_ + partial_size_, bytes.data(), moved);
    partial_size_ += moved;
    bytes = bytes.subspan(moved);
    if (partial_size_ < frame_size) return;
    scan(partial_, 1);
    partial_size_ = 0;
  }
  const std::size_t whole = bytes.size() / frame_size;
  scan(bytes.data(), whole);
  partial_size_ = bytes.size() - whole * frame_size;
  std::memcpy(partial_, bytes.data() + whole * frame_size, partial_size_);
}

void RecordingReader::scan(const std::uint8_t* frames, std::size_t count) {
  const WavFormat& format = wav_.format();
  const double first = static_cast<double>(frames_read_);
  frames_read_ += count;
  switch (format.coding) {
    case SampleCoding::Unsigned8: return scan_all<LoadUnsigned8>(channels_, format, frames, count, first, wanted_file_);
    case SampleCoding::Signed16: return scan_all<LoadSigned16>(channels_, format, frames, count, first, wanted_file_);
    case SampleCoding::Signed24: return scan_all<LoadSigned24>(channels_, format, frames, count, first, wanted_file_);
    case SampleCoding::Signed32: return scan_all<LoadSigned32>(channels_, format, frames, count, first, wanted_file_);
    case SampleCoding::Float32: return scan_all<LoadFloat32>(channels_, format, frames, count, first, wanted_file_);
    case SampleCoding::Float64: return scan_all<LoadFloat64>(channels_, format, frames, count, first, wanted_file_);
  }
}

}  // namespace detoken::tape
