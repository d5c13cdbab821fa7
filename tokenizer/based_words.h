#pragma once

// Words written in another base than ten: S-BASIC's $FF, HuBASIC's &HFF,
// &O17 and &B101.

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

// The word in `notation` that starts `text`: its value and the bytes it
// takes, or the fault and the bytes at fault.
struct WordRead {
  bool read;
  unsigned value;
  std::size_t length;
  ListingError error;
};
WordRead read_word(std::string_view text, const Notation& notation);

}  // namespace detoken
