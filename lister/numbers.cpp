#include "lister/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace detoken {
namespace {

// Writes `value` in base `Base` with no leading zeros.
template <unsigned Base>
void write_in_base(Output& out, std::uint32_t value) {
  char text[24];
  char* const end = text + sizeof text;
  const char* start = digits_before<Base>(end, value);
  out.write({start, static_cast<std::size_t>(end - start)});
}

// A real that is, as far as a double can tell, N / 10^k with N below a
// million and k at most 5, and at least 1e-4: "%g" writes it in plain
// decimals with no rounding, which is what this does. Most constants in real
// programs are such numbers (0, 1, 100, 0.5). False for any other value.
bool write_short_real(Output& out, double value) {
  const double magnitude = std::fabs(value);
  if (magnitude < 1e6 && magnitude == static_cast<double>(static_cast<std::uint32_t>(magnitude)) &&
      (value != 0 || !std::signbit(value))) {
    // A whole number of at most six digits: the commonest case by far.
    char digits[2 * Output::kShortWrite];
    char* const end = digits + Output::kShortWrite;
    char* start = digits_before(end, static_cast<std::uint32_t>(magnitude));
    if (value < 0) *--start = '-';
    // The text and what follows it in `digits`, as the whole array put_short
    // takes (one 16-byte move once compiled).
    char text[Output::kShortWrite];
    std::memcpy(text, start, sizeof text);
    out.put_short(text, static_cast<std::size_t>(end - start));
    return true;
  }
  if (!(magnitude >= 1e-4 && magnitude < 1e6)) return false;
  constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000, 100000};
  for (int decimals = 0; decimals < 6; ++decimals) {
    const double scaled = magnitude * kPowersOfTen[decimals];
    if (scaled >= 1e6) return false;
    if (scaled != std::floor(scaled)) continue;
    // The digits of N, at least one more than the decimals.
    char digits[16];
    const char* const digits_end = std::end(digits);
    const char* start = digits_before(std::end(digits), static_cast<std::uint32_t>(scaled), decimals + 1);
    char text[24];
    char* at = text;
    if (value < 0) *at++ = '-';
    const auto whole = (digits_end - start) - decimals;
    at = std::copy(start, start + whole, at);
    if (decimals > 0) {
      *at++ = '.';
      at = std::copy(start + whole, digits_end, at);
      while (at[-1] == '0') --at;
      if (at[-1] == '.') --at;
    }
    out.write({text, static_cast<std::size_t>(at - text)});
    return true;
  }
  return false;
}

}  // namespace

void write_real(Output& out, double value) {
  // The same text as printf's "%g" (six significant digits, exact rounding,
  // ties to even), without parsing a format each time.
  if (write_short_real(out, value)) return;
  char text[32];
#if defined(__cpp_lib_to_chars)
  const std::to_chars_result result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  out.write({text, static_cast<std::size_t>(result.ptr - text)});
#else
  // A C++ library without the floating-point to_chars (the WebAssembly
  // build's): "%g" itself, the same text.
  const int length = std::snprintf(text, sizeof text, "%g", value);
  out.write({text, static_cast<std::size_t>(length)});
#endif
}

void write_unsigned(Output& out, std::uint16_t word) { write_in_base<10>(out, word); }

void write_signed(Output& out, std::uint16_t word) {
  if (word > 0x7FFF) {
    out.put('-');
    write_in_base<10>(out, 0x10000u - word);
  } else {
    write_in_base<10>(out, word);
  }
}

void write_hex(Output& out, std::string_view prefix, std::uint16_t word) {
  out.write(prefix);
  write_in_base<16>(out, word);
}

void write_octal(Output& out, std::uint16_t word) {
  out.write("&O");
  write_in_base<8>(out, word);
}

void write_binary(Output& out, std::uint16_t word) {
  out.write("&B");
  unsigned mask = 0x8000;
  while (mask > 1 && (word & mask) == 0) mask >>= 1;
  for (; mask != 0; mask >>= 1) out.put((word & mask) != 0 ? '1' : '0');
}

}  // namespace detoken
