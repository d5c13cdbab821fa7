#pragma once

// Runs the program under test as a separate process in a scratch folder and
// captures what it leaves behind: exit status, standard output, standard
// error and the files it writes.
//
// The command is the built program, or the words of DETOKEN_UNDER_TEST when
// that is set (for example "env WINEDEBUG=-all wine /path/to/detoken.exe"),
// so that the same cases can check another build of the program; likewise
// RETOKEN_UNDER_TEST for retoken, which without it is taken from beside the
// detoken under test.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace detoken::testing {

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

// The standard streams, as bits.
enum : unsigned { kInput = 1, kOutput = 2, kError = 4 };

// How the program is started besides its arguments. By default standard
// input is an empty pipe and standard output and standard error are captured.
struct Start {
  unsigned closed = 0;                       // kInput | kOutput | kError: those closed at the start
  bool error_reader_gone = false;            // standard error is a pipe whose reader has gone
  std::string output_to;                     // a file of the scratch folder taking standard output
  std::vector<std::pair<int, long>> limits;  // resource limits (setrlimit)
  std::vector<std::string> environment;      // NAME=value settings added
  unsigned kill_after_seconds = 0;           // a guard against a hang, not a timing
  bool retoken = false;                      // runs retoken instead of detoken
};

class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  // The folder the program runs in.
  const std::filesystem::path& dir() const { return work_; }
  void write(const std::string& name, std::string_view bytes) const;
  void write(const std::string& name, const std::vector<unsigned char>& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> names() const;

  RunResult run(const std::vector<std::string>& arguments, const Start& start = {}) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path work_;
};

// Whether the program under test is a Windows build (its command names an .exe).
bool testing_windows_build();

// `text` converted by the C library's iconv from one encoding to another
// ("UTF-8", "CP932"); nothing when it cannot be.
std::optional<std::string> converted(std::string_view text, const char* from, const char* to);

// `utf8` converted to Shift_JIS (code page 932) by the C library.
std::string shift_jis(std::string_view utf8);

// The bytes a console message is made of: `utf8` in Shift_JIS, each line feed
// written as carriage return and line feed.
std::string console_text(std::string_view utf8);

}  // namespace detoken::testing
