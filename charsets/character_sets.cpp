#include "charsets/character_sets.h"

#include <algorithm>

#include "charsets/digits.h"
#include "charsets/set_rows.h"

namespace detoken {
namespace {

using charsets::CharRow;
using charsets::CharStatus;

constexpr CharText escape_of(unsigned code) {
  CharText text = {{'{', '0', '0', '}'}, 4};
  digits_before<16>(text.bytes + 3, code, 2);
  return text;
}

constexpr CharText utf8_of(std::uint32_t point) {
  CharText text{};
  const auto byte = [](std::uint32_t value) { return static_cast<char>(value); };
  if (point < 0x80) {
    text = {{byte(point)}, 1};
  } else if (point < 0x800) {
    text = {{byte(0xC0 | point >> 6), byte(0x80 | (point & 0x3F))}, 2};
  } else if (point < 0x10000) {
    text = {{byte(0xE0 | point >> 12), byte(0x80 | (point >> 6 & 0x3F)), byte(0x80 | (point & 0x3F))}, 3};
  } else {
    text = {{byte(0xF0 | point >> 18), byte(0x80 | (point >> 12 & 0x3F)), byte(0x80 | (point >> 6 & 0x3F)),
             byte(0x80 | (point & 0x3F))},
            4};
  }
  return text;
}

// The codes the default listing writes as characters: the ASCII range the
// two sets share, the kanji and currency signs, the katakana.
constexpr bool in_default_listing(unsigned code) {
  return (code >= 0x20 && code <= 0x5D) || (code >= 0x70 && code <= 0x7E) || (code >= 0x81 && code <= 0xBF);
}

constexpr CharText text_of(const CharRow& row, unsigned code, CharMode mode) {
  const bool brace = row.code_point == '{' || row.code_point == '}';
  const bool shown = row.status == CharStatus::Established && !brace;
  if (mode.encoding == Encoding::Utf8) return shown ? utf8_of(row.code_point) : escape_of(code);
  const bool in_set = mode.set == CharSet::European || in_default_listing(code);
  if (!shown || !in_set || row.shift_jis_length == 0) return escape_of(code);
  CharText text{};
  for (std::size_t i = 0; i < row.shift_jis_length; ++i) text.bytes[i] = static_cast<char>(row.shift_jis[i]);
  text.length = row.shift_jis_length;
  return text;
}

template <CharMode Mode>
constexpr CharTable make_table() {
  const CharRow* rows = Mode.set == CharSet::Japanese ? charsets::kJapaneseRows : charsets::kEuropeanRows;
  CharTable table{};
  for (unsigned code = 0; code < table.size(); ++code) table[code] = text_of(rows[code], code, Mode);
  return table;
}

constexpr CharTable kJapaneseShiftJis = make_table<CharMode{CharSet::Japanese, Encoding::ShiftJis}>();
constexpr CharTable kEuropeanShiftJis = make_table<CharMode{CharSet::European, Encoding::ShiftJis}>();
constexpr CharTable kJapaneseUtf8 = make_table<CharMode{CharSet::Japanese, Encoding::Utf8}>();
constexpr CharTable kEuropeanUtf8 = make_table<CharMode{CharSet::European, Encoding::Utf8}>();

constexpr bool is_escape(const CharText& text) { return text.length == 4 && text.bytes[0] == '{'; }

// A mode's texts back to their codes: those of one byte by that byte, the
// escapes by their code, the others in order, for a binary search.
struct ReverseIndex {
  struct Entry {
    std::string_view text;
    std::uint8_t code;
  };
  QuickCodes quick;
  std::array<Entry, 256> multi{};
  std::size_t multi_count = 0;
};

constexpr ReverseIndex make_index(const CharTable& table) {
  ReverseIndex index;
  for (unsigned code = 0; code < table.size(); ++code) {
    const CharText& text = table[code];
    if (is_escape(text)) {
      index.quick.escaped[code] = true;
    } else if (text.length == 1) {
      const auto byte = static_cast<std::uint8_t>(text.bytes[0]);
      index.quick.single[byte] = static_cast<std::uint16_t>(code + 1);
      if (code != 0x22 && code != 0x3A) index.quick.plain[byte] = static_cast<std::uint16_t>(code + 1);
    } else {
      index.multi[index.multi_count++] = {text.text(), static_cast<std::uint8_t>(code)};
    }
  }
  std::sort(index.multi.begin(), index.multi.begin() + static_cast<std::ptrdiff_t>(index.multi_count),
            [](const ReverseIndex::Entry& a, const ReverseIndex::Entry& b) { return a.text < b.text; });
  return index;
}

constexpr ReverseIndex kJapaneseShiftJisIndex = make_index(kJapaneseShiftJis);
constexpr ReverseIndex kEuropeanShiftJisIndex = make_index(kEuropeanShiftJis);
constexpr ReverseIndex kJapaneseUtf8Index = make_index(kJapaneseUtf8);
constexpr ReverseIndex kEuropeanUtf8Index = make_index(kEuropeanUtf8);

const ReverseIndex& reverse_index(CharMode mode) {
  if (mode.encoding == Encoding::Utf8) {
    return mode.set == CharSet::European ? kEuropeanUtf8Index : kJapaneseUtf8Index;
  }
  return mode.set == CharSet::European ? kEuropeanShiftJisIndex : kJapaneseShiftJisIndex;
}

CharRead read_escape(std::string_view text, const ReverseIndex& index) {
  const std::size_t length = std::min<std::size_t>(4, text.size());
  if (text.size() < 4 || text[3] != '}' || hex_digit(text[1]) < 0 || hex_digit(text[2]) < 0) {
    return {ReadStatus::BadEscape, 0, length};
  }
  const auto code = static_cast<std::uint8_t>(hex_digit(text[1]) << 4 | hex_digit(text[2]));
  // Only the code's own spelling: {41} is written A.
  if (!index.quick.escaped[code]) return {ReadStatus::BadEscape, code, 4};
  return {ReadStatus::Read, code, 4};
}

}  // namespace

const QuickCodes& quick_codes(CharMode mode) { return reverse_index(mode).quick; }

const CharTable& char_table(CharMode mode) {
  if (mode.encoding == Encoding::Utf8) return mode.set == CharSet::European ? kEuropeanUtf8 : kJapaneseUtf8;
  return mode.set == CharSet::European ? kEuropeanShiftJis : kJapaneseShiftJis;
}

std::size_t char_length(std::string_view text, Encoding encoding) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  std::size_t length = 1;
  if (encoding == Encoding::ShiftJis) {
    if (is_shift_jis_lead(lead)) length = 2;
  } else {
    length = std::max<std::size_t>(utf8_length(lead), 1);
  }
  return std::min(length, text.size());
}

CharRead read_char(std::string_view text, CharMode mode) {
  const ReverseIndex& index = reverse_index(mode);
  if (text[0] == '{') return read_escape(text, index);
  const std::size_t length = char_length(text, mode.encoding);
  if (length == 1) {
    const std::uint16_t code = index.quick.single[static_cast<std::uint8_t>(text[0])];
    if (code == 0) return {ReadStatus::NoCode};
    return {ReadStatus::Read, static_cast<std::uint8_t>(code - 1)};
  }
  const std::string_view wanted = text.substr(0, length);
  const auto end = index.multi.begin() + static_cast<std::ptrdiff_t>(index.multi_count);
  const auto found =
      std::lower_bound(index.multi.begin(), end, wanted,
                       [](const ReverseIndex::Entry& entry, std::string_view key) { return entry.text < key; });
  if (found != end && found->text == wanted) return {ReadStatus::Read, found->code, length};
  return {ReadStatus::NoCode, 0, length};
}

}  // namespace detoken
