#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include "cli/platform.h"

namespace detoken {
namespace {

bool identity_of(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info) != 0;
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

// The runtime's text mode turns "\n" into CR LF on the console streams.
void write_console(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

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

std::FILE* create_output(const char* name) { return _fsopen(name, "wb", _SH_DENYNO); }

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

}  // namespace detoken
