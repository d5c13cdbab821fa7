#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/platform.h"

namespace detoken {
namespace {

// The folder part of `path`, with its final '/', or empty for a name alone.
std::string folder_of(const std::string& path) { return path.substr(0, path.find_last_of('/') + 1); }

// Where `path` leads when it is a symbolic link (through every link on the
// way, even to a file that does not exist yet); `path` itself otherwise.
std::string where_link_leads(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    char target[PATH_MAX];
    const ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof target) break;
    const std::string leads_to(target, static_cast<std::size_t>(length));
    path = leads_to[0] == '/' ? leads_to : folder_of(path) + leads_to;
  }
  return path;
}

mode_t permissions_for_new_files() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Moves `from` to `to`; without `replace`, fails with EEXIST when `to`
// exists, without a moment where a file appearing there could be replaced.
}  // namespace

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
  // Likewise a write past the file size limit fails (and is reported, and the
  // temporary file removed) instead of ending the process.
  signal(SIGXFSZ, SIG_IGN);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
}

void set_console_encoding(Encoding) {}

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

std::size_t file_name_start(const char* path) {
  std::size_t start = 0;
  for (std::size_t at = 0; path[at] != '\0'; ++at) {
    if (path[at] == '/' || path[at] == '\\') start = at + 1;
  }
  return start;
}

Encoding file_name_encoding(Encoding encoding) { return encoding; }

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

bool regular_file_exists(const char* name) {
  struct stat status {};
  return stat(name, &status) == 0 && S_ISREG(status.st_mode);
}

bool is_same_file(std::FILE* input, const char* name) {
  struct stat input_status {};
  struct stat named_status {};
  return fstat(fileno(input), &input_status) == 0 && stat(name, &named_status) == 0 &&
         input_status.st_dev == named_status.st_dev && input_status.st_ino == named_status.st_ino;
}

bool open_output(OutputFile& output, const char* name) {
  // Opening for writing, without creating or truncating, tells whether the
  // name may be written at all and what is there.
  const int existing = open(name, O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (existing < 0 && errno != ENOENT) return false;
  const bool exists = existing >= 0;
  struct stat status {};
  if (exists) {
    const bool known = fstat(existing, &status) == 0;
    if (known && !S_ISREG(status.st_mode)) {
      output.final_name = name;
      output.stream = fdopen(existing, "wb");
      if (output.stream == nullptr) close(existing);
      return output.stream != nullptr;
    }
    close(existing);
    if (!known) return false;
  }
  // The new file gets the permissions of the one it replaces.
  const mode_t mode = exists ? status.st_mode & 07777 : permissions_for_new_files();
  output.final_name = where_link_leads(name);
  output.temporary_name = folder_of(output.final_name) + ".tmp-XXXXXX";
  const int temporary = mkstemp(output.temporary_name.data());
  if (temporary < 0) {
    output.final_name.clear();
    output.temporary_name.clear();
    return false;
  }
  fchmod(temporary, mode);
  output.stream = fdopen(temporary, "wb");
  if (output.stream == nullptr) {
    close(temporary);
    discard_output(output);
    return false;
  }
  return true;
}

CommitResult move_into_place(const char* from, const char* to, bool replace) {
  if (replace) return rename(from, to) == 0 ? CommitResult::Done : CommitResult::Failed;
#ifdef RENAME_NOREPLACE
  if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return CommitResult::Done;
  if (errno == EEXIST) return CommitResult::Exists;
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return CommitResult::Failed;
#endif
  // A file system without that rename: a second link refuses to replace.
  if (link(from, to) != 0) return errno == EEXIST ? CommitResult::Exists : CommitResult::Failed;
  unlink(from);
  return CommitResult::Done;
}

void remove_file(const char* name) { unlink(name); }

}  // namespace detoken
