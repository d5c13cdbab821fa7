#include <fcntl.h>
#include <io.h>
#include <mbstring.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "cli/platform.h"

namespace detoken {
namespace {

bool identity_of(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info) != 0;
}

// The folder part of `path`, with its final separator or drive colon ("C:"),
// or empty for a name alone.
std::string folder_of(const std::string& path) {
  const std::size_t start = file_name_start(path.c_str());
  if (start == 0 && path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
  return path.substr(0, start);
}

// Where `name` leads when it is a symbolic link; `name` itself otherwise, or
// when the file it leads to cannot be opened.
std::string where_link_leads(const char* name) {
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return name;
  HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return name;
  char target[4 * MAX_PATH];
  const DWORD length = GetFinalPathNameByHandleA(file, target, sizeof target, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  CloseHandle(file);
  return length > 0 && length < sizeof target ? std::string(target, length) : std::string(name);
}

}  // namespace

// The runtime keeps descriptors 0, 1 and 2 for the console streams even when
// the program was started without them, so no file opened later can take
// their place; and a pipe whose reader has gone only fails the write.
void prepare_console() {
  _setmode(_fileno(stdout), _O_TEXT);
  _setmode(_fileno(stderr), _O_TEXT);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
}

void set_console_encoding(Encoding encoding) {
  if (encoding == Encoding::Utf8) SetConsoleOutputCP(CP_UTF8);
}

// The runtime's text mode turns "\n" into CR LF on the console streams.
void write_console(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

// The runtime's multibyte code page is the ANSI code page the arguments come
// in: a lead byte takes the byte after it along.
std::size_t file_name_start(const char* path) {
  std::size_t start = 0;
  for (std::size_t at = 0; path[at] != '\0'; ++at) {
    if (_ismbblead(static_cast<unsigned char>(path[at])) && path[at + 1] != '\0') {
      ++at;
    } else if (path[at] == '/' || path[at] == '\\') {
      start = at + 1;
    }
  }
  return start;
}

Encoding file_name_encoding(Encoding) { return Encoding::ShiftJis; }

std::FILE* open_input(const char* name, std::uint64_t& size) {
  std::FILE* file = _fsopen(name, "rb", _SH_DENYNO);
  if (file == nullptr) return nullptr;
  struct _stat64 status {};
  if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    return nullptr;
  }
  size = static_cast<std::uint64_t>(status.st_size);
  return file;
}

bool regular_file_exists(const char* name) {
  HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) != 0 &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  CloseHandle(file);
  return regular;
}

bool is_same_file(std::FILE* input, const char* name) {
  BY_HANDLE_FILE_INFORMATION input_info{};
  BY_HANDLE_FILE_INFORMATION named_info{};
  const auto input_handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(input)));
  if (!identity_of(input_handle, input_info)) return false;
  HANDLE named = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  const bool known = identity_of(named, named_info);
  if (named != INVALID_HANDLE_VALUE) CloseHandle(named);
  return known && input_info.dwVolumeSerialNumber == named_info.dwVolumeSerialNumber &&
         input_info.nFileIndexHigh == named_info.nFileIndexHigh && input_info.nFileIndexLow == named_info.nFileIndexLow;
}

bool open_output(OutputFile& output, const char* name) {
  // Opening for writing, without creating or truncating, tells whether the
  // name may be written at all and what is there.
  HANDLE existing = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  if (existing == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  if (existing != INVALID_HANDLE_VALUE) {
    const bool on_disk = GetFileType(existing) == FILE_TYPE_DISK;
    CloseHandle(existing);
    if (!on_disk) {
      output.final_name = name;
      output.stream = _fsopen(name, "wb", _SH_DENYNO);
      return output.stream != nullptr;
    }
  }
  output.final_name = where_link_leads(name);
  const std::string folder = folder_of(output.final_name);
  char temporary[MAX_PATH];
  if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "tmp", 0, temporary) == 0) {
    output.final_name.clear();
    output.temporary_name.clear();
    return false;
  }
  output.temporary_name = temporary;
  output.stream = _fsopen(temporary, "wb", _SH_DENYNO);
  if (output.stream == nullptr) {
    discard_output(output);
    return false;
  }
  return true;
}

CommitResult move_into_place(const char* from, const char* to, bool replace) {
  if (MoveFileExA(from, to, replace ? MOVEFILE_REPLACE_EXISTING : 0) != 0) return CommitResult::Done;
  const DWORD error = GetLastError();
  return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? CommitResult::Exists : CommitResult::Failed;
}

void remove_file(const char* name) { DeleteFileA(name); }

}  // namespace detoken
