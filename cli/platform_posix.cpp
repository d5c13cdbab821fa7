#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "cli/platform.h"

namespace detoken {

void prepare_console() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is this one.
    const int null_device = open("/dev/null", O_RDWR);
    if (null_device >= 0 && null_device != descriptor) {
      dup2(null_device, descriptor);
      close(null_device);
    }
  }
  signal(SIGPIPE, SIG_IGN);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
}

// The POSIX streams do not translate line feeds: do it here.
void write_console(std::FILE* stream, std::string_view text) {
  std::string translated;
  translated.reserve(text.size() + 8);
  for (const char c : text) {
    if (c == '\n') translated.push_back('\r');
    translated.push_back(c);
  }
  std::fwrite(translated.data(), 1, translated.size(), stream);
}

std::FILE* open_input(const char* name, std::uint64_t& size) {
  // Without O_NONBLOCK, opening a named pipe waits for a writer.
  const int descriptor = open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat status {};
  std::FILE* file = nullptr;
  if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
      fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) == 0) {
    file = fdopen(descriptor, "rb");
  }
  if (file == nullptr) {
    close(descriptor);
    return nullptr;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return file;
}

std::FILE* create_output(const char* name) { return std::fopen(name, "wb"); }

bool is_same_file(std::FILE* input, const char* name) {
  struct stat input_status {};
  struct stat named_status {};
  return fstat(fileno(input), &input_status) == 0 && stat(name, &named_status) == 0 &&
         input_status.st_dev == named_status.st_dev && input_status.st_ino == named_status.st_ino;
}

}  // namespace detoken
