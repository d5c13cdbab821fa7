#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "tape/image_format.h"
#include "tape/recording_reader.h"
#include "tape/recording_writer.h"
#include "tape/wav.h"
#include "tests/recording_variants.h"

namespace detoken::testing {
namespace {

using State = tape::BlockReading::State;
using tape::RecordingStatus;
using tape::WavProblem;

Bytes image_named(const std::string& name) { return read_bytes(corpus_file(name + ".mzt")); }
Bytes header_of(const Bytes& image) { return {image.begin(), image.begin() + tape::kHeaderSize}; }
Bytes data_of(const Bytes& image) { return {image.begin() + tape::kHeaderSize, image.end()}; }

Bytes written(const Bytes& image) {
  Bytes wav;
  EXPECT_TRUE(tape::write_recording(image, [&wav](std::span<const std::uint8_t> piece) {
    wav.insert(wav.end(), piece.begin(), piece.end());
    return true;
  }));
  return wav;
}

// Expects the reading to hold `image` as its one file.
void expect_image(const tape::RecordingReader& reader, const Bytes& image, State data_state = State::Good) {
  ASSERT_EQ(reader.status(), RecordingStatus::Read);
  ASSERT_EQ(reader.files().size(), 1u);
  const tape::RecordedFile& file = reader.files()[0];
  EXPECT_EQ(file.header.state, State::Good);
  EXPECT_EQ(file.header.bytes, header_of(image));
  EXPECT_EQ(file.data.state, data_state);
  EXPECT_EQ(file.data.bytes, data_of(image));
}

// The real recording, and what other equipment, settings and mishaps make of it.
const Variant kVariants[] = {
    {.name = "as recorded, 8-bit", .bits = 8},
    {.name = "44100 Hz, odd-sized chunks around the data", .rate = 44100, .extra_chunks = true},
    {.name = "48000 Hz, 24-bit, sizes FFFFFFFF", .rate = 48000, .bits = 24, .sizes = 0xFFFFFFFF},
    {.name = "11025 Hz", .rate = 11025},
    {.name = "32-bit, sizes 0", .bits = 32, .sizes = 0},
    {.name = "float", .tag = 3, .bits = 32},
    {.name = "double", .tag = 3, .bits = 64},
    {.name = "extensible", .tag = 0xFFFE},
    {.name = "stereo, tape on the left", .other = Other::Silent},
    {.name = "stereo, tape on the right", .other = Other::Silent, .tape_on_right = true},
    {.name = "stereo, an inverted copy on the right", .other = Other::Inverted},
    {.name = "inverted", .gain = -1},
    {.name = "30 dB quieter", .gain = 0.0316f},
    {.name = "offset", .offset = 0.3f},
    {.name = "hiss", .hiss = 0.05f},
    {.name = "mains hum", .hum = 0.15f},
    {.name = "7 % fast", .speed = 1.07},
    {.name = "7 % slow", .speed = 0.93},
    {.name = "wow", .wow = 0.01},
    {.name = "a dropout in the data's first copy", .dropout = 0.4},
};

TEST(RecordingReader, ReadsTheRealRecordingInEveryForm) {
  const Signal real = signal_of(read_bytes(corpus_file("moonlander_v4.wav")));
  const Bytes image = image_named("moonlander_v4");
  ASSERT_FALSE(real.samples.empty());
  ASSERT_EQ(tape::program_size_in(image.data()), image.size() - tape::kHeaderSize);
  for (const Variant& variant : kVariants) {
    SCOPED_TRACE(variant.name);
    expect_image(read_in_pieces(wav_of(varied(real, variant), variant)), image,
                 variant.dropout >= 0 ? State::FromCopy : State::Good);
  }
}

const char* const kImages[] = {"drinking_game_v2", "gnu_blat_2000",     "moonlander_v4",
                               "sunrise_v2",       "advent_2021_25_v6", "advent_2021_25_v7"};

TEST(RecordingWriter, RecordingsOfTheCorpusReadBackExactly) {
  for (const char* name : kImages) {
    SCOPED_TRACE(name);
    const Bytes image = image_named(name);
    const Bytes wav = written(image);
    EXPECT_EQ(wav.size(), tape::recording_size(image));
    expect_image(read_in_pieces(wav), image);
  }
  const Bytes image = image_named(kImages[0]);
  Bytes header_alone = header_of(image);  // a file of no data has no data block
  header_alone[tape::kSizeAt] = header_alone[tape::kSizeAt + 1] = 0;
  expect_image(read_in_pieces(written(header_alone)), header_alone);
  EXPECT_FALSE(tape::write_recording(image, [](std::span<const std::uint8_t>) { return false; }));
  EXPECT_FALSE(tape::write_recording(Bytes(image.begin(), image.end() - 1), [](auto) { return true; }));
}

TEST(RecordingWriter, WritesTheDocumentedPulsesWhereTheyBelong) {
  const Bytes image = image_named("advent_2021_25_v7");
  const Bytes wav = written(image);
  ASSERT_TRUE(tape::looks_like_wav(wav));
  EXPECT_EQ(format_body(1, 1, 44100, 16, 2), Bytes(wav.begin() + 20, wav.begin() + 36));
  const Signal signal = signal_of(wav);
  const std::vector<Pulse> pulses = pulses_in(signal);
  const std::string layout = documented_layout(image).pulses;
  ASSERT_EQ(pulses.size(), layout.size());
  // Each edge at the sample nearest its exact time from the first.
  std::size_t misplaced = 0;
  double exact = 0;
  for (std::size_t k = 0; k < pulses.size(); ++k) {
    const bool is_long = layout[k] == 'L';
    const double high = is_long ? kLongHigh : kShortHigh;
    const auto sample = [&](std::size_t at, double microseconds) {
      return std::abs(static_cast<double>(at - pulses[0].start) - microseconds * 44100e-6) <= 0.5 + 1e-9;
    };
    misplaced += !sample(pulses[k].start, exact) || !sample(pulses[k].start + pulses[k].high, exact + high);
    exact += high + (is_long ? kLongLow : kShortLow);
  }
  EXPECT_EQ(misplaced, 0u);
  const std::size_t end = pulses.back().start + pulses.back().high + pulses.back().low;
  EXPECT_NEAR(static_cast<double>(end - pulses[0].start), exact * 44100e-6, 0.5);
  EXPECT_GE(pulses[0].start, 44100u / 4);
  EXPECT_GE(signal.samples.size() - end, 44100u / 4);
}

TEST(RecordingReader, SaysWhereABlockIsDamagedOrCut) {
  const Bytes image = image_named("drinking_game_v2");
  const Bytes data = data_of(image);
  const Signal clean = signal_of(written(image));
  const std::vector<Pulse> pulses = pulses_in(clean);
  const Layout layout = documented_layout(image);
  ASSERT_EQ(pulses.size(), layout.pulses.size());
  const auto byte_at = [&pulses](std::size_t block, std::size_t byte) { return pulses[block + 9 * byte].start; };
  const auto read = [](const Signal& signal) { return read_in_pieces(wav_of(signal, {})); };
  const auto expect_data = [&data](const tape::RecordingReader& reader, State state, std::size_t trusted,
                                   std::size_t sample) {
    ASSERT_EQ(reader.files().size(), 1u);
    const tape::BlockReading& reading = reader.files()[0].data;
    EXPECT_EQ(reading.state, state);
    EXPECT_EQ(reading.trusted, trusted);
    EXPECT_NEAR(reading.seconds, sample / 44100.0, 0.001);
    ASSERT_LE(reading.trusted, reading.bytes.size());
    EXPECT_TRUE(std::equal(reading.bytes.begin(), reading.bytes.begin() + reading.trusted, data.begin()));
  };
  const std::size_t first_break = data.size() / 3;
  const std::size_t copy_break = data.size() * 2 / 3;

  Signal broken = clean;
  for (const std::size_t at :
       {byte_at(layout.header, 50), byte_at(layout.data, first_break), byte_at(layout.data_copy, copy_break)}) {
    std::fill_n(broken.samples.begin() + static_cast<std::ptrdiff_t>(at), 1323, 0.0f);  // 30 ms
  }
  Signal cut = clean;
  cut.samples.resize(byte_at(layout.data, first_break));
  // The header's first copy broken; both copies of the data, the copy further
  // in than the first; the recording cut in the first.
  const tape::RecordingReader damaged = read(broken);
  expect_data(damaged, State::Damaged, copy_break, byte_at(layout.data_copy, copy_break));
  EXPECT_EQ(damaged.files()[0].header.state, State::FromCopy);
  EXPECT_EQ(damaged.files()[0].header.bytes, header_of(image));
  expect_data(read(cut), State::Cut, first_break, cut.samples.size());

  cut.samples.resize(byte_at(layout.header, 100));
  EXPECT_EQ(read(cut).status(), RecordingStatus::NoTape);
}

TEST(RecordingReader, FindsNoTapeInSilenceToneOrNoise) {
  std::mt19937 random(7);
  std::normal_distribution<float> hiss(0, 0.3f);
  for (const int kind : {0, 1, 2}) {
    Signal signal{std::vector<float>(10 * 44100), 44100};
    for (std::size_t k = 0; k < signal.samples.size() && kind > 0; ++k) {
      signal.samples[k] =
          kind == 1 ? 0.5f * static_cast<float>(std::sin(k * 2 * 3.14159265 * 2000 / 44100)) : hiss(random);
    }
    const tape::RecordingReader reader = read_in_pieces(wav_of(signal, {}));
    EXPECT_EQ(reader.status(), RecordingStatus::NoTape) << "silence, a 2 kHz tone, noise: " << kind;
  }
}

TEST(RecordingReader, RefusesMalformedFilesSayingWhy) {
  const auto fmt = [](unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned align) {
    return Chunk{"fmt ", format_body(tag, channels, rate, bits, align)};
  };
  const Chunk pcm = fmt(1, 1, 44100, 16, 2);
  const Chunk data{"data", Bytes(400, 0)};
  const Bytes good = riff({pcm, data});
  Bytes rf64 = good;
  std::copy_n("RF64", 4, rf64.begin());
  struct Case {
    const char* name;
    Bytes file;
    WavProblem problem;
  };
  const Case cases[] = {
      {"not RIFF", Bytes(good.begin() + 1, good.end()), WavProblem::NotRiff},
      {"RF64", rf64, WavProblem::Rf64},
      {"no channels", riff({fmt(1, 0, 44100, 16, 0), data}), WavProblem::NoChannels},
      {"nine channels", riff({fmt(1, 9, 44100, 16, 18), data}), WavProblem::TooManyChannels},
      {"no rate", riff({fmt(1, 1, 0, 16, 2), data}), WavProblem::NoRate},
      {"8000 Hz", riff({fmt(1, 1, 8000, 16, 2), data}), WavProblem::UnsupportedRate},
      {"12 bits", riff({fmt(1, 1, 44100, 12, 2), data}), WavProblem::UnsupportedBits},
      {"ADPCM", riff({fmt(2, 1, 44100, 4, 1), data}), WavProblem::UnsupportedFormat},
      {"a frame size not the samples'", riff({fmt(1, 2, 44100, 16, 2), data}), WavProblem::BadBlockAlign},
      {"a short fmt chunk", riff({{"fmt ", Bytes(8, 1)}, data}), WavProblem::FormatCut},
      {"extensible without its GUID", riff({fmt(0xFFFE, 1, 44100, 16, 2), data}), WavProblem::FormatCut},
      {"cut off inside fmt", Bytes(good.begin(), good.begin() + 30), WavProblem::FormatCut},
      {"an absurd fmt size", riff({{"fmt ", pcm.body, 0x7FFFFFF0}, data}), WavProblem::AbsurdFormatSize},
      {"samples before fmt", riff({data, pcm}), WavProblem::NoFormat},
      {"a chunk past the end", riff({{"LIST", Bytes(10, 0), 0x10000000}, pcm, data}), WavProblem::ChunkPastEnd},
      {"no data", riff({pcm}), WavProblem::NoData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tape::RecordingReader reader;
    for (const std::uint8_t& byte : c.file) reader.feed({&byte, 1});
    reader.finish();
    EXPECT_EQ(reader.status(), c.problem == WavProblem::NotRiff ? RecordingStatus::NotWav : RecordingStatus::Malformed);
    EXPECT_EQ(reader.problem(), c.problem);
  }
  EXPECT_EQ(read_in_pieces(good).status(), RecordingStatus::NoTape);
  // A second format after samples of the first (three channels, then one)
  // is not taken: the samples are read as the first says.
  EXPECT_EQ(read_in_pieces(riff({fmt(1, 3, 11025, 8, 3), {"data", Bytes(301, 128)}, pcm, data})).status(),
            RecordingStatus::NoTape);
}

TEST(RecordingReader, FindsEveryFileAndKeepsTheWantedOnesData) {
  const Bytes images[] = {image_named("advent_2021_25_v6"), image_named("advent_2021_25_v7")};
  Signal both = signal_of(written(images[0]));
  const std::vector<float> second = signal_of(written(images[1])).samples;
  both.samples.insert(both.samples.end(), second.begin(), second.end());
  // One copy of each block, after gaps as other tools write them, and as short as the machine takes.
  const Signal one_copy = rendered(documented_layout(images[0], false, 4000, 5000).pulses +
                                   documented_layout(images[1], false, 100, 100).pulses);
  for (const Bytes& wav : {wav_of(both, {}), wav_of(one_copy, {})}) {
    for (const std::size_t wanted : {0u, 1u}) {
      const tape::RecordingReader reader = read_in_pieces(wav, wanted);
      ASSERT_EQ(reader.files().size(), 2u);
      for (std::size_t k = 0; k < 2; ++k) {
        const tape::RecordedFile& file = reader.files()[k];
        EXPECT_EQ(file.header.state, State::Good);
        EXPECT_EQ(file.header.bytes, header_of(images[k]));
        EXPECT_EQ(file.data.state, State::Good);
        EXPECT_EQ(file.data.bytes, k == wanted ? data_of(images[k]) : Bytes());
      }
      EXPECT_LT(reader.files()[0].seconds, reader.files()[1].seconds);
    }
  }
}

// Twenty minutes of 48 kHz stereo (an inverted copy on the right), made on
// the fly of the writer's recordings and read as made.
TEST(RecordingReader, HoldsLittleMemoryHoweverLongTheRecording) {
  const Bytes image = image_named("moonlander_v4");
  tape::RecordingReader reader;
  reader.feed(riff({{"fmt ", format_body(1, 2, 48000, 16, 4)}, {"data", {}, 0xFFFFFFFF}}, 0xFFFFFFFF));
  Bytes frames;
  frames.reserve(1 << 18);
  const std::size_t held_before = heap_held();
  if (held_before == 0) GTEST_SKIP() << "the C library does not count its heap";
  std::size_t most_held = held_before;
  std::uint64_t taken = 0;  // 44100 Hz samples taken from the writer
  std::uint64_t made = 0;   // 48000 Hz frames made of them
  std::size_t recordings = 0;
  for (; made < 20 * 60 * 48000; ++recordings) {
    std::size_t header = 44;
    ASSERT_TRUE(tape::write_recording(image, [&](std::span<const std::uint8_t> piece) {
      piece = piece.subspan(std::exchange(header, 0));
      for (std::size_t at = 0; at + 1 < piece.size(); at += 2, ++taken) {
        const auto inverted = static_cast<std::uint16_t>(-static_cast<std::int16_t>(piece[at] | piece[at + 1] << 8));
        const std::uint8_t frame[] = {piece[at], piece[at + 1], static_cast<std::uint8_t>(inverted & 0xFF),
                                      static_cast<std::uint8_t>(inverted >> 8)};
        for (; made * 441 / 480 == taken; ++made) frames.insert(frames.end(), frame, frame + 4);
      }
      reader.feed(frames);
      frames.clear();
      most_held = std::max(most_held, heap_held());
      return true;
    }));
  }
  reader.finish();
  EXPECT_LT(most_held - held_before, std::size_t{4} << 20);
  EXPECT_NEAR(reader.seconds_read(), static_cast<double>(made) / 48000, 1e-6);
  ASSERT_EQ(reader.files().size(), recordings);
  for (const tape::RecordedFile& file : reader.files()) {
    EXPECT_EQ(file.data.state, State::Good);
    EXPECT_EQ(file.data.bytes, &file == &reader.files()[0] ? data_of(image) : Bytes());
  }
}

}  // namespace
}  // namespace detoken::testing
