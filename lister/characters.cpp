#include "lister/characters.h"

#include <array>

namespace detoken {
namespace {

// One mapped character: at most four bytes (the "{XX}" escape).
struct CharText {
  char bytes[4];
  std::uint8_t length;
};

// Shift_JIS of the kanji and currency signs at codes 70-7E:
// 日 月 火 水 木 金 土 生 年 時 分 秒 円 ￥ ￡
constexpr std::uint8_t kKanji[15][2] = {
    {0x93, 0xFA}, {0x8C, 0x8E}, {0x89, 0xCE}, {0x90, 0x85}, {0x96, 0xD8},
    {0x8B, 0xE0}, {0x93, 0x79}, {0x90, 0xB6}, {0x94, 0x4E}, {0x8E, 0x9E},
    {0x95, 0xAA}, {0x95, 0x62}, {0x89, 0x7E}, {0x81, 0x8F}, {0x81, 0x92},
};

constexpr CharText text_of(unsigned code) {
  constexpr char kHex[] = "0123456789ABCDEF";
  if (code >= 0x20 && code <= 0x5D) return {{static_cast<char>(code)}, 1};
  if (code >= 0x81 && code <= 0xBF) return {{static_cast<char>(code + 0x20)}, 1};
  if (code >= 0x70 && code <= 0x7E) {
    const auto& kanji = kKanji[code - 0x70];
    return {{static_cast<char>(kanji[0]), static_cast<char>(kanji[1])}, 2};
  }
  return {{'{', kHex[code >> 4], kHex[code & 0xF], '}'}, 4};
}

constexpr std::array<CharText, 256> make_char_table() {
  std::array<CharText, 256> table{};
  for (unsigned code = 0; code < table.size(); ++code) table[code] = text_of(code);
  return table;
}

constexpr std::array<CharText, 256> kCharTable = make_char_table();

constexpr std::uint8_t kQuote = 0x22;
constexpr std::uint8_t kColon = 0x3A;

// Reads and writes the next character of raw text; false at the line's
// terminating zero, which is left for the walker.
bool next_text_byte(ByteCursor& cursor, Output& out, std::uint8_t& code) {
  code = cursor.next_byte();
  if (code == 0) {
    cursor.step_back();
    return false;
  }
  out.write(map_char(code));
  return true;
}

}  // namespace

std::string_view map_char(std::uint8_t code) {
  const CharText& text = kCharTable[code];
  return {text.bytes, text.length};
}

void copy_string_literal(ByteCursor& cursor, Output& out) {
  std::uint8_t code = 0;
  while (next_text_byte(cursor, out, code)) {
    if (code == kQuote) return;
  }
}

void copy_statement_text(ByteCursor& cursor, Output& out) {
  bool in_quotes = false;
  std::uint8_t code = 0;
  while (next_text_byte(cursor, out, code)) {
    if (code == kQuote) {
      in_quotes = !in_quotes;
    } else if (code == kColon && !in_quotes) {
      return;
    }
  }
}

}  // namespace detoken
