#include "lister/numbers.h"

#include <cmath>
#include <cstdio>

namespace detoken {
namespace {

constexpr int kExponentBias = 128;

// The first five bytes of either real: exponent, sign and top 32 mantissa
// bits, as a 32-bit mantissa with the implied leading 1 restored.
struct RealHead {
  int exponent;
  bool negative;
  std::uint32_t mantissa;
};

RealHead head_of(const std::uint8_t* bytes) {
  return {bytes[0], (bytes[1] & 0x80) != 0,
          (std::uint32_t{bytes[1]} << 24 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 8 | std::uint32_t{bytes[4]}) |
              0x80000000u};
}

// Writes `value` in `base` with upper-case digits and no leading zeros.
void write_in_base(Output& out, unsigned long value, unsigned base) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  char text[24];
  char* end = text + sizeof text;
  char* start = end;
  do {
    *--start = kDigits[value % base];
    value /= base;
  } while (value != 0);
  out.write({start, static_cast<std::size_t>(end - start)});
}

}  // namespace

double read_single_real(ByteCursor& cursor) {
  std::uint8_t bytes[5];
  if (!cursor.next_bytes(bytes) || bytes[0] == 0) return 0.0;
  const RealHead head = head_of(bytes);
  // The mantissa is 0.1..., 32 bits: value = m * 2^(E - 128 - 32).
  const double magnitude = std::ldexp(static_cast<double>(head.mantissa), head.exponent - kExponentBias - 32);
  return head.negative ? -magnitude : magnitude;
}

double read_double_real(ByteCursor& cursor) {
  std::uint8_t bytes[8];
  if (!cursor.next_bytes(bytes) || bytes[0] == 0) return 0.0;
  const RealHead head = head_of(bytes);
  // All 56 mantissa bits as one integer, so that the conversion to double
  // rounds once (to nearest, ties to even), then an exact scaling.
  const std::uint64_t mantissa = std::uint64_t{head.mantissa} << 24 | std::uint64_t{bytes[5]} << 16 |
                                 std::uint64_t{bytes[6]} << 8 | std::uint64_t{bytes[7]};
  const double magnitude = std::ldexp(static_cast<double>(mantissa), head.exponent - kExponentBias - 56);
  return head.negative ? -magnitude : magnitude;
}

void write_real(Output& out, double value) {
  char text[32];
  const int length = std::snprintf(text, sizeof text, "%g", value);
  if (length > 0) out.write({text, static_cast<std::size_t>(length)});
}

void write_unsigned(Output& out, std::uint16_t word) { write_in_base(out, word, 10); }

void write_signed(Output& out, std::uint16_t word) { write_decimal(out, word > 0x7FFF ? long{word} - 0x10000 : word); }

void write_hex(Output& out, std::string_view prefix, std::uint16_t word) {
  out.write(prefix);
  write_in_base(out, word, 16);
}

void write_octal(Output& out, std::uint16_t word) {
  out.write("&O");
  write_in_base(out, word, 8);
}

void write_binary(Output& out, std::uint16_t word) {
  out.write("&B");
  unsigned mask = 0x8000;
  while (mask > 1 && (word & mask) == 0) mask >>= 1;
  for (; mask != 0; mask >>= 1) out.put((word & mask) != 0 ? '1' : '0');
}

void write_decimal(Output& out, long value) {
  if (value < 0) {
    out.put('-');
    write_in_base(out, static_cast<unsigned long>(-value), 10);
  } else {
    write_in_base(out, static_cast<unsigned long>(value), 10);
  }
}

}  // namespace detoken
