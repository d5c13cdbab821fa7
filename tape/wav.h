#pragma once

// The WAV container, read as it arrives: a RIFF file of chunks, of which only
// "fmt " (how the samples are coded) and "data" (the samples) matter. The
// parser is fed the file's bytes in pieces of any size and hands back the
// parts of them that are sample data, so that a recording of any length is
// read without holding it. It never allocates: sizes in the file cannot make
// it reserve anything.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace detoken::tape {

// How one sample of one channel is coded. 8-bit samples are unsigned (128 is
// silence), the other integers signed, all little-endian.
enum class SampleCoding { Unsigned8, Signed16, Signed24, Signed32, Float32, Float64 };

struct WavFormat {
  SampleCoding coding = SampleCoding::Unsigned8;
  unsigned channels = 0;
  unsigned rate = 0;        // frames per second
  unsigned frame_size = 0;  // bytes of one frame, every channel's sample (the block align)
};

// Why a WAV file cannot be read.
enum class WavProblem {
  None,
  NotRiff,            // it does not begin with "RIFF", a size and "WAVE"
  Rf64,               // it is an RF64 (or BW64) file, a WAV of 64-bit sizes
  NoFormat,           // the samples come before any "fmt " chunk
  FormatCut,          // the "fmt " chunk is shorter than its fields, or the file ends inside it
  AbsurdFormatSize,   // a "fmt " chunk far larger than any format needs
  UnsupportedFormat,  // neither integer PCM nor IEEE float (compressed, say)
  UnsupportedBits,    // a sample size other than 8, 16, 24 or 32 bits (32 or 64 for floats)
  NoChannels,
  TooManyChannels,  // more than kMostChannels
  NoRate,
  UnsupportedRate,  // outside kLowestRate to kHighestRate
  BadBlockAlign,    // the frame size is not the channels' samples side by side
  ChunkPastEnd,     // the file ends inside a chunk (or its header) before the samples
  NoData,           // the file ends without a "data" chunk
};

inline constexpr unsigned kMostChannels = 8;
inline constexpr unsigned kLowestRate = 11025;
inline constexpr unsigned kHighestRate = 96000;

// Whether a file beginning with `first_bytes` (12 of them suffice) is a WAV
// file: "RIFF", a size, "WAVE".
bool looks_like_wav(std::span<const std::uint8_t> first_bytes);

// The bytes of a sample of `coding`, the value of its silence and how far
// from that its full scale reaches, as its loader below reads it.
unsigned sample_size(SampleCoding coding);
float silence_of(SampleCoding coding);
float full_scale_of(SampleCoding coding);

// Loaders of one sample of each coding: integers as ints (32-bit ones cut to
// their top 24 bits, more than any tape holds, so that thresholds derived
// from them stay in range), floats as floats.
struct LoadUnsigned8 {
  int operator()(const std::uint8_t* at) const { return at[0]; }
};
struct LoadSigned16 {
  int operator()(const std::uint8_t* at) const { return static_cast<std::int16_t>(at[0] | at[1] << 8); }
};
// Placed in the top of 32 bits, so that the sign comes with them, and back.
struct LoadSigned24 {
  int operator()(const std::uint8_t* at) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(at[0]) << 8 | static_cast<std::uint32_t>(at[1]) << 16 |
                                     static_cast<std::uint32_t>(at[2]) << 24) >>
           8;
  }
};
struct LoadSigned32 {
  int operator()(const std::uint8_t* at) const { return LoadSigned24()(at + 1); }
};
inline std::uint32_t u32_at(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
         static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}
struct LoadFloat32 {
  float operator()(const std::uint8_t* at) const {
    const std::uint32_t bits = u32_at(at);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
};
struct LoadFloat64 {
  float operator()(const std::uint8_t* at) const {
    const std::uint64_t bits = u32_at(at) | static_cast<std::uint64_t>(u32_at(at + 4)) << 32;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return static_cast<float>(value);
  }
};

class WavParser {
 public:
  // Takes the next bytes of the file, from the front of `input`, and answers
  // the run of sample data among them, if any (empty when the bytes taken
  // were all container). Call again with what is left of `input` until it is
  // empty: one call yields at most one run.
  std::span<const std::uint8_t> take(std::span<const std::uint8_t>& input);

  // The file has ended: a file cut off before its samples is refused now.
  void finish();

  bool failed() const { return problem_ != WavProblem::None; }
  WavProblem problem() const { return problem_; }
  // Known once the "fmt " chunk has been read.
  bool has_format() const { return has_format_; }
  const WavFormat& format() const { return format_; }

 private:
  enum class Stage { Riff, ChunkHead, Format, Skip, Data, Failed };

  bool gather(std::span<const std::uint8_t>& input, std::size_t count);
  void begin_chunk();
  void read_format();
  WavProblem check_format(unsigned tag, unsigned bits, unsigned block_align);
  void skip(std::span<const std::uint8_t>& input);
  std::span<const std::uint8_t> data(std::span<const std::uint8_t>& input);
  void fail(WavProblem problem);
  void skip_then_next(std::uint64_t count);

  Stage stage_ = Stage::Riff;
  WavProblem problem_ = WavProblem::None;
  // The bytes of the RIFF header, a chunk header or the "fmt " fields
  // gathered so far.
  std::array<std::uint8_t, 40> held_{};
  std::size_t held_size_ = 0;
  std::uint32_t chunk_size_ = 0;
  std::uint64_t left_ = 0;      // of the chunk being skipped or of the data
  bool data_to_end_ = false;    // the data's size is a placeholder: it runs to the end of the file
  std::uint32_t data_pad_ = 0;  // the pad byte after data of an odd size
  bool has_format_ = false;
  bool seen_data_ = false;
  WavFormat format_;
};

}  // namespace detoken::tape
