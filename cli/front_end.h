#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "charsets/encoding.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "tape/stage.h"

// What detoken and retoken do alike around their conversions: the console
// messages, the usage text, the ends of the argument scan, and loading the
// input.
namespace detoken {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = -1;

// The console as a run speaks to it: in the wording its options chose.
struct Console {
  Wording wording;

  // Writes `message` to standard output, with its placeholders replaced by
  // `values` in order (its one placeholder by `value`).
  void say(const Message& message, std::string_view value = {}) const { say(message, {value}); }
  void say(const Message& message, std::initializer_list<std::string_view> values) const;
  // Writes text already worded to standard error.
  void tell(std::string_view text) const { write_standard_error(text); }
};

// The console of a run with these options; where the console has to be told
// the encoding (Windows), it is.
Console console_for(const RunOptions& options);

// A line of a usage text, with its place among the lines (the dialects'
// lines come from the registry, at their own places).
struct UsageLine {
  int place;
  const Message* message;
};

// Writes a usage text: the title, its start and end around the names of
// every dialect, then the lines in the order of their places.
void show_usage(const Console& console, const Message& title_start, const Message& title_end,
                std::span<const UsageLine> lines, Program program);

// The status the run ends with when the scan ended it (the usage text shown
// with `show_usage`, an invalid option, a name too long, each with its
// message); nothing when there is a file to convert.
std::optional<int> end_of_scan(const ScanOutcome& scan, const Console& console,
                               const std::function<void()>& show_usage);

// An input file, open until released (so that the output can be checked
// against it), and its size.
struct InputFile {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;

  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();
};

// Opens `name` for reading; false after the read failure's message.
bool open_input_file(const char* name, const Console& console, InputFile& input);

// A file's bytes, read whole.
struct FileBytes {
  std::unique_ptr<std::uint8_t[]> bytes;
  std::size_t size = 0;

  std::span<const std::uint8_t> data() const { return {bytes.get(), size}; }
  std::string_view text() const { return {reinterpret_cast<const char*>(bytes.get()), size}; }
};

// Reads the open file `name` whole. On failure writes the message (the read
// failure, or the memory message for a file too large to hold, and for an
// empty one unless `empty_allowed`) and answers false.
bool read_whole_file(const char* name, const InputFile& input, bool empty_allowed, const Console& console,
                     FileBytes& bytes);

// Reads the open file `name` as a tape (an image, or a recording as it
// streams in, of which the file `part` is taken). On failure writes the
// message (the read failure, the memory message for an image too large to
// hold or an empty file, a recording that is no WAV file, holds no tape or
// not so many files) and answers null.
std::unique_ptr<tape::TapeReader> read_tape_file(const char* name, const InputFile& input, const Console& console,
                                                 std::size_t part = 0);

// A sink that writes to `file`.
inline tape::ByteSink file_sink(std::FILE* file) {
  return [file](std::span<const std::uint8_t> bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  };
}

// How a conversion into the output file ended.
enum class Converted {
  Done,         // all written
  Untrusted,    // all written, of a tape that could not be read whole: the run fails
  Refused,      // the input could not be converted: its message is given, nothing is kept
  WriteFailed,  // a write to the file failed
};

// One program's conversion: its input read, then made into what is written
// to `output`.
struct Conversion {
  // Whether a file already at the output name is replaced; without, it is
  // left as it is and the run ends with a message.
  bool replace_existing;
  // Reads the open input; false after its message.
  std::function<bool(const InputFile& input)> read;
  std::function<Converted(std::FILE* output)> convert;
};

// What both programs do with a file to convert: open and read the input,
// refuse an output that is the input itself (or an existing file not to be
// replaced), convert into a new file that takes the output name only once it
// is complete, and say that it was written. Every failure on the way has its
// message; answers the exit status.
int run_conversion(const RunOptions& options, const Console& console, const Conversion& conversion);

}  // namespace detoken
