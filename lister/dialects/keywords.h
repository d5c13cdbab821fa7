#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "lister/byte_cursor.h"
#include "lister/characters.h"
#include "lister/line_walker.h"
#include "lister/numbers.h"
#include "lister/output.h"

namespace detoken {

// First code of every keyword table.
inline constexpr std::uint8_t kFirstKeywordCode = 0x80;
// Prefixes of the two-byte tokens.
inline constexpr std::uint8_t kFePrefix = 0xFE;
inline constexpr std::uint8_t kFfPrefix = 0xFF;
// Tokens followed by raw statement text, the same in both dialects.
inline constexpr std::uint8_t kDataToken = 0x94;
inline constexpr std::uint8_t kRemToken = 0x97;

// A keyword as the tables hold it: its text, padded so that it is written
// with one short write; a length of 0 where a code has no keyword.
struct Keyword {
  char text[Output::kShortWrite];
  std::uint8_t length;

  constexpr std::string_view name() const { return {text, length}; }
};

// A keyword table from the keywords' names, indexed by code - 80; an empty
// name where a code has no keyword. Built at compile time: a name too long
// for a short write stops the build there (abort is not a constant).
template <std::size_t N>
consteval std::array<Keyword, N> keyword_table(const std::array<std::string_view, N>& names) {
  std::array<Keyword, N> table{};
  for (std::size_t code = 0; code < N; ++code) {
    const std::string_view name = names[code];
    if (name.size() >= Output::kShortWrite) std::abort();
    for (std::size_t i = 0; i < name.size(); ++i) table[code].text[i] = name[i];
    table[code].length = static_cast<std::uint8_t>(name.size());
  }
  return table;
}

// A dialect's vocabulary. The main table covers 80-FD; the FE and FF tables
// cover the second bytes from 80 to their last code.
struct KeywordTables {
  std::span<const Keyword> main;
  std::span<const Keyword> fe;
  std::span<const Keyword> ff;
};

// Decodes an FE or FF two-byte keyword, its second byte read from the cursor.
// A code with no keyword is reported as a syntax error and answers Stop.
DecodeResult decode_two_byte_keyword(std::uint8_t prefix, std::span<const Keyword> table, ByteCursor& cursor,
                                     Output& out, std::uint16_t line_number);

// Decodes a single-byte keyword 80-FD, with the statement text of DATA and
// REM. A code with no keyword is reported as a syntax error and answers Stop.
inline DecodeResult decode_one_byte_keyword(std::uint8_t code, std::span<const Keyword> table, ByteCursor& cursor,
                                            Output& out, std::uint16_t line_number) {
  const Keyword& keyword = table[code - kFirstKeywordCode];
  if (keyword.length == 0) {
    report_syntax_error(out, line_number, code);
    return DecodeResult::Stop;
  }
  out.put_short(keyword.text, keyword.length);
  if (code == kDataToken || code == kRemToken) copy_statement_text(cursor, out);
  return DecodeResult::Continue;
}

// Whether `code` is a character to both dialects with nothing after it that
// belongs to it: 20-7F but the quote (both dialects' type codes lie below
// 20; HuBASIC's colon needs a look at what follows). A quick test for the
// commonest item.
constexpr bool is_plain_character(std::uint8_t code) { return code >= 0x20 && code < 0x80 && code != kQuote; }

// Decodes the items both dialects read alike: a character below 80 (with the
// rest of a string literal after a quote), and the keywords.
inline DecodeResult decode_common_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out,
                                       std::uint16_t line_number, const KeywordTables& tables) {
  if (first_byte < kFirstKeywordCode) {
    write_char(out, first_byte);
    if (first_byte == kQuote) copy_string_literal(cursor, out);
    return DecodeResult::Continue;
  }
  switch (first_byte) {
    case kFePrefix:
      return decode_two_byte_keyword(kFePrefix, tables.fe, cursor, out, line_number);
    case kFfPrefix:
      return decode_two_byte_keyword(kFfPrefix, tables.ff, cursor, out, line_number);
    default:
      return decode_one_byte_keyword(first_byte, tables.main, cursor, out, line_number);
  }
}

// A constant whose value is one word: reads it and writes it with `write`,
// unless the data has run out.
template <class WordWriter>
DecodeResult decode_word_constant(ByteCursor& cursor, Output& out, WordWriter write) {
  const std::uint16_t word = cursor.next_word();
  if (!cursor.exhausted()) write(out, word);
  return DecodeResult::Continue;
}

// A real constant read with `read` (single or double), written with "%g",
// unless the data has run out.
template <class RealReader>
DecodeResult decode_real_constant(ByteCursor& cursor, Output& out, RealReader read) {
  const double value = read(cursor);
  if (!cursor.exhausted()) write_real(out, value);
  return DecodeResult::Continue;
}

}  // namespace detoken
