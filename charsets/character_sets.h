#pragma once

// The machine's characters as a listing writes them, and back: for each of
// the two character sets the machine was sold with, in Shift_JIS or UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "charsets/encoding.h"

namespace detoken {

// The Japanese version's set (half-width katakana at 81-BF, kanji at 70-7E)
// and the European version's (lower-case letters and more graphics there).
enum class CharSet { Japanese, European };

// How a listing writes the machine's characters: which version's set, in
// which encoding.
struct CharMode {
  CharSet set = CharSet::Japanese;
  Encoding encoding = Encoding::ShiftJis;
};

// The text of one code: at most four bytes (a character, or the "{XX}"
// escape), padded so that it can be copied with one fixed-size move.
inline constexpr std::size_t kCharTextSize = 16;
struct CharText {
  char bytes[kCharTextSize];
  std::uint8_t length;

  constexpr std::string_view text() const { return {bytes, length}; }
};
using CharTable = std::array<CharText, 256>;

// Every code's text in a mode:
// - Shift_JIS with the Japanese set (the default): 20-5D as themselves,
//   70-7E as the kanji and currency signs, 81-BF as half-width katakana;
// - Shift_JIS with the European set: every character the set's description
//   establishes that code page 932 has (the pound sign as its full-width
//   form, as the default listing writes it);
// - UTF-8, either set: every character the set's description establishes.
// Every other code, and the braces that would make escapes ambiguous, is
// written as "{XX}", its two upper-case hexadecimal digits in braces.
const CharTable& char_table(CharMode mode);

enum class ReadStatus {
  Read,       // `code` is the character's code
  NoCode,     // the machine has no character written this way
  BadEscape,  // a '{' that does not open the escape of a code written as one
};

struct CharRead {
  ReadStatus status;
  std::uint8_t code = 0;
  std::size_t length = 1;  // bytes of the text the character takes (also when it has no code)
};

// Reads the character at the start of `text` (not empty) as char_table(mode)
// writes it. An escape is read only for a code that the mode writes as one,
// so that each code is read from the one text it is written as.
CharRead read_char(std::string_view text, CharMode mode);

// The quick ways to read the commonest characters of a mode: for each byte,
// the code written as that byte alone, plus one (0 for none); the same
// without the quote and the colon (22 and 3A), which end the runs of
// characters in strings, REM and DATA; for each code, whether it is written
// as its escape.
struct QuickCodes {
  std::array<std::uint16_t, 256> single{};
  std::array<std::uint16_t, 256> plain{};
  std::array<bool, 256> escaped{};
};
const QuickCodes& quick_codes(CharMode mode);

// The value of a hexadecimal digit as escapes write them (upper case), or -1.
constexpr int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes of the character at `at` (before `end`) if it is read the quick
// way, as one byte or as an escape, with its code; else 0.
inline std::size_t read_quick(const QuickCodes& quick, const char* at, const char* end, std::uint8_t& code) {
  const std::uint16_t single = quick.single[static_cast<std::uint8_t>(*at)];
  code = static_cast<std::uint8_t>(single - 1);
  if (single != 0) return 1;
  if (*at != '{' || end - at < 4 || at[3] != '}') return 0;
  const int high = hex_digit(at[1]);
  const int low = hex_digit(at[2]);
  code = static_cast<std::uint8_t>(high << 4 | low);
  return high >= 0 && low >= 0 && quick.escaped[code] ? 4 : 0;
}

// The length of the whole character at the start of `text` (not empty) in
// `encoding`, as far as `text` holds it.
std::size_t char_length(std::string_view text, Encoding encoding);

}  // namespace detoken
