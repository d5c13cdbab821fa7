#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "charsets/encoding.h"
#include "lister/byte_cursor.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// First code of every keyword table.
inline constexpr std::uint8_t kFirstKeywordCode = 0x80;
// Prefixes of the two-byte tokens.
inline constexpr std::uint8_t kFePrefix = 0xFE;
inline constexpr std::uint8_t kFfPrefix = 0xFF;

// A keyword as the tables hold it: its text, padded so that it is written
// with one short write; a length of 0 where a code has no keyword.
struct Keyword {
  char text[Output::kShortWrite];
  std::uint8_t length;

  constexpr std::string_view name() const { return {text, length}; }
};

// A keyword's name in an encoding. The names are written in UTF-8; all are
// ASCII but pi, which Shift_JIS writes as 83 CE. Another name beyond ASCII
// stops the build until its Shift_JIS is given here.
constexpr std::string_view keyword_name(std::string_view name, Encoding encoding) {
  if (encoding == Encoding::Utf8) return name;
  if (name == "π") return "\x83\xCE";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) std::abort();
  }
  return name;
}

// A keyword table from the keywords' names, indexed by code - 80; an empty
// name where a code has no keyword. Built at compile time: a name too long
// for a short write stops the build there (abort is not a constant).
template <std::size_t N>
consteval std::array<Keyword, N> keyword_table(const std::array<std::string_view, N>& names, Encoding encoding) {
  std::array<Keyword, N> table{};
  for (std::size_t code = 0; code < N; ++code) {
    const std::string_view name = keyword_name(names[code], encoding);
    if (name.size() >= Output::kShortWrite) std::abort();
    for (std::size_t i = 0; i < name.size(); ++i) table[code].text[i] = name[i];
    table[code].length = static_cast<std::uint8_t>(name.size());
  }
  return table;
}

// A dialect's vocabulary. The main table covers 80 to its last code; the FE
// and FF tables cover the second bytes from 80 to their last code.
struct KeywordTables {
  std::span<const Keyword> main;
  std::span<const Keyword> fe;
  std::span<const Keyword> ff;
};

// A dialect's vocabulary as each encoding writes it.
struct EncodedKeywords {
  KeywordTables shift_jis;
  KeywordTables utf8;

  constexpr const KeywordTables& in(Encoding encoding) const { return encoding == Encoding::Utf8 ? utf8 : shift_jis; }
};

// The code of a one-byte keyword, found by its name in a main table.
consteval std::uint8_t code_of(std::span<const Keyword> table, std::string_view name) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name() == name) return static_cast<std::uint8_t>(kFirstKeywordCode + i);
  }
  std::abort();  // not a keyword of the table: the build stops
}

// Writes the keyword of a one-byte code, or reports a code with no keyword
// as a syntax error and answers Stop.
inline DecodeResult decode_one_byte_keyword(std::uint8_t code, std::span<const Keyword> table, Output& out,
                                            std::uint16_t line_number) {
  const Keyword& keyword = table[code - kFirstKeywordCode];
  if (keyword.length == 0) {
    report_syntax_error(out, line_number, code);
    return DecodeResult::Stop;
  }
  out.put_short(keyword.text, keyword.length);
  return DecodeResult::Continue;
}

// Decodes an FE or FF two-byte keyword, its second byte read from the cursor.
// A code with no keyword is reported as a syntax error and answers Stop.
DecodeResult decode_two_byte_keyword(std::uint8_t prefix, std::span<const Keyword> table, ByteCursor& cursor,
                                     Output& out, std::uint16_t line_number);

}  // namespace detoken
