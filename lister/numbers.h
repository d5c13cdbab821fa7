#pragma once

#include <cstdint>
#include <string_view>

#include "charsets/digits.h"
#include "lister/byte_cursor.h"
#include "lister/output.h"

namespace detoken {

// Binary reals as the machine stores them: an exponent byte biased by 128
// (0 meaning zero), then the mantissa, a fraction 0.1... whose leading 1 is
// replaced by the sign bit; 4 mantissa bytes in a single, 7 in a double.
// Both consume their bytes even for zero; when the bytes run out the cursor is
// exhausted and the value is 0.
inline constexpr int kExponentBias = 128;
inline constexpr std::size_t kSingleRealSize = 5;
inline constexpr std::size_t kDoubleRealSize = 8;
double read_single_real(ByteCursor& cursor);
double read_double_real(ByteCursor& cursor);

// "%g": six significant digits, exponent form below 1e-4 and from 1e6 on.
void write_real(Output& out, double value);
// "%d" of the word as 0 to 65535.
void write_unsigned(Output& out, std::uint16_t word);
// "%d" of the word as -32768 to 32767.
void write_signed(Output& out, std::uint16_t word);
// The prefix, then "%X".
void write_hex(Output& out, std::string_view prefix, std::uint16_t word);
// "&O%o".
void write_octal(Output& out, std::uint16_t word);
// "&B" and the binary digits, without leading zeros.
void write_binary(Output& out, std::uint16_t word);

}  // namespace detoken
