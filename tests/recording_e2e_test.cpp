// Recordings of tapes, run as a user runs the programs: the real recording
// and variants of it list as its image does; damage, whole sides, and the
// forms the output's name chooses.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <regex>
#include <string>

#include "tests/e2e.h"
#include "tests/files.h"
#include "tests/recording_variants.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

std::string as_text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// The real recording and its image, and the image's listing.
struct Moonlander {
  Bytes wav = read_bytes(corpus_file("moonlander_v4.wav"));
  Bytes image = read_bytes(corpus_file("moonlander_v4.mzt"));
};

// The real recording, and variants made of it, list as the image does.
TEST(Recordings, ListAsTheirImage) {
  const Moonlander moonlander;
  Scratch scratch;
  scratch.write("image.mzt", moonlander.image);
  ASSERT_EQ(scratch.run({"-e", "-x", "-o", "image.txt", "image.mzt"}).status, 0);
  const Signal real = signal_of(moonlander.wav);
  const Variant variants[] = {
      {.name = "stereo, inverted on the left", .rate = 44100, .gain = -1, .other = Other::Silent},
      {.name = "48 kHz float, slow, hiss", .rate = 48000, .speed = 0.93, .hiss = 0.03f, .tag = 3, .bits = 32},
      {.name = "24-bit, fast, quiet, the tape on the right",
       .speed = 1.07,
       .gain = 0.03f,
       .bits = 24,
       .other = Other::Inverted,
       .tape_on_right = true},
  };
  const auto expect_listed = [&](const std::string& name, const std::string& said) {
    expect_run(scratch.run({"-e", "-x", "-o", "wav.txt", name}), {0, written("wav.txt"), said});
    EXPECT_EQ(scratch.read("wav.txt"), scratch.read("image.txt"));
  };
  scratch.write("real.wav", moonlander.wav);
  expect_listed("real.wav", "");
  for (const Variant& variant : variants) {
    SCOPED_TRACE(variant.name);
    scratch.write("variant.wav", wav_of(varied(real, variant), variant));
    expect_listed("variant.wav", "");
  }
}

// A recording of the image as retoken writes one, with `damage` done to its
// signal: a stretch of `samples` of silence from a byte of a copy of the data.
struct Dropout {
  std::size_t Layout::*copy;
  std::size_t at_byte;
  std::size_t samples = 2000;
};
Bytes damaged(const Bytes& image, std::initializer_list<Dropout> dropouts) {
  const Layout layout = documented_layout(image);
  Signal signal = rendered(layout.pulses);
  const std::vector<Pulse> pulses = pulses_in(signal);
  for (const Dropout& dropout : dropouts) {
    const std::size_t start = pulses[layout.*dropout.copy + 9 * dropout.at_byte].start;
    std::fill_n(signal.samples.begin() + static_cast<std::ptrdiff_t>(start), dropout.samples, 0.0f);
  }
  return wav_of(signal, {});
}

// The number of the program line holding the data's byte `offset`.
unsigned line_holding(const Bytes& image, std::size_t offset) {
  std::size_t at = 128;
  while (at + image[at] + 256u * image[at + 1] <= 128 + offset) at += image[at] + 256u * image[at + 1];
  return image[at + 2] + 256u * image[at + 3];
}

// A block read from its copy: the note, status 0. Both copies broken, or the
// recording ending inside the program: the best reading listed, where the
// damage lies (in seconds) and from which line the listing is not to be
// trusted, status -1. No tape, a malformed file: a message, no listing.
TEST(Recordings, DamageIsToldAndFails) {
  const Moonlander moonlander;
  Scratch scratch;
  scratch.write("copy.wav", damaged(moonlander.image, {{&Layout::data, 100}}));
  const RunResult copied = scratch.run({"-l", "-o", "copy.mzt", "copy.wav"});
  EXPECT_EQ(copied.status, 0);
  EXPECT_TRUE(copied.err.starts_with("The program's first copy was damaged: it was read from its second copy"));
  EXPECT_EQ(scratch.read("copy.mzt"), as_text(moonlander.image));

  scratch.write("both.wav", damaged(moonlander.image, {{&Layout::data, 3000}, {&Layout::data_copy, 3000}}));
  const RunResult both = scratch.run({"-l", "-e", "both.wav"});
  EXPECT_EQ(both.status, kFailure);
  EXPECT_EQ(both.out, "'both.txt' written\r\n");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(
      both.err, found,
      std::regex(
          R"(block is damaged \(at ([0-9.]+) s in the recording\): the listing cannot be trusted from line ([0-9]+) on)")))
      << both.err;
  EXPECT_EQ(std::stoul(found[2]), line_holding(moonlander.image, 3000));
  // Its listing does not replace the only reading there is.
  const std::string recorded = scratch.read("both.wav");
  expect_run(scratch.run({"-l", "-e", "-t", "both.wav", "both.txt"}, kRetoken),
             {kFailure, "'both.wav' is damaged: it is not written over (give -o to write elsewhere)\r\n",
              both.err.substr(0, both.err.find('\n') + 1)});
  EXPECT_EQ(scratch.read("both.wav"), recorded);

  // A dropout late in the first copy, and the recording ending early in the
  // second: the first copy reaches further, and the damage is its dropout.
  const Layout layout = documented_layout(moonlander.image);
  Signal late = rendered(layout.pulses);
  const std::vector<Pulse> pulses = pulses_in(late);
  const auto start_of = [&](std::size_t copy, std::size_t byte) {
    return static_cast<std::ptrdiff_t>(pulses[copy + 9 * byte].start);
  };
  std::fill_n(late.samples.begin() + start_of(layout.data, 6000), 2000, 0.0f);
  late.samples.erase(late.samples.begin() + start_of(layout.data_copy, 3000), late.samples.end());
  scratch.write("late.wav", wav_of(late, {}));
  const RunResult late_run = scratch.run({"-l", "-e", "late.wav"});
  EXPECT_EQ(late_run.status, kFailure);
  EXPECT_NE(late_run.err.find("The program's block is damaged"), std::string::npos) << late_run.err;

  const Bytes whole = damaged(moonlander.image, {});
  scratch.write("cut.wav", Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 3 / 10)));
  const RunResult cut = scratch.run({"-l", "-e", "cut.wav"});
  EXPECT_EQ(cut.status, kFailure);
  EXPECT_NE(cut.err.find("The recording ends inside the program"), std::string::npos) << cut.err;

  scratch.write("silence.wav", wav_of({std::vector<float>(44100, 0.0f), 44100}, {}));
  expect_run(scratch.run({"silence.wav"}),
             {kFailure, console_text("'silence.wav'の録音にはテープの記録が見つかりません\n")});
  Bytes no_channels = whole;
  no_channels[22] = 0;  // the format's channels
  scratch.write("none.wav", no_channels);
  expect_run(scratch.run({"-l", "none.wav"}),
             {kFailure, "'none.wav' cannot be read as a WAV file (it has no channels)\r\n"});
  EXPECT_FALSE(scratch.exists("silence.txt") || scratch.exists("none.txt"));
}

// A recording of a side: every file named, the first listed, -pN the N-th;
// retoken puts a program back only on a recording of the one file.
TEST(Recordings, WholeSides) {
  const Bytes first = read_bytes(corpus_file("advent_2021_25_v6.mzt"));
  const Bytes second = read_bytes(corpus_file("advent_2021_25_v7.mzt"));
  Scratch scratch;
  scratch.write("side.wav", wav_of(rendered(documented_layout(first).pulses + documented_layout(second).pulses), {}));
  const RunResult side = scratch.run({"-l", "-e", "-o", "first.mzt", "side.wav"});
  EXPECT_EQ(side.status, 0);
  EXPECT_TRUE(std::regex_search(
      side.err,
      std::regex(
          R"(^The recording holds 2 files \(-pN takes the N-th\):\r\n  1: at [0-9.]+ s, name "advent 2021-25 6", attribute 05, [0-9]+ bytes\r\n  2: at )")))
      << side.err;
  EXPECT_EQ(scratch.read("first.mzt"), as_text(first));
  EXPECT_EQ(scratch.run({"-p2", "-o", "second.mzt", "side.wav"}).status, 0);
  EXPECT_EQ(scratch.read("second.mzt"), as_text(second));
  expect_run(scratch.run({"-p", "3", "side.wav"}),
             {kFailure, console_text("'side.wav'の録音にはファイルが2個しかありません\n")});
  ASSERT_EQ(scratch.run({"-x", "-p2", "-o", "second.txt", "side.wav"}).status, 0);
  const std::string recorded = scratch.read("side.wav");
  expect_run(scratch.run({"-p2", "-t", "side.wav", "second.txt"}, kRetoken),
             {kFailure,
              console_text(
                  "'side.wav'には2個のファイルが録音されているので置き換えません(-oで別のファイルに書いてください)\n"),
              scratch.run({"-p2", "-o", "/dev/null", "side.wav"}).err});
  EXPECT_EQ(scratch.read("side.wav"), recorded);
  EXPECT_EQ(scratch.run({"-p2", "-t", "side.wav", "-o", "v7.mzt", "second.txt"}, kRetoken).status, 0);
  EXPECT_EQ(scratch.read("v7.mzt"), as_text(second));
}

// The output's name chooses the form: retoken's recording of a listing
// decodes to the image it writes; detoken turns a recording into an image
// and an image into a recording; retoken -t puts an edited program back on
// its recording.
TEST(Recordings, TheOutputsNameChoosesTheForm) {
  const Moonlander moonlander;
  Scratch scratch;
  scratch.write("game.mzt", moonlander.image);
  ASSERT_EQ(scratch.run({"-e", "-x", "game.mzt"}).status, 0);
  expect_run(scratch.run({"-e", "-o", "made.WAV", "game.txt"}, kRetoken), {0, written("made.WAV")});
  expect_run(scratch.run({"-e", "-o", "made.mzt", "game.txt"}, kRetoken), {0, written("made.mzt")});
  expect_run(scratch.run({"-o", "back.mzf", "made.WAV"}), {0, written("back.mzf")});
  EXPECT_EQ(scratch.read("back.mzf"), scratch.read("made.mzt"));
  expect_run(scratch.run({"-o", "game.wav", "game.mzt"}), {0, written("game.wav")});
  expect_run(scratch.run({"-o", "again.mzt", "game.wav"}), {0, written("again.mzt")});
  EXPECT_EQ(scratch.read("again.mzt"), as_text(moonlander.image));
  std::string edited = scratch.read("game.txt");
  edited.replace(0, edited.find('\n'), "   10 REM EDITED");
  scratch.write("game.txt", edited);
  expect_run(scratch.run({"-e", "-t", "game.wav", "game.txt"}, kRetoken), {0, written("game.wav")});
  ASSERT_EQ(scratch.run({"-e", "-x", "-o", "relisted.txt", "game.wav"}).status, 0);
  EXPECT_EQ(scratch.read("relisted.txt"), edited);
  // An image that holds less than its header says makes no recording, and
  // the recording already there stays.
  const std::string recorded = scratch.read("game.wav");
  scratch.write("short.mzt", as_text(moonlander.image).substr(0, moonlander.image.size() - 1));
  expect_run(scratch.run({"-l", "-o", "game.wav", "short.mzt"}),
             {kFailure, "'short.mzt' is not a whole tape image: it cannot be recorded\r\n"});
  EXPECT_EQ(scratch.read("game.wav"), recorded);
}

// Twenty minutes of 48 kHz 16-bit stereo (236 MB), the tape at the start, is
// listed in bounded memory: the recording is never held.
TEST(Recordings, LongRecordingsInBoundedMemory) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer cannot start within a limit on address space";
#endif
  if (testing_windows_build()) GTEST_SKIP() << "the limit on address space would be Wine's";
  const Moonlander moonlander;
  const Variant stereo{.rate = 48000, .other = Other::Silent};
  Bytes wav = wav_of(varied(signal_of(moonlander.wav), stereo), stereo);
  const std::size_t frames = 20 * 60 * 48000;
  const std::size_t data_size = frames * 4;
  wav.resize(44 + data_size, 0);
  for (const auto& [at, value] : {std::pair{4u, 36 + data_size}, std::pair{40u, data_size}}) {
    for (unsigned i = 0; i < 4; ++i) wav[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  Scratch scratch;
  scratch.write("long.wav", wav);
  wav.clear();
  wav.shrink_to_fit();
  expect_run(scratch.run({"-o", "long.mzt", "long.wav"}, {.limits = {{RLIMIT_AS, 64L << 20}}}),
             {0, written("long.mzt")});
  EXPECT_EQ(scratch.read("long.mzt"), as_text(moonlander.image));
}

}  // namespace
}  // namespace detoken::testing
