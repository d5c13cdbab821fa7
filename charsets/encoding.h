#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace detoken {

// What the text a program writes is encoded in: Shift_JIS (code page 932),
// the programs' own, or UTF-8 (-u).
enum class Encoding { ShiftJis, Utf8 };

// The bytes of the two encodings, the one place they are told apart.
// Shift_JIS: a byte below 80 or from A1 to DF (the half-width katakana)
// stands alone; a lead byte (81-9F, E0-FC) takes a trail byte (40-7E,
// 80-FC) after it; no other byte starts a character.
constexpr bool is_shift_jis_single(std::uint8_t byte) { return byte < 0x80 || (byte >= 0xA1 && byte <= 0xDF); }
constexpr bool is_shift_jis_lead(std::uint8_t byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool is_shift_jis_trail(std::uint8_t byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// UTF-8: the length of the sequence a lead byte starts (1 below 80, 2 for
// C2-DF, 3 for E0-EF, 4 for F0-F4), 0 for a byte that starts none; each
// byte after the lead is 80-BF; and the least code point a sequence of each
// length may hold (a smaller one is an overlong form).
constexpr std::size_t utf8_length(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}
constexpr bool is_utf8_continuation(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }
constexpr std::uint32_t utf8_least(std::size_t length) {
  return length == 2 ? 0x80 : length == 3 ? 0x800 : length == 4 ? 0x10000 : 0;
}

// The language of the messages: Japanese, the programs' own, or English.
enum class Language { Japanese, English };

// How the messages are written: in which language, in which encoding.
struct Wording {
  Language language = Language::Japanese;
  Encoding encoding = Encoding::ShiftJis;
};

// A text the programs write: in Japanese in both encodings, and in English
// (ASCII, the same in both).
struct Message {
  std::string_view shift_jis;
  std::string_view utf8;
  std::string_view english;

  constexpr std::string_view in(Encoding encoding) const { return encoding == Encoding::Utf8 ? utf8 : shift_jis; }
  constexpr std::string_view in(const Wording& wording) const {
    return wording.language == Language::English ? english : in(wording.encoding);
  }
};

}  // namespace detoken
