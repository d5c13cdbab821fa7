#pragma once

#include <cstdint>
#include <string_view>

#include "charsets/digits.h"
#include "format/reals.h"
#include "lister/output.h"

namespace detoken {

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
