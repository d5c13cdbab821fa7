#include "lister/characters.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace detoken {

std::string_view map_char(std::uint8_t code) { return char_table({}).at(code).text(); }

namespace {

// The bytes that may end a run of raw text: the line's terminator, the
// quote and the colon; for lines ended by 00 and by 0D.
constexpr std::array<bool, 256> may_end_text(std::uint8_t line_end) {
  std::array<bool, 256> may_end{};
  may_end[line_end] = may_end[kQuote] = may_end[kColon] = true;
  return may_end;
}
constexpr std::array<bool, 256> kMayEndText = may_end_text(0x00);
constexpr std::array<bool, 256> kMayEndTextAt0D = may_end_text(0x0D);

// Copies raw text, each byte through the output's character table, until
// `ends_text` says the byte just written ends it, or up to the line's
// terminator, which is left for the walker. Text that runs past the loaded
// bytes leaves the cursor exhausted, as a read past them does. Works on the
// bytes and the output in place, a block at a time.
template <class EndsText>
void copy_text(ByteCursor& cursor, Output& out, std::uint8_t line_end, EndsText ends_text) {
  const std::array<bool, 256>& may_end = line_end == 0x0D ? kMayEndTextAt0D : kMayEndText;
  constexpr std::size_t kChunk = Output::kBlockSize / 2 / Output::kShortWrite;
  static_assert(kChunk * Output::kShortWrite <= Output::kBlockSize, "a chunk's room is more than reserve gives");
  const std::span<const std::uint8_t> text = cursor.rest();
  const CharTable& characters = out.characters();
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t chunk_end = std::min(text.size(), i + kChunk);
    char8_t* at = out.reserve((chunk_end - i) * Output::kShortWrite);
    for (; i < chunk_end; ++i) {
      const std::uint8_t code = text[i];
      const CharText& mapped = characters[code];
      if (!may_end[code]) {
        std::memcpy(at, mapped.bytes, Output::kShortWrite);
        at += mapped.length;
        continue;
      }
      if (code == line_end) {
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

void copy_string_literal(ByteCursor& cursor, Output& out, std::uint8_t line_end) {
  copy_text(cursor, out, line_end, [](std::uint8_t code) { return code == kQuote; });
}

void copy_statement_text(ByteCursor& cursor, Output& out, std::uint8_t line_end) {
  copy_text(cursor, out, line_end, [in_quotes = false](std::uint8_t code) mutable {
    if (code == kQuote) in_quotes = !in_quotes;
    return code == kColon && !in_quotes;
  });
}

}  // namespace detoken
