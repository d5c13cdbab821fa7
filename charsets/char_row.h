#pragma once

#include <cstdint>

namespace detoken::charsets {

// What is established about a code of one of the machine's character sets.
enum class CharStatus : std::uint8_t {
  Established,  // the character the machine shows, identified
  Unsure,       // a glyph whose Unicode character is in doubt
  Control,      // moves the cursor or clears the screen
  Unused,       // the machine shows nothing
};

// One code: its status, the Unicode code point of its character (for
// established codes), and that character's bytes in code page 932, where
// it has them.
struct CharRow {
  CharStatus status;
  std::uint32_t code_point;
  std::uint8_t shift_jis_length;
  std::uint8_t shift_jis[2];
};

}  // namespace detoken::charsets
