#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace detoken {

// A decimal number as typed: all its digits, the point left out, and the
// power of ten that scales them: value = digits * 10^exponent. ("1.5e-07" is
// the digits 15 with the exponent -8.)
struct DecimalNumber {
  std::string_view digits;
  int exponent = 0;
};

enum class RealStatus { Stored, TooLarge };

// Stores `number` in the machine's real format into `bytes`: 5 bytes for a
// single (32 mantissa bits), 8 for a double (56 bits). The exponent byte is
// biased by 128 (0 for zero) and the mantissa, 0.1..., has its leading 1
// replaced by the sign, always positive here: a minus sign is an operator
// before the number.
//
// The value is computed the way the machine's BASIC converts what is typed,
// so that the bytes are the ones it would have stored: the digits are
// gathered into a whole number, digit by digit (times ten, rounded; plus the
// digit, rounded), which then is divided by ten once for each power of ten
// below one (or multiplied by ten for each above), each step rounded to the
// nearest mantissa, ties to even. That differs from the correctly rounded
// value in the last bit now and then (3.721: ...DD 30, not ...DD 2F), as the
// machine's own programs show.
//
// A value too small for the format is stored as zero; one too large is
// refused.
RealStatus encode_real(const DecimalNumber& number, std::span<std::uint8_t> bytes);

}  // namespace detoken
