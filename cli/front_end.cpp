#include "cli/front_end.h"

#include <new>
#include <string>

#include "cli/messages.h"
#include "cli/platform.h"

namespace detoken {
namespace {

// Reads `size` bytes, in pieces that any runtime's fread takes whole.
bool read_whole(std::FILE* input, std::uint8_t* bytes, std::size_t size) {
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  for (std::size_t done = 0; done < size;) {
    const std::size_t piece = size - done < kPiece ? size - done : kPiece;
    if (std::fread(bytes + done, 1, piece, input) != piece) return false;
    done += piece;
  }
  return true;
}

}  // namespace

void say(std::string_view format, std::string_view value) {
  std::string text(format);
  const std::size_t at = text.find('%');
  if (at != std::string::npos) text.replace(at, 2, value);
  write_standard_output(text);
}

std::optional<int> end_of_scan(const ScanOutcome& scan, void (*show_usage)()) {
  switch (scan.result) {
    case ScanResult::ShowUsage:
      show_usage();
      return kExitSuccess;
    case ScanResult::InvalidOption:
      say(messages::kInvalidOption, std::string_view(&scan.invalid_letter, 1));
      return kExitFailure;
    case ScanResult::NameTooLong:
      write_standard_output(messages::kNameTooLong);
      return kExitFailure;
    case ScanResult::Convert:
      break;
  }
  return std::nullopt;
}

LoadedInput::~LoadedInput() {
  bytes.reset();
  if (file != nullptr) std::fclose(file);
}

bool load_input(const char* name, bool empty_allowed, LoadedInput& input) {
  std::uint64_t length = 0;
  input.file = open_input(name, length);
  if (input.file == nullptr) {
    say(messages::kReadFailed, name);
    return false;
  }
  input.size = static_cast<std::size_t>(length);
  if (input.size == 0 && empty_allowed) return true;
  // An empty file has nothing to allocate: reported like a failed allocation,
  // and so is a file too large to hold.
  if (input.size != 0 && input.size == length) input.bytes.reset(new (std::nothrow) std::uint8_t[input.size]);
  if (input.bytes == nullptr) {
    write_standard_output(messages::kNoMemory);
    return false;
  }
  if (!read_whole(input.file, input.bytes.get(), input.size)) {
    say(messages::kReadFailed, name);
    return false;
  }
  return true;
}

}  // namespace detoken
