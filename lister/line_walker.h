#pragma once

#include <cstdint>
#include <span>

#include "charsets/encoding.h"
#include "lister/byte_cursor.h"
#include "lister/output.h"
#include "lister/tape_format.h"

namespace detoken {

enum class DecodeResult { Continue, Stop };

// A dialect's decoder: given a byte of a line body that is not the line's
// terminator, writes the text of one item (a character, a keyword, a
// constant, or a keyword with the statement text it governs), reading through
// the cursor whatever further bytes the item takes. Answers Stop only after it
// has reported a syntax error. When the item's bytes run out it writes nothing
// for them and leaves the cursor exhausted: the walker reports that.
using DecodeFn = DecodeResult (*)(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// A dialect's decoder, and the byte that ends its lines: 00, or 0D in the
// MZ-80K's BASIC.
struct TokenDecoder {
  constexpr TokenDecoder(DecodeFn decode_item, std::uint8_t line_end = 0x00)  // NOLINT: a decoder of 00-ended lines
      : decode_item(decode_item), line_end(line_end) {}

  DecodeFn decode_item;
  std::uint8_t line_end;
};

// Where the program text starts in a tape image: after its header.
inline constexpr std::size_t kProgramStart = tape::kHeaderSize;

// Lists the program of a loaded tape image, one text line per program line:
// the line number in five columns, a space, the decoded body, and 0x0A. Stops
// at the end marker (a line length of 0), after a syntax error, or with the
// abnormal-file report when a line does not end in its terminator or the data
// ends early.
// What was written before a report stays written.
void list_program(std::span<const std::uint8_t> image, Output& out, TokenDecoder decoder);

// The report of a file that is not a whole program, in both encodings.
// clang-format off
inline constexpr Message kAbnormalFile = {
    "\x88\xD9\x8F\xED\x82\xC8""BASIC\x83t\x83@\x83""C\x83\x8B\x82\xC5\x82\xB7\n",
    "異常なBASICファイルです\n"};
// clang-format on

// The lister's findings, written to the report side of `out`.
void report_abnormal_file(Output& out);
void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t code);
void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t prefix, std::uint8_t code);

}  // namespace detoken
