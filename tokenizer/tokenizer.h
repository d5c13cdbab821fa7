#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "charsets/character_sets.h"
#include "format/dialects/dialect.h"

namespace detoken {

// How a listing is read: the program's dialect, and how the listing writes
// the machine's characters.
// Lines of a program that a listing may leave as they were (the program of
// the tape the listing was made of): each line's number, its text as listed
// (after the number and its space; with reals as "%g" writes them, and
// exactly), and its bytes as the program holds them, framed. A listing line
// of that number and one of those texts is stored as those bytes: what the
// user did not edit comes back as it was, whatever the listing rounded.
class KeptLines {
 public:
  void add(std::uint16_t number, std::string_view text, std::string_view bytes);
  // The bytes of line `number` listed as `text`, or null.
  const std::string* find(std::uint16_t number, std::string_view text) const;
  bool empty() const { return lines_.empty(); }

 private:
  std::multimap<std::uint16_t, std::pair<std::string, std::string>> lines_;
};

struct ListingOptions {
  ListingOptions(Dialect dialect = Dialect::SBasic, CharMode characters = {})  // NOLINT: a dialect alone is options
      : dialect(dialect), characters(characters) {}

  Dialect dialect;
  CharMode characters;
  const KeptLines* kept = nullptr;
};

// What is wrong with a listing, at the first place found.
enum class ListingError {
  MissingLineNumber,        // a line that does not start with its number
  LineNumberTooLarge,       // above 65535
  NoMachineCode,            // a character the machine does not have
  LowerCaseNeedsEuropean,   // a lower-case letter in a string, REM or DATA: only the European set has them (-e)
  BadEscape,                // a '{' that is not the escape of a code written as one
  NotInProgramText,         // a code that program text cannot hold (it would read as something else)
  NumberOutOfRange,         // a constant too large for its kind
  MalformedNumber,          // a number followed by a point or digit it cannot take (1.0.5, &B12)
  LineTooLong,              // more bytes than a line's length can count
  ProgramTooLarge,          // more bytes than the tape header's size can count
  ByteOrderMarkInShiftJis,  // a Shift_JIS listing that starts with UTF-8's byte-order mark (-u reads it)
  NotShiftJis,              // bytes that are no Shift_JIS character (a UTF-8 listing, -u)
  NotUtf8,                  // bytes that are no UTF-8 character, read with -u
  EmptyListing,             // no line, or none left once its deletions are made: no program (line and column 0)
};

struct ListingFault {
  ListingError error;
  std::size_t line = 0;    // in the listing file, from 1
  std::size_t column = 0;  // in bytes, from 1
  std::string_view text;   // the characters at fault
};

// What reading a listing noticed without refusing it.
struct ListingNotes {
  // Lines edited as the machine's own editor takes them: a line that came
  // after a higher number, a number given again, a number alone that
  // deleted its line.
  std::size_t reordered = 0;
  std::size_t replaced = 0;
  std::size_t deleted = 0;
  // A Shift_JIS listing that reads as UTF-8 with characters beyond ASCII: most
  // likely saved by an editor in UTF-8 (-u reads it so).
  bool looks_like_utf8 = false;
  // The last line has no line feed, as a listing that detoken cut short with
  // a report ends: the program may be incomplete.
  bool last_line_unended = false;
  // Lines longer than the machine's input line takes (255 characters, as
  // typed: the number and the text, each character and escape counted once),
  // and the listing line of the first.
  std::size_t long_lines = 0;
  std::size_t first_long_line = 0;
};

// Appends to `program` the program text area of a tape image made from
// `listing`: every line in the machine's layout, in the order of their
// numbers, then the end marker.
// Each line is a line number (leading spaces allowed), a space (which may be
// left out) and the text, in the notation detoken writes; lines end in LF or
// CR LF, empty lines are skipped. As the machine's editor takes them, lines
// may come in any order, a number given again replaces its line, and a
// number alone deletes it (a number and its space is a line with no text).
// False at the first fault, described in `fault`; `program` is then as it
// was. `size_limit` caps the size of the whole of `program`.
bool tokenize_listing(std::string_view listing, const ListingOptions& options, std::string& program,
                      ListingFault& fault, ListingNotes* notes = nullptr,
                      std::size_t size_limit = std::numeric_limits<std::size_t>::max());

// One line's body (the text after the line number and its space) in the
// machine's bytes, without the terminator. False at a fault, whose column
// counts from the start of `text`.
bool tokenize_line(std::string_view text, const ListingOptions& options, std::string& body, ListingFault& fault);

}  // namespace detoken
