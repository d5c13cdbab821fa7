#include "cli/retoken.h"

#include <string>

#include "charsets/character_sets.h"
#include "charsets/digits.h"
#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "lister/tape_format.h"
#include "tokenizer/keyword_index.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

void show_usage() {
  for (const Message& line :
       {messages::kRetokenUsageTitle, messages::kRetokenUsageCall, messages::kUsageOutput,
        messages::kRetokenUsageOutputDefault, messages::kRetokenUsageName, messages::kRetokenUsageNameDefault,
        messages::kRetokenUsageReplace, messages::kRetokenUsageHuBasic, messages::kRetokenUsageSBasic,
        messages::kRetokenUsageExact, messages::kRetokenUsageEuropean, messages::kRetokenUsageUtf8}) {
    say(line);
  }
}

const Message& fault_message(ListingError error) {
  switch (error) {
    case ListingError::MissingLineNumber: return messages::kMissingLineNumber;
    case ListingError::LineNumberTooLarge: return messages::kLineNumberTooLarge;
    case ListingError::NoMachineCode: return messages::kNoMachineCode;
    case ListingError::LowerCaseNeedsEuropean: return messages::kLowerCaseNeedsEuropean;
    case ListingError::BadEscape: return messages::kBadEscape;
    case ListingError::NotInProgramText: return messages::kNotInProgramText;
    case ListingError::NumberOutOfRange: return messages::kNumberOutOfRange;
    case ListingError::MalformedNumber: return messages::kMalformedNumber;
    case ListingError::LineTooLong: return messages::kLineTooLong;
    case ListingError::ProgramTooLarge: return messages::kProgramTooLarge;
    case ListingError::ByteOrderMarkInShiftJis: return messages::kByteOrderMarkInShiftJis;
    case ListingError::NotShiftJis: return messages::kNotShiftJis;
    case ListingError::NotUtf8: return messages::kNotUtf8;
  }
  return messages::kMissingLineNumber;
}

// The characters at fault as a message shows them: control codes and bytes
// that are no whole character as {XX}, and at most 32 bytes of them.
std::string shown(std::string_view text, Encoding encoding) {
  constexpr std::size_t kMostShown = 32;
  std::string shown;
  while (!text.empty() && shown.size() < kMostShown) {
    const std::size_t length = char_length(text, encoding);
    const auto byte = static_cast<std::uint8_t>(text[0]);
    const bool single_character = encoding == Encoding::ShiftJis && byte >= 0xA1 && byte <= 0xDF;
    if (byte < 0x20 || byte == 0x7F || (length == 1 && byte >= 0x80 && !single_character)) {
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
void report_fault(const RunOptions& options, const ListingFault& fault) {
  const std::string place =
      std::string(options.input_name) + ':' + std::to_string(fault.line) + ':' + std::to_string(fault.column) + ": ";
  write_standard_error(place + format(fault_message(fault.error), {shown(fault.text, options.characters.encoding)}));
}

// What reading the listing noticed, on standard error: "LISTING: ...". A
// listing that looks like UTF-8 is told of even when it is refused: that is
// most likely why.
void report_notes(const RunOptions& options, const ListingNotes& notes, bool read) {
  const std::string place = std::string(options.input_name) + ": ";
  if (notes.looks_like_utf8) write_standard_error(place + format(messages::kLooksLikeUtf8));
  if (read && notes.reordered + notes.replaced + notes.deleted != 0) {
    write_standard_error(
        place + format(messages::kLinesEdited, {std::to_string(notes.reordered), std::to_string(notes.replaced),
                                                std::to_string(notes.deleted)}));
  }
}

// `text`'s characters in the machine's codes, at most 16 of them; a
// character that has no code or cannot stand in a name (the name's end mark
// 0D, the line end 00) is left out when `skip_unknown`, else ends it: false.
bool name_codes(std::string_view text, CharMode mode, bool skip_unknown, std::string& codes) {
  codes.clear();
  while (!text.empty()) {
    const CharRead read = read_char(text, mode);
    const bool fits = read.status == ReadStatus::Read && read.code != tape::kNameEnd && read.code != 0;
    if (!fits && !skip_unknown) return false;
    if (fits && codes.size() < tape::kNameLength) codes.push_back(static_cast<char>(read.code));
    text.remove_prefix(read.length);
  }
  return true;
}

// The name a tape header gets for a file: the file's own name without its
// extension, upper-cased, in the machine's codes (characters it has no code
// for are left out), at most 16 codes.
std::string tape_name_of_file(const char* path, CharMode mode) {
  mode.encoding = file_name_encoding(mode.encoding);
  std::string name(path + file_name_start(path));
  name = name.substr(0, name.rfind('.'));
  for (std::size_t at = 0; at < name.size(); at += char_length(std::string_view(name).substr(at), mode.encoding)) {
    name[at] = upper(name[at]);
  }
  std::string codes;
  name_codes(name, mode, true, codes);
  return codes;
}

// The name the tape header gets: the -n name (known to be one), or the
// listing file's own.
std::string tape_name(const RunOptions& options) {
  std::string name;
  if (options.tape_name == nullptr || !name_codes(options.tape_name, options.characters, false, name)) {
    name = tape_name_of_file(options.input_name, options.characters);
  }
  return name;
}

// Tokenizes the loaded listing into a whole tape image and writes it.
Converted make_image(const LoadedInput& listing, const RunOptions& options, std::FILE* output) {
  std::string program;
  ListingFault fault{};
  ListingNotes notes;
  const bool read = tokenize_listing(listing.text(), {options.dialect, options.characters}, program, fault, &notes,
                                     tape::kLargestProgram);
  report_notes(options, notes, read);
  if (!read) {
    report_fault(options, fault);
    return Converted::Refused;
  }
  const std::string image = tape::header(tape_name(options), program.size()) + program;
  return std::fwrite(image.data(), 1, image.size(), output) == image.size() ? Converted::Done : Converted::WriteFailed;
}

}  // namespace

int run_retoken(int argc, const char* const* argv) {
  RunOptions options;
  const ScanOutcome scan = scan_arguments(argc, argv, options, Program::Retoken);
  use_console_encoding(options.characters.encoding);
  if (const std::optional<int> status = end_of_scan(scan, show_usage)) return *status;
  std::string name;
  if (options.tape_name != nullptr && !name_codes(options.tape_name, options.characters, false, name)) {
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
