#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "charsets/character_sets.h"
#include "charsets/encoding.h"

namespace detoken {

// First code of every keyword table.
inline constexpr std::uint8_t kFirstKeywordCode = 0x80;
// Prefixes of the two-byte tokens.
inline constexpr std::uint8_t kFePrefix = 0xFE;
inline constexpr std::uint8_t kFfPrefix = 0xFF;

// A keyword as the tables hold it: its text, padded as a character's text is
// (so that a listing writes either with one short write); a length of 0
// where a code has no keyword.
struct Keyword {
  char text[kCharTextSize];
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
    if (name.size() >= kCharTextSize) std::abort();
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

// A dialect's keyword tables in both encodings, built from the names of its
// single-byte codes and of the codes after FE and after FF.
template <std::size_t M, std::size_t E, std::size_t F>
struct Vocabulary {
  std::array<Keyword, M> main, main_utf8;
  std::array<Keyword, E> fe, fe_utf8;
  std::array<Keyword, F> ff, ff_utf8;

  constexpr EncodedKeywords encoded() const { return {{main, fe, ff}, {main_utf8, fe_utf8, ff_utf8}}; }
};

template <std::size_t M, std::size_t E = 0, std::size_t F = 0>
consteval Vocabulary<M, E, F> vocabulary(const std::array<std::string_view, M>& main,
                                         const std::array<std::string_view, E>& fe = {},
                                         const std::array<std::string_view, F>& ff = {}) {
  return {keyword_table(main, Encoding::ShiftJis), keyword_table(main, Encoding::Utf8),
          keyword_table(fe, Encoding::ShiftJis),   keyword_table(fe, Encoding::Utf8),
          keyword_table(ff, Encoding::ShiftJis),   keyword_table(ff, Encoding::Utf8)};
}

// What a keyword takes after it: a line number (GOTO 100, and the numbers of
// a list after a comma, ON X GOTO 100,200), or a range of lines, the rest of
// its statement (LIST 100-200), where every number is a line number and
// every other character stands for itself.
enum class LineNumbers : std::uint8_t { None, Number, Range };

// A keyword as it is read back: its name, the one or two bytes that stand
// for it, and whether line numbers follow it.
struct ReadKeyword {
  char name[kCharTextSize];
  std::uint8_t length;
  std::uint8_t code[2];
  std::uint8_t code_length;
  LineNumbers line_numbers;

  constexpr std::string_view text() const { return {name, length}; }
};

// A dialect's keywords as an encoding writes them, for reading them back: by
// the first byte of their names, the longest names first. The keywords whose
// names start with byte b are entries[start[b]] up to entries[start[b + 1]].
// Most text is names and numbers, not keywords: bit (c & 63) of
// second_bytes[b] is set when a name starting with b has c for its second
// byte (every bit when one is a single byte), so that most text that starts
// no keyword is known by one test.
struct KeywordLookup {
  std::array<std::uint16_t, 257> start;
  std::array<ReadKeyword, 256> entries;
  std::array<std::uint64_t, 256> second_bytes;

  static constexpr std::uint64_t second_byte_bit(char c) {
    return std::uint64_t{1} << (static_cast<unsigned char>(c) & 63);
  }
};

// The lookup of a dialect's tables; `line_number_keywords` names the
// keywords after which a number is a line number, `line_range_keywords`
// those that take a range of lines. Built at compile time.
consteval KeywordLookup keyword_lookup(const KeywordTables& tables,
                                       std::span<const std::string_view> line_number_keywords,
                                       std::span<const std::string_view> line_range_keywords) {
  // Every keyword once, in the tables' order.
  std::array<ReadKeyword, 256> all{};
  std::size_t count = 0;
  const auto add = [&](std::span<const Keyword> table, std::uint8_t prefix) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].length == 0) continue;
      ReadKeyword& entry = all[count++];
      for (std::size_t c = 0; c < table[i].length; ++c) entry.name[c] = table[i].text[c];
      entry.length = table[i].length;
      const auto code = static_cast<std::uint8_t>(kFirstKeywordCode + i);
      entry.code[0] = prefix == 0 ? code : prefix;
      entry.code[1] = prefix == 0 ? 0 : code;
      entry.code_length = prefix == 0 ? 1 : 2;
      for (const std::string_view name : line_number_keywords) {
        if (prefix == 0 && name == table[i].name()) entry.line_numbers = LineNumbers::Number;
      }
      for (const std::string_view name : line_range_keywords) {
        if (prefix == 0 && name == table[i].name()) entry.line_numbers = LineNumbers::Range;
      }
    }
  };
  add(tables.main, 0);
  add(tables.fe, kFePrefix);
  add(tables.ff, kFfPrefix);
  // Where each first byte's keywords start, then each placed in its place:
  // the longest names first, in the tables' order among names of a length.
  KeywordLookup lookup{};
  const auto first = [](const ReadKeyword& keyword) { return static_cast<std::uint8_t>(keyword.name[0]); };
  for (std::size_t i = 0; i < count; ++i) ++lookup.start[first(all[i]) + 1];
  for (std::size_t byte = 1; byte <= 256; ++byte) lookup.start[byte] += lookup.start[byte - 1];
  std::array<std::uint16_t, 256> next{};
  for (std::size_t byte = 0; byte < 256; ++byte) next[byte] = lookup.start[byte];
  for (std::size_t length = kCharTextSize; length > 0; --length) {
    for (std::size_t i = 0; i < count; ++i) {
      if (all[i].length == length) lookup.entries[next[first(all[i])]++] = all[i];
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    lookup.second_bytes[first(all[i])] |=
        all[i].length == 1 ? ~std::uint64_t{0} : KeywordLookup::second_byte_bit(all[i].name[1]);
  }
  return lookup;
}

// The code of a one-byte keyword, found by its name in a main table.
consteval std::uint8_t code_of(std::span<const Keyword> table, std::string_view name) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name() == name) return static_cast<std::uint8_t>(kFirstKeywordCode + i);
  }
  std::abort();  // not a keyword of the table: the build stops
}

}  // namespace detoken
