#pragma once

// The machine's 16-bit words, wherever its tapes and programs hold them (line
// lengths and numbers, the header's size and addresses, constants): two
// bytes, the low byte first. The one place that order is written.

#include <cstddef>
#include <cstdint>

namespace detoken::tape {

inline constexpr std::size_t kWordSize = 2;

// The word whose low byte is `low` and high byte `high`.
constexpr std::uint16_t word_of(std::uint8_t low, std::uint8_t high) {
  return static_cast<std::uint16_t>(low | high << 8);
}

// The word held by the two bytes at `at` (bytes of any byte-sized type).
template <class Byte>
constexpr std::uint16_t word_at(const Byte* at) {
  return word_of(static_cast<std::uint8_t>(at[0]), static_cast<std::uint8_t>(at[1]));
}

// Puts `word` in the two bytes at `at`; answers `at`.
template <class Byte>
constexpr Byte* put_word(Byte* at, unsigned word) {
  at[0] = static_cast<Byte>(word & 0xFF);
  at[1] = static_cast<Byte>(word >> 8 & 0xFF);
  return at;
}

// Appends `word` to a container of byte-sized values.
template <class Bytes>
void append_word(Bytes& bytes, unsigned word) {
  typename Bytes::value_type pair[kWordSize];
  put_word(pair, word);
  bytes.push_back(pair[0]);
  bytes.push_back(pair[1]);
}

}  // namespace detoken::tape
