#include "format/typed_numbers.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>

#include "tape/words.h"

namespace detoken {
namespace {

// A decimal of more significant digits than a single real holds (about
// seven) is a double, where the dialect has them.
constexpr std::size_t kSingleDigits = 7;

// The digits a single and a double real carry: enough to tell apart any two
// values of their mantissas (32 and 56 bits).
constexpr int kSingleMostDigits = 10;
constexpr int kDoubleMostDigits = 17;

std::size_t significant_digits(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? 0 : digits.size() - first;
}

}  // namespace

long whole_value(std::string_view digits) {
  long value = 0;
  for (const char digit : digits) {
    value = value * 10 + (digit - '0');
    if (value > 0xFFFF) return -1;
  }
  return value;
}

std::size_t store_decimal(const DecimalText& number, const TypeCodes& codes, char (&out)[kLongestStoredNumber]) {
  const long value = number.whole ? whole_value(number.digits) : -1;
  if (codes.first_digit != 0 && value >= 0 && value <= 9) {
    out[0] = static_cast<char>(codes.first_digit + value);
    return 1;
  }
  if (codes.signed_word != 0 && value >= 0 && value <= 0x7FFF) {
    out[0] = static_cast<char>(codes.signed_word);
    tape::put_word(out + 1, static_cast<unsigned>(value));
    return 1 + tape::kWordSize;
  }
  if (value >= 0 && codes.single_real != 0) {
    // The commonest constants: a whole number below 2^16 is exact in a
    // single's 32 bits, which are its own bits moved to the top.
    std::uint8_t bytes[kSingleRealSize] = {};
    if (value != 0) {
      const int length = std::bit_width(static_cast<unsigned long>(value));
      const auto mantissa = static_cast<std::uint32_t>(static_cast<unsigned long>(value) << (32 - length));
      bytes[0] = static_cast<std::uint8_t>(length + kExponentBias);
      for (std::size_t i = 1; i < kSingleRealSize; ++i) bytes[i] = static_cast<std::uint8_t>(mantissa >> (32 - 8 * i));
      bytes[1] &= 0x7F;  // the leading 1 gives way to the sign: positive
    }
    out[0] = static_cast<char>(codes.single_real);
    for (std::size_t i = 0; i < kSingleRealSize; ++i) out[1 + i] = static_cast<char>(bytes[i]);
    return 1 + kSingleRealSize;
  }
  const bool as_double = codes.double_real != 0 && significant_digits(number.digits) > kSingleDigits;
  std::uint8_t bytes[kDoubleRealSize];
  const std::span<std::uint8_t> real(bytes, as_double ? kDoubleRealSize : kSingleRealSize);
  if (encode_real(number.number(), real, codes.real_conversion) != RealStatus::Stored) return 0;
  out[0] = static_cast<char>(as_double ? codes.double_real : codes.single_real);
  for (std::size_t i = 0; i < real.size(); ++i) out[1 + i] = static_cast<char>(bytes[i]);
  return 1 + real.size();
}

namespace {

// A decimal of `count` significant digits: `digits` times ten to the power
// `exponent` (that of its first digit).
struct Decimal {
  std::uint64_t digits;
  int exponent;
  int count;
};

// The nearest decimal of `count` significant digits to `value` (positive or
// zero).
Decimal nearest_decimal(double value, int count) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*e", count - 1, value);
  Decimal decimal{0, 0, count};
  const char* at = text;
  for (; *at != 'e'; ++at) {
    if (*at != '.') decimal.digits = decimal.digits * 10 + static_cast<unsigned>(*at - '0');
  }
  decimal.exponent = std::atoi(at + 1);
  return decimal;
}

// `decimal` moved by `units` in its last digit, still of the same count.
bool moved(Decimal decimal, long long units, Decimal& result) {
  std::uint64_t low = 1;
  for (int i = 1; i < decimal.count; ++i) low *= 10;
  const long long digits = static_cast<long long>(decimal.digits) + units;
  result = decimal;
  if (digits <= 0) return digits == 0 && units == 0;  // zero itself
  result.digits = static_cast<std::uint64_t>(digits);
  if (result.digits >= low * 10) {
    if (result.digits % 10 != 0) return false;  // would take one more digit
    result.digits /= 10;
    ++result.exponent;
  } else if (result.digits < low) {
    result.digits *= 10;  // a digit less above: one more below
    --result.exponent;
  }
  return true;
}

// `decimal` in "%g"'s layout: plain below 1e-4 and from 10^count on written
// with an exponent; trailing zeros of the fraction and a trailing point
// left out, unless `keep_zeros` ("%#g").
std::string g_layout(const Decimal& decimal, bool keep_zeros) {
  std::string digits = std::to_string(decimal.digits);
  if (decimal.digits == 0) digits.assign(static_cast<std::size_t>(decimal.count), '0');
  const bool plain = decimal.exponent >= -4 && decimal.exponent < decimal.count;
  const int point_after = plain ? decimal.exponent + 1 : 1;  // digits before the point
  std::string text;
  if (point_after <= 0) {
    text = "0." + std::string(static_cast<std::size_t>(-point_after), '0') + digits;
  } else {
    text = digits.substr(0, static_cast<std::size_t>(point_after)) + "." +
           digits.substr(static_cast<std::size_t>(point_after));
  }
  if (!keep_zeros) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (!plain) {
    char exponent[8];
    std::snprintf(exponent, sizeof exponent, "e%+03d", decimal.exponent);
    text += exponent;
  }
  return text;
}

// How far from the nearest decimal a text may lie and still be read back as
// the bytes: the machine's conversion is off by a few units of the last
// binary place, which is less than this many units of the last decimal one
// at the counts of digits where a text can tell two mantissas apart.
constexpr long long kFarthest = 16;

}  // namespace

std::string exact_real_text(std::string_view stored, double value, const TypeCodes& codes) {
  const int most_digits = stored.size() == 1 + kDoubleRealSize ? kDoubleMostDigits : kSingleMostDigits;
  char again[kLongestStoredNumber];
  for (int count = 6; !std::signbit(value) && count <= most_digits; ++count) {
    const Decimal nearest = nearest_decimal(value, count);
    for (long long step = 0; step <= 2 * kFarthest; ++step) {
      const long long units = step % 2 == 0 ? step / 2 : -(step + 1) / 2;  // 0, -1, 1, -2, 2 ...
      Decimal decimal;
      if (!moved(nearest, units, decimal)) continue;
      for (const bool keep_zeros : {false, true}) {
        const std::string text = g_layout(decimal, keep_zeros);
        const DecimalText number = read_decimal(text);
        if (number.length != text.size()) continue;
        const std::size_t length = store_decimal(number, codes, again);
        if (length != 0 && std::string_view(again, length) == stored) return text;
      }
    }
  }
  char text[48];
  const int length = std::snprintf(text, sizeof text, "%.*g", most_digits, value);
  return {text, static_cast<std::size_t>(length)};
}

}  // namespace detoken
