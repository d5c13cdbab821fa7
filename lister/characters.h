#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "charsets/character_sets.h"
#include "format/byte_cursor.h"
#include "format/dialects/dialect.h"
#include "lister/output.h"

namespace detoken {

// The Shift_JIS text of one of the machine's character codes in the default
// listing: the byte itself for 20-5D, half-width katakana for 81-BF, a kanji
// for 70-7E, and "{XX}" for every other code. The text lives in a constant
// table and stays valid.
std::string_view map_char(std::uint8_t code);

// Writes the text of a code as the listing writes characters.
inline void write_char(Output& out, std::uint8_t code) {
  const CharText& text = out.characters()[code];
  out.put_short(text.bytes, text.length);
}

// Writes the rest of a string literal, right after its opening quote: up to
// and including the closing quote, or up to the line's terminator (00, or
// 0D in the MZ-80K's BASIC).
void copy_string_literal(ByteCursor& cursor, Output& out, std::uint8_t line_end = 0x00);

// Writes the raw text of a DATA or REM statement (or a HuBASIC ' comment): up
// to and including the first colon outside quotes, or up to the line's
// terminator. Bytes 80 and above are characters here, never keywords.
void copy_statement_text(ByteCursor& cursor, Output& out, std::uint8_t line_end = 0x00);

}  // namespace detoken
