#include "cli/retoken.h"

#include <string>

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "lister/numbers.h"
#include "lister/tape_format.h"
#include "tokenizer/listing_characters.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

void show_usage() {
  for (const Message& line :
       {messages::kRetokenUsageTitle, messages::kRetokenUsageCall, messages::kUsageOutput,
        messages::kRetokenUsageOutputDefault, messages::kRetokenUsageName, messages::kRetokenUsageNameDefault,
        messages::kRetokenUsageReplace, messages::kRetokenUsageHuBasic, messages::kRetokenUsageSBasic,
        messages::kRetokenUsageExact}) {
    say(line);
  }
}

const Message& fault_message(ListingError error) {
  switch (error) {
    case ListingError::MissingLineNumber: return messages::kMissingLineNumber;
    case ListingError::MissingSpace: return messages::kMissingSpace;
    case ListingError::LineNumberTooLarge: return messages::kLineNumberTooLarge;
    case ListingError::LineNumberRepeated: return messages::kLineNumberRepeated;
    case ListingError::LineNumberOutOfOrder: return messages::kLineNumberOutOfOrder;
    case ListingError::NoMachineCode: return messages::kNoMachineCode;
    case ListingError::BadEscape: return messages::kBadEscape;
    case ListingError::NotInProgramText: return messages::kNotInProgramText;
    case ListingError::NumberOutOfRange: return messages::kNumberOutOfRange;
    case ListingError::MalformedNumber: return messages::kMalformedNumber;
    case ListingError::LineTooLong: return messages::kLineTooLong;
    case ListingError::ProgramTooLarge: return messages::kProgramTooLarge;
  }
  return messages::kMissingLineNumber;
}

// The characters at fault as a message shows them: control codes and bytes
// that are no whole character as {XX}, and at most 32 bytes of them.
std::string shown(std::string_view text) {
  constexpr std::size_t kMostShown = 32;
  std::string shown;
  while (!text.empty() && shown.size() < kMostShown) {
    const std::size_t length = shift_jis_length(text);
    const auto byte = static_cast<std::uint8_t>(text[0]);
    if (byte < 0x20 || byte == 0x7F || (length == 1 && byte >= 0x80 && (byte < 0xA1 || byte > 0xDF))) {
      char escape[] = "{XX}";
      digits_before<16>(escape + 3, byte, 2);
      shown += escape;
    } else {
      shown += text.substr(0, length);
    }
    text.remove_prefix(length);
  }
  if (!text.empty()) shown += "...";
  return shown;
}

// "LISTING:LINE:COLUMN: what is wrong", on standard error.
void report_fault(const char* listing_name, const ListingFault& fault) {
  std::string text = listing_name;
  text += ':' + std::to_string(fault.line) + ':' + std::to_string(fault.column) + ": ";
  std::string message(fault_message(fault.error).in(console_encoding()));
  const std::size_t at = message.find("%s");
  if (at != std::string::npos) message.replace(at, 2, shown(fault.text));
  write_standard_error(text + message);
}

// `text`'s characters in the machine's codes, at most 16 of them; a
// character that has no code or cannot stand in a name (the name's end mark
// 0D, the line end 00) is left out when `skip_unknown`, else ends it: false.
bool name_codes(std::string_view text, bool skip_unknown, std::string& codes) {
  codes.clear();
  while (!text.empty()) {
    const CharRead read = read_listing_char(text);
    const bool fits = read.status == CharStatus::Read && read.code != tape::kNameEnd && read.code != 0;
    if (!fits && !skip_unknown) return false;
    if (fits && codes.size() < tape::kNameLength) codes.push_back(static_cast<char>(read.code));
    text.remove_prefix(read.length);
  }
  return true;
}

// The name a tape header gets for a file: the file's own name without its
// extension, upper-cased, in the machine's codes (characters it has no code
// for are left out), at most 16 codes.
std::string tape_name_of_file(const char* path) {
  std::string name(path + file_name_start(path));
  name = name.substr(0, name.rfind('.'));
  for (std::size_t at = 0; at < name.size(); at += shift_jis_length(std::string_view(name).substr(at))) {
    if (name[at] >= 'a' && name[at] <= 'z') name[at] = static_cast<char>(name[at] - 'a' + 'A');
  }
  std::string codes;
  name_codes(name, true, codes);
  return codes;
}

// `text`, typed as a listing writes the machine's characters, in the
// machine's codes; false when a character has no code or cannot stand in a
// name (the name's end mark 0D, the line end 00).
bool tape_name_of_text(std::string_view text, std::string& codes) { return name_codes(text, false, codes); }

// The name the tape header gets: the -n name, or the listing file's own.
std::string tape_name(const RunOptions& options) {
  std::string name;
  if (options.tape_name == nullptr || !tape_name_of_text(options.tape_name, name)) {
    name = tape_name_of_file(options.input_name);
  }
  return name;
}

// Tokenizes the loaded listing into a whole tape image and writes it.
Converted make_image(const LoadedInput& listing, const RunOptions& options, std::FILE* output) {
  std::string program;
  ListingFault fault{};
  if (!tokenize_listing(listing.text(), options.dialect, program, fault, tape::kLargestProgram)) {
    report_fault(options.input_name, fault);
    return Converted::Refused;
  }
  const std::string image = tape::header(tape_name(options), program.size()) + program;
  return std::fwrite(image.data(), 1, image.size(), output) == image.size() ? Converted::Done : Converted::WriteFailed;
}

}  // namespace

int run_retoken(int argc, const char* const* argv) {
  RunOptions options;
  if (const std::optional<int> status =
          end_of_scan(scan_arguments(argc, argv, options, Program::Retoken), show_usage)) {
    return *status;
  }
  std::string name;
  if (options.tape_name != nullptr && !tape_name_of_text(options.tape_name, name)) {
    say(messages::kBadTapeName, options.tape_name);
    return kExitFailure;
  }
  // A file already at the image's name is replaced only with -f: the default
  // name is often the very image the listing came from. The listing is never
  // replaced.
  return run_conversion(
      options, {.empty_input_allowed = true, .replace_existing = options.replace_existing, .convert = make_image});
}

}  // namespace detoken
