#include "tokenizer/listing_characters.h"

#include <array>

#include "lister/characters.h"

namespace detoken {
namespace {

// The code written as each single byte, plus one (0: none), and the codes
// written as two bytes; both read off the lister's own character table.
struct CharIndex {
  std::array<std::uint16_t, 256> single{};
  std::array<std::uint8_t, 16> double_codes{};
  std::size_t double_count = 0;
};

const CharIndex& char_index() {
  static const CharIndex index = [] {
    CharIndex built;
    for (unsigned code = 0; code < 256; ++code) {
      const std::string_view text = map_char(static_cast<std::uint8_t>(code));
      if (text.size() == 1) built.single[static_cast<std::uint8_t>(text[0])] = static_cast<std::uint16_t>(code + 1);
      if (text.size() == 2) built.double_codes[built.double_count++] = static_cast<std::uint8_t>(code);
    }
    return built;
  }();
  return index;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

CharRead read_escape(std::string_view text) {
  if (text.size() < 4 || text[3] != '}' || hex_digit(text[1]) < 0 || hex_digit(text[2]) < 0) {
    return {CharStatus::BadEscape};
  }
  const auto code = static_cast<std::uint8_t>(hex_digit(text[1]) << 4 | hex_digit(text[2]));
  // Only the code's own spelling: {41} is written A.
  if (map_char(code) != text.substr(0, 4)) return {CharStatus::BadEscape, code, 4};
  return {CharStatus::Read, code, 4};
}

}  // namespace

std::size_t shift_jis_length(std::string_view text) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  const bool is_lead = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
  return is_lead && text.size() >= 2 ? 2 : 1;
}

CharRead read_listing_char(std::string_view text) {
  if (text[0] == '{') return read_escape(text);
  const CharIndex& index = char_index();
  const std::size_t length = shift_jis_length(text);
  if (length == 1) {
    const std::uint16_t code = index.single[static_cast<std::uint8_t>(text[0])];
    if (code == 0) return {CharStatus::NoCode};
    return {CharStatus::Read, static_cast<std::uint8_t>(code - 1)};
  }
  for (std::size_t i = 0; i < index.double_count; ++i) {
    const std::uint8_t code = index.double_codes[i];
    if (map_char(code) == text.substr(0, 2)) return {CharStatus::Read, code, 2};
  }
  return {CharStatus::NoCode, 0, 2};
}

}  // namespace detoken
