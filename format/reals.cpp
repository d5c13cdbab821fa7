#include "format/reals.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace detoken {
namespace {

// The first five bytes of either real: exponent, sign and top 32 mantissa
// bits, as a 32-bit mantissa with the implied leading 1 restored.
struct RealHead {
  int exponent;
  bool negative;
  std::uint32_t mantissa;
};

RealHead head_of(const std::uint8_t* bytes) {
  return {bytes[0], (bytes[1] & 0x80) != 0,
          (std::uint32_t{bytes[1]} << 24 | std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 8 |
           std::uint32_t{bytes[4]}) |
              0x80000000u};
}

// 2 to the power `exponent`, for exponents a double holds in its normal range
// (the reals' scales, from -184 to 95, all are).
double power_of_two(int exponent) {
  const std::uint64_t bits = static_cast<std::uint64_t>(1023 + exponent) << 52;
  double value;
  std::memcpy(&value, &bits, sizeof value);  // std::bit_cast, which the WebAssembly build's library lacks
  return value;
}

using Wide = unsigned __int128;

int bit_length(Wide value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  if (high != 0) return 128 - std::countl_zero(high);
  return 64 - std::countl_zero(static_cast<std::uint64_t>(value));
}

// The digits are gathered with a byte more than the mantissa holds: a
// constant typed with more digits than 32 bits take comes out as the real
// programs show (8640184.812866 as 98 03 D6 B8 D0, where gathering in 32
// bits gives ...B8 CE).
constexpr int kGuardBits = 8;

// Exponents of ten beyond these need no more steps: the value has long gone
// out of the format's range (about 2.9e-39 to 1.7e38), even with as many
// digits as a line holds. The steps stop as soon as the value leaves it.
constexpr int kExponentLimit = 1000000;

// A value of the machine's arithmetic: mantissa * 2^exponent, the mantissa
// either 0 or exactly `precision` bits long.
class MachineValue {
 public:
  explicit MachineValue(int precision) : precision_(precision) {}

  bool is_zero() const { return mantissa_ == 0; }

  void times_ten() {
    if (!is_zero()) round(Wide{mantissa_} * 10, exponent_, false);
  }

  void plus(unsigned digit) {
    if (digit == 0) return;
    if (is_zero()) {
      round(digit, 0, false);
    } else if (exponent_ < 0) {
      // A whole number, so the exponent is above -precision: the digit
      // shifted to the mantissa's scale fits.
      round(Wide{mantissa_} + (Wide{digit} << -exponent_), exponent_, false);
    } else if (exponent_ <= 64) {
      round((Wide{mantissa_} << exponent_) + digit, 0, false);
    } else {
      round(mantissa_, exponent_, true);  // the digit lies far below the last bit
    }
  }

  void over_ten() {
    if (is_zero()) return;
    const Wide scaled = Wide{mantissa_} << 8;
    round(scaled / 10, exponent_ - 8, scaled % 10 != 0);
  }

  // The value times, or over, another (each rounded once).
  void times(const MachineValue& factor) {
    if (!is_zero()) round(Wide{mantissa_} * factor.mantissa_, exponent_ + factor.exponent_, false);
  }
  void over(const MachineValue& divisor) {
    if (is_zero()) return;
    const Wide scaled = Wide{mantissa_} << 64;
    round(scaled / divisor.mantissa_, exponent_ - 64 - divisor.exponent_, scaled % divisor.mantissa_ != 0);
  }

  // Rounds the value to fewer bits, from now on.
  void narrow_to(int precision) {
    precision_ = precision;
    if (!is_zero()) round(mantissa_, exponent_, false);
  }

  // The stored exponent byte, which may lie outside 1-255 (out of range).
  int stored_exponent() const { return exponent_ + precision_ + kExponentBias; }
  std::uint64_t mantissa() const { return mantissa_; }

 private:
  // Sets the value to `value` * 2^`exponent` (plus a little more when
  // `sticky`), rounded to `precision` bits.
  void round(Wide value, int exponent, bool sticky) {
    const int length = bit_length(value);
    if (length <= precision_) {
      mantissa_ = static_cast<std::uint64_t>(value << (precision_ - length));
      exponent_ = exponent - (precision_ - length);
      return;
    }
    const int dropped = length - precision_;
    std::uint64_t kept = static_cast<std::uint64_t>(value >> dropped);
    const bool half = ((value >> (dropped - 1)) & 1) != 0;
    const bool below_half = (value & ((Wide{1} << (dropped - 1)) - 1)) != 0 || sticky;
    int new_exponent = exponent + dropped;
    if (half && (below_half || (kept & 1) != 0)) {
      ++kept;
      if ((Wide{kept} >> precision_) != 0) {
        kept >>= 1;
        ++new_exponent;
      }
    }
    mantissa_ = kept;
    exponent_ = new_exponent;
  }

  int precision_;
  std::uint64_t mantissa_ = 0;
  int exponent_ = 0;
};

}  // namespace

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::size_t exponent_digits_at(std::string_view text) {
  if (text.empty() || (text[0] != 'e' && text[0] != 'E')) return 0;
  std::size_t at = 1;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  return at < text.size() && is_digit(text[at]) ? at : 0;
}

DecimalText read_decimal(std::string_view text) {
  DecimalText number;
  std::size_t at = 0;
  while (at < text.size() && is_digit(text[at])) number.digits.push_back(text[at++]);
  if (at < text.size() && text[at] == '.' && (at > 0 || (at + 1 < text.size() && is_digit(text[at + 1])))) {
    number.whole = false;
    for (++at; at < text.size() && is_digit(text[at]); ++at) {
      number.digits.push_back(text[at]);
      --number.exponent;
    }
  }
  if (number.digits.empty()) return {};
  if (const std::size_t digits_at = exponent_digits_at(text.substr(at))) {
    number.whole = false;
    const bool negative = text[at + digits_at - 1] == '-';
    int power = 0;
    for (at += digits_at; at < text.size() && is_digit(text[at]); ++at) {
      power = std::min(power * 10 + (text[at] - '0'), 9999999);
    }
    number.exponent += negative ? -power : power;
  }
  number.length = at;
  return number;
}

namespace {

RealStatus store(const MachineValue& value, std::span<std::uint8_t> bytes) {
  if (value.is_zero() || value.stored_exponent() < 1) return RealStatus::Stored;
  if (value.stored_exponent() > 255) return RealStatus::TooLarge;
  bytes[0] = static_cast<std::uint8_t>(value.stored_exponent());
  const std::uint64_t mantissa = value.mantissa();
  for (std::size_t i = 1; i < bytes.size(); ++i) {
    bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * (bytes.size() - 1 - i)));
  }
  bytes[1] &= 0x7F;  // the leading 1 gives way to the sign: positive
  return RealStatus::Stored;
}

// The whole number of the digits times ten to the power `exponent`: the
// power made by multiplying by ten, each step rounded, then one product or
// quotient. A power beyond the format's range is out of it at once.
RealStatus scale_by_power(MachineValue value, int exponent, std::span<std::uint8_t> bytes) {
  MachineValue power(static_cast<int>(8 * (bytes.size() - 1)));
  power.plus(1);
  for (int i = 0; i < std::abs(exponent) && power.stored_exponent() <= 255 + 160; ++i) power.times_ten();
  if (exponent >= 0) {
    value.times(power);
  } else {
    value.over(power);
  }
  return store(value, bytes);
}

}  // namespace

RealStatus encode_real(const DecimalNumber& number, std::span<std::uint8_t> bytes, RealConversion conversion) {
  std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
  const int precision = static_cast<int>(8 * (bytes.size() - 1));
  MachineValue value(precision + kGuardBits);
  for (const char digit : number.digits) {
    value.times_ten();
    value.plus(static_cast<unsigned>(digit - '0'));
  }
  value.narrow_to(precision);
  const int exponent = std::clamp(number.exponent, -kExponentLimit, kExponentLimit);
  if (conversion == RealConversion::ByPower) return scale_by_power(value, exponent, bytes);
  for (int i = 0; i < exponent && !value.is_zero(); ++i) {
    value.times_ten();
    if (value.stored_exponent() > 255) return RealStatus::TooLarge;
  }
  for (int i = 0; i < -exponent && !value.is_zero(); ++i) {
    value.over_ten();
    if (value.stored_exponent() < 1) return RealStatus::Stored;  // too small: zero
  }
  return store(value, bytes);
}

double read_single_real(ByteCursor& cursor) {
  std::uint8_t bytes[kSingleRealSize];
  if (!cursor.next_bytes(bytes) || bytes[0] == 0) return 0.0;
  const RealHead head = head_of(bytes);
  // The mantissa is 0.1..., 32 bits: value = m * 2^(E - 128 - 32).
  const double magnitude = static_cast<double>(head.mantissa) * power_of_two(head.exponent - kExponentBias - 32);
  return head.negative ? -magnitude : magnitude;
}

double read_double_real(ByteCursor& cursor) {
  std::uint8_t bytes[kDoubleRealSize];
  if (!cursor.next_bytes(bytes) || bytes[0] == 0) return 0.0;
  const RealHead head = head_of(bytes);
  // All 56 mantissa bits as one integer, so that the conversion to double
  // rounds once (to nearest, ties to even), then an exact scaling.
  const std::uint64_t mantissa = std::uint64_t{head.mantissa} << 24 | std::uint64_t{bytes[5]} << 16 |
                                 std::uint64_t{bytes[6]} << 8 | std::uint64_t{bytes[7]};
  const double magnitude = static_cast<double>(mantissa) * power_of_two(head.exponent - kExponentBias - 56);
  return head.negative ? -magnitude : magnitude;
}

}  // namespace detoken
