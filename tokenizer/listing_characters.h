#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace detoken {

enum class CharStatus {
  Read,       // `code` is the character's code
  NoCode,     // the machine has no character written this way
  BadEscape,  // a '{' that does not open the escape of a code without a character
};

struct CharRead {
  CharStatus status;
  std::uint8_t code = 0;
  std::size_t length = 1;  // bytes of `text` the character takes (also when it has no code)
};

// Reads the character at the start of `text` (not empty), written as the
// listing writes the machine's characters: the byte itself for 20-5D,
// half-width katakana for 81-BF, a kanji or currency sign for 70-7E, and
// "{XX}" for every other code. An escape is accepted only for a code that has
// no other spelling, so that each code is read from the one text it lists as.
CharRead read_listing_char(std::string_view text);

// The length of the Shift_JIS character at the start of `text`: 2 for a lead
// byte followed by another byte, else 1. For naming a character in a message.
std::size_t shift_jis_length(std::string_view text);

}  // namespace detoken
