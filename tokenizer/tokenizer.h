#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "lister/dialects/dialect.h"

namespace detoken {

// What is wrong with a listing, at the first place found.
enum class ListingError {
  MissingLineNumber,     // a line that does not start with its number
  MissingSpace,          // the number is not followed by a space
  LineNumberTooLarge,    // above 65535
  LineNumberRepeated,    // the same as the line before
  LineNumberOutOfOrder,  // below the line before
  NoMachineCode,         // a character the machine does not have
  BadEscape,             // a '{' that is not the escape of a code without a character
  NotInProgramText,      // a code that program text cannot hold (it would read as something else)
  NumberOutOfRange,      // a constant too large for its kind
  MalformedNumber,       // a number followed by a point or digit it cannot take (1.0.5, &B12)
  LineTooLong,           // more bytes than a line's length can count
  ProgramTooLarge,       // more bytes than the tape header's size can count
};

struct ListingFault {
  ListingError error;
  std::size_t line = 0;    // in the listing file, from 1
  std::size_t column = 0;  // in bytes, from 1
  std::string_view text;   // the characters at fault
};

// The program text area of a tape image made from `listing`, the text that
// detoken writes (Shift_JIS, lines ending in LF or CR LF, each a line number,
// a space and the line's text): every line in the machine's layout, then the
// end marker. False at the first fault, described in `fault`; `program` is
// then incomplete. Empty lines are skipped. `size_limit` caps the result.
bool tokenize_listing(std::string_view listing, Dialect dialect, std::string& program, ListingFault& fault,
                      std::size_t size_limit = std::numeric_limits<std::size_t>::max());

// One line's body (the text after the line number and its space) in the
// machine's bytes, without the terminating zero. False at a fault, whose
// column counts from the start of `text`.
bool tokenize_line(std::string_view text, Dialect dialect, std::string& body, ListingFault& fault);

}  // namespace detoken
