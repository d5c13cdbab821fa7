#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "format/byte_cursor.h"

// The machine's binary reals, both ways: read from a program's bytes, and
// made of a decimal number as the machine's BASIC converts what is typed.
namespace detoken {

// An exponent byte biased by 128 (0 meaning zero), then the mantissa, a
// fraction 0.1... whose leading 1 is replaced by the sign bit; 4 mantissa
// bytes in a single, 7 in a double.
inline constexpr int kExponentBias = 128;
inline constexpr std::size_t kSingleRealSize = 5;
inline constexpr std::size_t kDoubleRealSize = 8;

// The value of a single or double real read through the cursor. Both consume
// their bytes even for zero; when the bytes run out the cursor is exhausted
// and the value is 0.
double read_single_real(ByteCursor& cursor);
double read_double_real(ByteCursor& cursor);

// A decimal number as typed: all its digits, the point left out, and the
// power of ten that scales them: value = digits * 10^exponent. ("1.5e-07" is
// the digits 15 with the exponent -8.)
struct DecimalNumber {
  std::string_view digits;
  int exponent = 0;
};

// A decimal number read from a text as "%g" writes it and as people type
// it: digits, a point and digits, an exponent (e or E, a sign, digits).
struct DecimalText {
  std::size_t length = 0;  // the characters it takes; 0 when the text starts with none
  std::string digits;      // all its digits, the point left out
  int exponent = 0;        // the power of ten that scales them
  bool whole = true;       // only digits: no point, no exponent

  DecimalNumber number() const { return {digits, exponent}; }
};

// The decimal number at the start of `text`: it starts with a digit, or a
// point and a digit.
DecimalText read_decimal(std::string_view text);

// Where the digits of an exponent start when one (e or E, a sign, digits)
// stands at the start of `text`; else 0.
std::size_t exponent_digits_at(std::string_view text);

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
// digit, rounded; with eight bits more than the mantissa), which is rounded
// to the mantissa and then divided by ten once for each power of ten below
// one (or multiplied by ten for each above), each step rounded to the
// nearest mantissa, ties to even. That differs from the correctly rounded
// value in the last bit now and then (3.721: ...DD 30, not ...DD 2F), as the
// machine's own programs show.
//
// A value too small for the format is stored as zero; one too large is
// refused.
//
// That is how S-BASIC converts. BASIC 800 makes the power of ten first, by
// multiplying by ten, each step rounded, and divides (or multiplies) by it
// once: its real programs store 1.38E-23 as 35 05 77 25 23, which the steps
// of S-BASIC make ...25 and the correctly rounded value ...24.
enum class RealConversion { StepByStep, ByPower };
RealStatus encode_real(const DecimalNumber& number, std::span<std::uint8_t> bytes,
                       RealConversion conversion = RealConversion::StepByStep);

}  // namespace detoken
