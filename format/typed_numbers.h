#pragma once

// Numbers typed in program text, stored as a dialect stores them (where they
// are not line numbers), and the machine's reals written back as texts that
// are stored as the same bytes again.

#include <string>
#include <string_view>

#include "format/dialects/dialect.h"
#include "format/reals.h"

namespace detoken {

// The value of a whole number's digits, or -1 above 65535.
long whole_value(std::string_view digits);

// The most bytes a number is stored in: a double real's type code and its
// eight bytes.
inline constexpr std::size_t kLongestStoredNumber = 9;

// Puts into `out` what a dialect stores for `number`, typed in program text
// where a number is not a line number: in HuBASIC, a whole number from 0 to 9
// as a one-byte digit and to 32767 as a signed word, a number of more than
// seven significant digits as a double real; any other as a single real.
// Answers how many bytes that took; 0 when the value is too large for a real.
std::size_t store_decimal(const DecimalText& number, const TypeCodes& codes, char (&out)[kLongestStoredNumber]);

// The text of a real constant (`stored`: its type code and its bytes;
// `value`: what they stand for) in "%g"'s layout with the fewest significant digits,
// six or more, that store_decimal stores as the same bytes: as "%g" writes
// it when that is enough, else with more digits, or with the point and the
// trailing zeros that tell a real or a double from a shorter kind of number
// ("5.00000", "1.5000000"). Bytes that no typed number makes get the closest
// text with as many digits as the type carries (10 for a single, 17 for a
// double).
std::string exact_real_text(std::string_view stored, double value, const TypeCodes& codes);

}  // namespace detoken
