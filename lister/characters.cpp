#include "lister/characters.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "lister/numbers.h"

namespace detoken {
namespace {

// Shift_JIS of the kanji and currency signs at codes 70-7E:
// 日 月 火 水 木 金 土 生 年 時 分 秒 円 ￥ ￡
// clang-format off
constexpr std::uint8_t kKanji[15][2] = {
    {0x93, 0xFA}, {0x8C, 0x8E}, {0x89, 0xCE}, {0x90, 0x85}, {0x96, 0xD8},
    {0x8B, 0xE0}, {0x93, 0x79}, {0x90, 0xB6}, {0x94, 0x4E}, {0x8E, 0x9E},
    {0x95, 0xAA}, {0x95, 0x62}, {0x89, 0x7E}, {0x81, 0x8F}, {0x81, 0x92},
    // clang-format on
};

constexpr CharText text_of(unsigned code) {
  if (code >= 0x20 && code <= 0x5D) return {{static_cast<char>(code)}, 1};
  if (code >= 0x81 && code <= 0xBF) return {{static_cast<char>(code + 0x20)}, 1};
  if (code >= 0x70 && code <= 0x7E) {
    const auto& kanji = kKanji[code - 0x70];
    return {{static_cast<char>(kanji[0]), static_cast<char>(kanji[1])}, 2};
  }
  CharText escape = {{'{', '0', '0', '}'}, 4};
  digits_before<16>(escape.bytes + 3, code, 2);
  return escape;
}

constexpr std::array<CharText, 256> make_char_table() {
  std::array<CharText, 256> table{};
  for (unsigned code = 0; code < table.size(); ++code) table[code] = text_of(code);
  return table;
}

}  // namespace

// Declared extern in the header: external linkage for this constant.
constexpr std::array<CharText, 256> kCharTable = make_char_table();

std::string_view map_char(std::uint8_t code) {
  const CharText& text = kCharTable[code];
  return {text.bytes, text.length};
}

namespace {

// The bytes that may end a run of raw text: the line's zero, the quote and
// the colon.
constexpr std::array<bool, 256> kMayEndText = [] {
  std::array<bool, 256> may_end{};
  may_end[0] = may_end[kQuote] = may_end[kColon] = true;
  return may_end;
}();

// Copies raw text, each byte through map_char, until `ends_text` says the
// byte just written ends it, or up to the line's zero, which is left for the
// walker. Text that runs past the loaded bytes leaves the cursor exhausted,
// as a read past them does. Works on the bytes and the output in place,
// a block at a time.
template <class EndsText>
void copy_text(ByteCursor& cursor, Output& out, EndsText ends_text) {
  constexpr std::size_t kChunk = Output::kBlockSize / 2 / Output::kShortWrite;
  static_assert(kChunk * Output::kShortWrite <= Output::kBlockSize, "a chunk's room is more than reserve gives");
  const std::span<const std::uint8_t> text = cursor.rest();
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t chunk_end = std::min(text.size(), i + kChunk);
    char8_t* at = out.reserve((chunk_end - i) * Output::kShortWrite);
    for (; i < chunk_end; ++i) {
      const std::uint8_t code = text[i];
      const CharText& mapped = kCharTable[code];
      if (!kMayEndText[code]) {
        std::memcpy(at, mapped.bytes, Output::kShortWrite);
        at += mapped.length;
        continue;
      }
      if (code == 0) {
        out.commit(at);
        cursor.skip(i);
        return;
      }
      std::memcpy(at, mapped.bytes, Output::kShortWrite);
      at += mapped.length;
      if (ends_text(code)) {
        out.commit(at);
        cursor.skip(i + 1);
        return;
      }
    }
    out.commit(at);
  }
  cursor.skip(text.size());
  cursor.next_byte();
}

}  // namespace

void copy_string_literal(ByteCursor& cursor, Output& out) {
  copy_text(cursor, out, [](std::uint8_t code) { return code == kQuote; });
}

void copy_statement_text(ByteCursor& cursor, Output& out) {
  copy_text(cursor, out, [in_quotes = false](std::uint8_t code) mutable {
    if (code == kQuote) in_quotes = !in_quotes;
    return code == kColon && !in_quotes;
  });
}

}  // namespace detoken
