#include "convert/listing_reports.h"

#include <string>

#include "charsets/character_sets.h"
#include "charsets/digits.h"
#include "convert/messages.h"
#include "convert/wording.h"
#include "format/dialects/dialect.h"

namespace detoken {
namespace {

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
    case ListingError::EmptyListing: return messages::kEmptyListing;
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
    const bool single_character = encoding == Encoding::ShiftJis && is_shift_jis_single(byte);
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

std::string report(const ListingReports& reports, const Message& message,
                   std::initializer_list<std::string_view> values = {}) {
  return std::string(reports.listing_name) + ": " + format(message, reports.wording, values);
}

}  // namespace

std::string fault_report(const ListingReports& reports, const ListingFault& fault) {
  std::string place(reports.listing_name);
  if (fault.line != 0) place += ':' + std::to_string(fault.line) + ':' + std::to_string(fault.column);
  place += ": ";
  return place + format(fault_message(fault.error), reports.wording, {shown(fault.text, reports.wording.encoding)});
}

std::string notes_report(const ListingReports& reports, const ListingNotes& notes, bool read) {
  std::string text;
  if (notes.looks_like_utf8) text += report(reports, messages::kLooksLikeUtf8);
  if (!read) return text;
  if (notes.reordered + notes.replaced + notes.deleted != 0) {
    text += report(reports, messages::kLinesEdited,
                   {std::to_string(notes.reordered), std::to_string(notes.replaced), std::to_string(notes.deleted)});
  }
  if (notes.last_line_unended) text += report(reports, messages::kLastLineUnended);
  if (notes.long_lines != 0) {
    text += report(reports, messages::kLongLines,
                   {std::to_string(notes.long_lines), std::to_string(notes.first_long_line)});
  }
  return text;
}

std::string size_report(const ListingReports& reports, Dialect dialect, std::size_t program_size) {
  const std::size_t free = dialect_info(dialect).free_memory;
  if (free == 0 || program_size <= free) return {};
  return report(reports, messages::kProgramExceedsMemory, {std::to_string(program_size), std::to_string(free)});
}

}  // namespace detoken
