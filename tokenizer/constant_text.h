#pragma once

// Constants as a listing writes them, where the text around them matters:
// words in another base than ten (S-BASIC's $FF, HuBASIC's &HFF, &O17 and
// &B101), and what may follow a decimal number.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tokenizer/tokenizer.h"

namespace detoken {

// A notation: its prefix, its type code (0 where the dialect has none) and
// its base.
struct Notation {
  std::string_view prefix;
  std::uint8_t type;
  int base;
};

// Whether a word in `notation` starts `text`: its prefix (in any case) and a
// digit of its base. A '$' right after a name ends that name (A$, A1$):
// there it is no prefix.
bool starts_word(std::string_view text, const Notation& notation, bool after_name);

// Whether `text` starts with a prefix of no letters (S-BASIC's $) where a
// word could start, then a point and a digit: "$.5" would list as $ and 0.5
// side by side, "$0.5", a word and a point. (After a letter, as in &H.5, the
// point is no number's: that comes back as it stands.)
bool point_after_prefix(std::string_view text, const Notation& notation, bool after_name);

// The word in `notation` that starts `text`: its value and the bytes it
// takes, or the fault and the bytes at fault.
struct WordRead {
  bool read;
  unsigned value;
  std::size_t length;
  ListingError error;
};
WordRead read_word(std::string_view text, const Notation& notation);

// What follows a number must not read as more of it once listed: "1.0.5"
// would list as 1 and 0.5 side by side, "10.5"; "1E2E3" as 100 and E3,
// "100E3"; "1E+.5" as 1, E, + and 0.5, "1E+0.5". Refused, rather than read
// back as something else: the bytes of `after` that would join, or 0.
std::size_t joins_number(std::string_view after);

}  // namespace detoken
