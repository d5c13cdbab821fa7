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

// Converts into the output and puts it in place; false after the message of
// what failed.
bool write_output(const LoadedInput& input, const RunOptions& options, const Conversion& conversion) {
  OutputFile file;
  if (!open_output(file, options.output_name)) {
    say(messages::kCannotCreate, options.output_name);
    return false;
  }
  switch (conversion.convert(input, file.stream)) {
    case Converted::Done: break;
    case Converted::Refused: return false;
    case Converted::WriteFailed: say(messages::kWriteFailed, options.output_name); return false;
  }
  switch (commit_output(file, conversion.replace_existing)) {
    case CommitResult::Done: return true;
    case CommitResult::Exists: say(messages::kOutputExists, options.output_name); return false;
    case CommitResult::Failed: break;
  }
  say(messages::kWriteFailed, options.output_name);
  return false;
}

}  // namespace

int run_conversion(const RunOptions& options, const Conversion& conversion) {
  {
    LoadedInput input;
    if (!load_input(options.input_name, conversion.empty_input_allowed, input)) return kExitFailure;
    // The output would take the place of the input it names.
    if (is_same_file(input.file, options.output_name)) {
      say(messages::kSameAsInput, options.output_name);
      return kExitFailure;
    }
    // Told before the conversion, so that the user learns of it first.
    if (!conversion.replace_existing && regular_file_exists(options.output_name)) {
      say(messages::kOutputExists, options.output_name);
      return kExitFailure;
    }
    if (!write_output(input, options, conversion)) return kExitFailure;
  }
  say(messages::kWritten, options.output_name);
  return kExitSuccess;
}

namespace {
Encoding the_console_encoding = Encoding::ShiftJis;
}  // namespace

void use_console_encoding(Encoding encoding) {
  the_console_encoding = encoding;
  set_console_encoding(encoding);
}
Encoding console_encoding() { return the_console_encoding; }

std::string format(const Message& message, std::initializer_list<std::string_view> values) {
  std::string text(message.in(the_console_encoding));
  std::size_t at = 0;
  for (const std::string_view value : values) {
    at = text.find('%', at);
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
    at += value.size();
  }
  return text;
}

std::optional<int> end_of_scan(const ScanOutcome& scan, void (*show_usage)()) {
  switch (scan.result) {
    case ScanResult::ShowUsage: show_usage(); return kExitSuccess;
    case ScanResult::InvalidOption:
      say(messages::kInvalidOption, std::string_view(&scan.invalid_letter, 1));
      return kExitFailure;
    case ScanResult::NameTooLong: say(messages::kNameTooLong); return kExitFailure;
    case ScanResult::Convert: break;
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
    say(messages::kNoMemory);
    return false;
  }
  if (!read_whole(input.file, input.bytes.get(), input.size)) {
    say(messages::kReadFailed, name);
    return false;
  }
  return true;
}

}  // namespace detoken
