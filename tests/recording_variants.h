#pragma once

// Recordings for the tests of tapes as sound: the real recording's samples
// and variants made of them, WAV files built chunk by chunk, the layout and
// pulse lengths tape-audio.md documents, the pulses a signal holds, and a
// reader fed a file in odd-sized pieces.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "tape/recording_reader.h"
#include "tests/files.h"

namespace detoken::testing {

using Bytes = std::vector<std::uint8_t>;

// A file of the corpus (the real programs and the real recording).
inline std::filesystem::path corpus_file(const std::string& name) { return corpus_dir() / name; }

Bytes read_bytes(const std::filesystem::path& path);

// The bytes the program holds on the heap (0 where the C library does not tell).
std::size_t heap_held();

// One channel of sound, its samples in [-1, 1].
struct Signal {
  std::vector<float> samples;
  double rate = 0;
};

// The samples of a mono 8- or 16-bit WAV file with the plain 44-byte header.
Signal signal_of(const Bytes& wav);

// What the other channel of a stereo file holds.
enum class Other { None, Silent, Inverted };
inline constexpr std::uint32_t kTrueSize = 0xFFFFFFFE;  // a chunk's size is its body's

struct Variant {
  const char* name = "";
  double rate = 0;   // 0: as recorded
  double speed = 1;  // above 1 the deck runs fast
  double wow = 0;    // the speed's slow swing, a fraction of it
  float gain = 1;    // below 0 inverts
  float offset = 0;
  float hiss = 0;       // the noise's standard deviation
  float hum = 0;        // the amplitude of 50 Hz mains hum
  double dropout = -1;  // where a 30 ms dropout begins, a fraction of the recording
  unsigned tag = 1;     // the format: 1 integer PCM, 3 float, FFFE extensible (integer)
  unsigned bits = 16;
  std::uint32_t sizes = kTrueSize;  // the RIFF and data sizes written (placeholders)
  bool extra_chunks = false;        // of odd sizes, before, between and after
  Other other = Other::None;
  bool tape_on_right = false;
};

Signal varied(const Signal& signal, const Variant& variant);
Bytes wav_of(const Signal& signal, const Variant& variant);

// A RIFF file of chunks.
struct Chunk {
  std::string id;
  Bytes body;
  std::uint32_t size = kTrueSize;
};
Bytes riff(const std::vector<Chunk>& chunks, std::uint32_t riff_size = kTrueSize);
Bytes format_body(unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned block_align);

tape::RecordingReader read_in_pieces(std::span<const std::uint8_t> wav, std::size_t wanted_file = 0);

// A file's layout, a pulse a letter ('L' long, 'S' short), and the pulse
// where each block's first byte begins; with one copy and other gaps as other
// tools write them.
struct Layout {
  std::string pulses;
  std::size_t header = 0;
  std::size_t header_copy = 0;
  std::size_t data = 0;
  std::size_t data_copy = 0;
};
Layout documented_layout(std::span<const std::uint8_t> image, bool copies = true, unsigned long_gap = 22000,
                         unsigned short_gap = 11000);
// The lengths of the high and low halves of a long and a short pulse, in µs.
inline constexpr double kLongHigh = 464, kLongLow = 494, kShortHigh = 240, kShortLow = 264;
// Those pulses at 44100 Hz, between half a second of silence each side.
Signal rendered(const std::string& pulses);

// The pulses of a signal, from where it turns positive (in samples).
struct Pulse {
  std::size_t start = 0;
  std::size_t high = 0;
  std::size_t low = 0;
};
std::vector<Pulse> pulses_in(const Signal& signal);

}  // namespace detoken::testing
