#include "tape/wav.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace detoken::tape {
namespace {

constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
// The fields of "fmt " as far as the extensible format's sub-format GUID,
// whose first two bytes are the real format tag.
constexpr std::size_t kPlainFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::size_t kSubFormatAt = 24;
// No format needs more; a larger one is a broken size, not a format.
constexpr std::uint32_t kLargestFormatChunk = 4096;

constexpr unsigned kIntegerPcm = 0x0001;
constexpr unsigned kIeeeFloat = 0x0003;
constexpr unsigned kExtensible = 0xFFFE;
// What writers leave in the data size when they cannot know it (writing to a
// pipe, or never coming back to fill it in).
constexpr std::uint32_t kUnknownSizes[] = {0, 0xFFFFFFFF};

unsigned u16_at(const std::uint8_t* at) { return static_cast<unsigned>(at[0] | at[1] << 8); }

bool is_id(const std::uint8_t* at, const char* id) { return std::memcmp(at, id, 4) == 0; }

// RF64 and BW64 files: WAV files whose sizes are in a chunk of 64-bit ones.
bool is_64_bit_wav(const std::uint8_t* at) { return is_id(at, "RF64") || is_id(at, "BW64"); }

// The coding of integer samples of `bits`, or of float ones; false when
// there is none of that size.
bool coding_of(unsigned tag, unsigned bits, SampleCoding& coding) {
  if (tag == kIeeeFloat) {
    if (bits != 32 && bits != 64) return false;
    coding = bits == 32 ? SampleCoding::Float32 : SampleCoding::Float64;
    return true;
  }
  switch (bits) {
    case 8: coding = SampleCoding::Unsigned8; return true;
    case 16: coding = SampleCoding::Signed16; return true;
    case 24: coding = SampleCoding::Signed24; return true;
    case 32: coding = SampleCoding::Signed32; return true;
    default: return false;
  }
}

}  // namespace

bool looks_like_wav(std::span<const std::uint8_t> first_bytes) {
  return first_bytes.size() >= kRiffHeaderSize && is_id(first_bytes.data() + 8, "WAVE") &&
         (is_id(first_bytes.data(), "RIFF") || is_64_bit_wav(first_bytes.data()));
}

unsigned sample_size(SampleCoding coding) {
  switch (coding) {
    case SampleCoding::Unsigned8: return 1;
    case SampleCoding::Signed16: return 2;
    case SampleCoding::Signed24: return 3;
    case SampleCoding::Signed32: return 4;
    case SampleCoding::Float32: return 4;
    case SampleCoding::Float64: return 8;
  }
  return 1;
}

float silence_of(SampleCoding coding) { return coding == SampleCoding::Unsigned8 ? 128.0f : 0.0f; }

float full_scale_of(SampleCoding coding) {
  switch (coding) {
    case SampleCoding::Unsigned8: return 128.0f;
    case SampleCoding::Signed16: return 32768.0f;
    case SampleCoding::Signed24: return 8388608.0f;
    case SampleCoding::Signed32: return 8388608.0f;
    case SampleCoding::Float32: return 1.0f;
    case SampleCoding::Float64: return 1.0f;
  }
  return 1.0f;
}

std::span<const std::uint8_t> WavParser::take(std::span<const std::uint8_t>& input) {
  while (!input.empty()) {
    switch (stage_) {
      case Stage::Riff:
        if (!gather(input, kRiffHeaderSize)) return {};
        if (!looks_like_wav(held_)) {
          fail(WavProblem::NotRiff);
          break;
        }
        if (is_64_bit_wav(held_.data())) {
          fail(WavProblem::Rf64);
          break;
        }
        stage_ = Stage::ChunkHead;
        held_size_ = 0;
        break;
      case Stage::ChunkHead:
        if (!gather(input, kChunkHeaderSize)) return {};
        begin_chunk();
        break;
      case Stage::Format:
        if (!gather(input, std::min<std::size_t>(chunk_size_, kExtensibleFormatSize))) return {};
        read_format();
        break;
      case Stage::Skip: skip(input); break;
      case Stage::Data: return data(input);
      case Stage::Failed: input = {}; return {};
    }
  }
  return {};
}

void WavParser::finish() {
  switch (stage_) {
    case Stage::Riff: return fail(WavProblem::NotRiff);
    case Stage::Format: return fail(WavProblem::FormatCut);
    case Stage::ChunkHead:
      if (!seen_data_) fail(held_size_ == 0 ? WavProblem::NoData : WavProblem::ChunkPastEnd);
      return;
    case Stage::Skip:
      if (!seen_data_) fail(WavProblem::ChunkPastEnd);
      return;
    case Stage::Data: return;
    case Stage::Failed: return;
  }
}

// Moves bytes from `input` into held_ until it holds `count`: whether it does.
bool WavParser::gather(std::span<const std::uint8_t>& input, std::size_t count) {
  const std::size_t moved = std::min(count - held_size_, input.size());
  std::memcpy(held_.data() + held_size_, input.data(), moved);
  held_size_ += moved;
  input = input.subspan(moved);
  return held_size_ == count;
}

void WavParser::begin_chunk() {
  chunk_size_ = u32_at(held_.data() + 4);
  // A second "fmt " is skipped: the samples already taken are of the first.
  const bool format = is_id(held_.data(), "fmt ") && !has_format_;
  const bool data = is_id(held_.data(), "data");
  held_size_ = 0;
  if (format) {
    if (chunk_size_ < kPlainFormatSize) return fail(WavProblem::FormatCut);
    if (chunk_size_ > kLargestFormatChunk) return fail(WavProblem::AbsurdFormatSize);
    stage_ = Stage::Format;
  } else if (data) {
    if (!has_format_) return fail(WavProblem::NoFormat);
    stage_ = Stage::Data;
    seen_data_ = true;
    data_to_end_ =
        std::find(std::begin(kUnknownSizes), std::end(kUnknownSizes), chunk_size_) != std::end(kUnknownSizes);
    left_ = chunk_size_;
    data_pad_ = chunk_size_ & 1;
  } else {
    skip_then_next(static_cast<std::uint64_t>(chunk_size_) + (chunk_size_ & 1));
  }
}

void WavParser::read_format() {
  const std::uint8_t* at = held_.data();
  unsigned tag = u16_at(at);
  if (tag == kExtensible) {
    if (held_size_ < kExtensibleFormatSize) return fail(WavProblem::FormatCut);
    tag = u16_at(at + kSubFormatAt);
  }
  format_.channels = u16_at(at + 2);
  format_.rate = u32_at(at + 4);
  const WavProblem problem = check_format(tag, u16_at(at + 14), u16_at(at + 12));
  if (problem != WavProblem::None) return fail(problem);
  has_format_ = true;
  held_size_ = 0;
  skip_then_next(static_cast<std::uint64_t>(chunk_size_) - std::min<std::uint32_t>(chunk_size_, kExtensibleFormatSize) +
                 (chunk_size_ & 1));
}

WavProblem WavParser::check_format(unsigned tag, unsigned bits, unsigned block_align) {
  if (tag != kIntegerPcm && tag != kIeeeFloat) return WavProblem::UnsupportedFormat;
  if (!coding_of(tag, bits, format_.coding)) return WavProblem::UnsupportedBits;
  if (format_.channels == 0) return WavProblem::NoChannels;
  if (format_.channels > kMostChannels) return WavProblem::TooManyChannels;
  if (format_.rate == 0) return WavProblem::NoRate;
  if (format_.rate < kLowestRate || format_.rate > kHighestRate) return WavProblem::UnsupportedRate;
  format_.frame_size = format_.channels * (bits / 8);
  if (block_align != format_.frame_size) return WavProblem::BadBlockAlign;
  return WavProblem::None;
}

void WavParser::skip_then_next(std::uint64_t count) {
  left_ = count;
  stage_ = count == 0 ? Stage::ChunkHead : Stage::Skip;
}

void WavParser::skip(std::span<const std::uint8_t>& input) {
  const std::size_t skipped = static_cast<std::size_t>(std::min<std::uint64_t>(left_, input.size()));
  input = input.subspan(skipped);
  left_ -= skipped;
  if (left_ == 0) stage_ = Stage::ChunkHead;
}

std::span<const std::uint8_t> WavParser::data(std::span<const std::uint8_t>& input) {
  if (data_to_end_) return std::exchange(input, {});
  const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(left_, input.size()));
  const std::span<const std::uint8_t> samples = input.first(count);
  input = input.subspan(count);
  left_ -= count;
  if (left_ == 0) skip_then_next(data_pad_);
  return samples;
}

void WavParser::fail(WavProblem problem) {
  problem_ = problem;
  stage_ = Stage::Failed;
}

}  // namespace detoken::tape
