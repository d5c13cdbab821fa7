#pragma once

#include <cstdint>

namespace detoken {

// Puts the digits of `value` in base `Base` (upper case), at least
// `min_digits` of them, so that they end just before `end`; returns where
// they start. The programs' one digit writer: numbers, the "{XX}" of a
// character with no text, and the codes in reports and messages.
template <unsigned Base = 10>
constexpr char* digits_before(char* end, std::uint32_t value, int min_digits = 1) {
  char* start = end;
  do {
    const unsigned digit = value % Base;
    *--start = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
    value /= Base;
  } while (value != 0);
  while (end - start < min_digits) *--start = '0';
  return start;
}

}  // namespace detoken
