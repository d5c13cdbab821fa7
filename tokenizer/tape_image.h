#pragma once

// A BASIC program in the layout of a tape image: the 128-byte header, then
// each line as its length, its number, its body and a zero, then a length of
// 0 that ends the program. Words are low byte first. `Bytes` is any
// container of byte-sized values with push_back and insert.

#include <cstdint>
#include <string>
#include <string_view>

#include "lister/line_walker.h"

namespace detoken::tape {

// The header's size, and its first byte for a BASIC program.
inline constexpr std::size_t kHeaderSize = kProgramStart;
inline constexpr std::uint8_t kBasicProgram = 0x05;
// The longest name the header holds, in the machine's codes.
inline constexpr std::size_t kNameLength = 16;
// The largest program area the header's size can count.
inline constexpr std::size_t kLargestProgram = 0xFFFF;

template <class Bytes>
void append_word(Bytes& bytes, unsigned word) {
  bytes.push_back(static_cast<typename Bytes::value_type>(word & 0xFF));
  bytes.push_back(static_cast<typename Bytes::value_type>(word >> 8 & 0xFF));
}

// One program line; the length counts the length word, the number, the
// body and the zero.
template <class Bytes>
void append_line(Bytes& bytes, std::uint16_t number, std::string_view body) {
  append_word(bytes, static_cast<unsigned>(body.size() + 5));
  append_word(bytes, number);
  bytes.insert(bytes.end(), body.begin(), body.end());
  bytes.push_back(0);
}

template <class Bytes>
void append_end(Bytes& bytes) {
  append_word(bytes, 0);
}

// The header of a BASIC program as the machine saves it: attribute 05; the
// name (at most 16 codes) ended by 0D and padded with spaces to 17 bytes;
// the size of the program area; the load address 6BCF of the machine's BASIC
// and the execution address 0000; zeros to the end.
std::string header(std::string_view name, std::size_t program_size);

}  // namespace detoken::tape
