#include "tests/run_program.h"

#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "tests/files.h"

namespace detoken::testing {
namespace {

std::vector<std::string> command_words(bool retoken = false) {
  const char* command = std::getenv(retoken ? "RETOKEN_UNDER_TEST" : "DETOKEN_UNDER_TEST");
  const char* detoken_command = std::getenv("DETOKEN_UNDER_TEST");
  const bool beside_detoken =
      retoken && (command == nullptr || *command == '\0') && detoken_command != nullptr && *detoken_command != '\0';
  if (beside_detoken) command = detoken_command;
  std::istringstream words(command != nullptr && *command != '\0' ? command
                           : retoken                              ? RETOKEN_PROGRAM
                                                                  : DETOKEN_PROGRAM);
  std::vector<std::string> result{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
  if (beside_detoken && !result.empty()) {
    // retoken from beside detoken: the same command with the program's name changed.
    std::string& program = result.back();
    const std::size_t at = program.rfind("detoken");
    if (at != std::string::npos) program.replace(at, 7, "retoken");
  }
  return result;
}

[[noreturn]] void run_child(const std::filesystem::path& work, const std::filesystem::path& root,
                            const std::vector<std::string>& words, const Start& start) {
  int no_input[2];
  if (pipe(no_input) != 0 || dup2(no_input[0], 0) < 0) _exit(126);
  close(no_input[1]);  // standard input is a pipe with nothing in it
  int out = open((root / "stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!start.output_to.empty()) out = open((work / start.output_to).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int err = open((root / "stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (start.error_reader_gone) {
    int gone[2];
    if (pipe(gone) != 0) _exit(126);
    close(gone[0]);
    err = gone[1];
  }
  if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(work.c_str()) != 0) _exit(126);
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if ((start.closed >> descriptor & 1) != 0) close(descriptor);
  }
  for (const auto& [resource, limit] : start.limits) {
    const rlimit value{static_cast<rlim_t>(limit), static_cast<rlim_t>(limit)};
    if (setrlimit(resource, &value) != 0) _exit(126);
  }
  for (const std::string& setting : start.environment) putenv(const_cast<char*>(setting.c_str()));
  signal(SIGPIPE, SIG_DFL);  // as a shell starts a program
  signal(SIGXFSZ, SIG_DFL);  // as a shell starts a program: the program ignores it itself
  alarm(start.kill_after_seconds);
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

}  // namespace

Scratch::Scratch() {
  std::string pattern = (std::filesystem::temp_directory_path() / "detoken-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
  root_ = pattern;
  work_ = root_ / "work";
  std::filesystem::create_directory(work_);
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void Scratch::write(const std::string& name, std::string_view bytes) const {
  std::ofstream file(work_ / name, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Scratch::write(const std::string& name, const std::vector<unsigned char>& bytes) const {
  write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string Scratch::read(const std::string& name) const { return read_file(work_ / name); }

bool Scratch::exists(const std::string& name) const { return std::filesystem::exists(work_ / name); }

std::vector<std::string> Scratch::names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(work_)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

RunResult Scratch::run(const std::vector<std::string>& arguments, const Start& start) const {
  std::vector<std::string> words = command_words(start.retoken);
  words.insert(words.end(), arguments.begin(), arguments.end());
  const pid_t child = fork();
  if (child == 0) run_child(work_, root_, words, start);
  int wait_status = 0;
  if (child < 0 || waitpid(child, &wait_status, 0) != child) throw std::runtime_error("cannot run the program");
  const int status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  return {status, read_file(root_ / "stdout"), read_file(root_ / "stderr")};
}

bool testing_windows_build() {
  const std::vector<std::string> words = command_words();
  return std::any_of(words.begin(), words.end(),
                     [](const std::string& word) { return word.ends_with(".exe") || word.ends_with(".EXE"); });
}

std::optional<std::string> converted(std::string_view text, const char* from, const char* to) {
  iconv_t convert = iconv_open(to, from);
  if (convert == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no such conversion in iconv");
  std::string in(text);
  std::string out(in.size() * 4 + 4, '\0');
  char* in_at = in.data();
  std::size_t in_left = in.size();
  char* out_at = out.data();
  std::size_t out_left = out.size();
  const std::size_t result = iconv(convert, &in_at, &in_left, &out_at, &out_left);
  iconv_close(convert);
  if (result == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - out_left);
  return out;
}

std::string shift_jis(std::string_view utf8) {
  const std::optional<std::string> sjis = converted(utf8, "UTF-8", "CP932");
  if (!sjis) throw std::runtime_error("not convertible to CP932");
  return *sjis;
}

std::string console_text(std::string_view utf8) {
  std::string text;
  for (const char c : shift_jis(utf8)) {
    if (c == '\n') text.push_back('\r');
    text.push_back(c);
  }
  return text;
}

}  // namespace detoken::testing
