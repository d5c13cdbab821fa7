#include "tokenizer/constant_text.h"

#include "format/reals.h"
#include "tokenizer/keyword_index.h"

namespace detoken {
namespace {

// A digit in `base`, in either case; -1 for none.
int digit_value(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  if (upper(c) >= 'A' && upper(c) <= 'F') value = upper(c) - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

bool starts_word(std::string_view text, const Notation& notation, bool after_name) {
  if (notation.type == 0 || text.size() <= notation.prefix.size()) return false;
  for (std::size_t i = 0; i < notation.prefix.size(); ++i) {
    if (upper(text[i]) != notation.prefix[i]) return false;
  }
  if (after_name && notation.prefix == "$") return false;
  return digit_value(text[notation.prefix.size()], notation.base) >= 0;
}

bool point_after_prefix(std::string_view text, const Notation& notation, bool after_name) {
  const std::size_t size = notation.prefix.size();
  if (notation.type == 0 || after_name || !text.starts_with(notation.prefix) || text.size() < size + 2) return false;
  for (const char c : notation.prefix) {
    if (upper(c) >= 'A' && upper(c) <= 'Z') return false;
  }
  return text[size] == '.' && text[size + 1] >= '0' && text[size + 1] <= '9';
}

// At least one digit, at most FFFF.
WordRead read_word(std::string_view text, const Notation& notation) {
  std::size_t at = notation.prefix.size();
  unsigned value = 0;
  for (; at < text.size() && digit_value(text[at], notation.base) >= 0; ++at) {
    value = value * static_cast<unsigned>(notation.base) + static_cast<unsigned>(digit_value(text[at], notation.base));
    if (value > 0xFFFF) {
      while (at < text.size() && digit_value(text[at], notation.base) >= 0) ++at;
      return {false, 0, at, ListingError::NumberOutOfRange};
    }
  }
  // What follows must not read as more of it once listed: "&B10.5" would
  // list as &B10 and 0.5 side by side, "&B100.5"; "&B12" likewise may not
  // come back as &B1 and 2 (the 2 typed 2.0 lists as 2, 2.5E1 as 25).
  if (at < text.size() && (text[at] == '.' || (text[at] >= '0' && text[at] <= '9'))) {
    return {false, 0, at + 1, ListingError::MalformedNumber};
  }
  return {true, value, at, ListingError{}};
}

std::size_t joins_number(std::string_view after) {
  if (after.empty()) return 0;
  if (after[0] == '.' || exponent_digits_at(after) != 0) return 1;
  if (after[0] != 'e' && after[0] != 'E') return 0;
  std::size_t at = 1;
  if (at < after.size() && (after[at] == '+' || after[at] == '-')) ++at;
  return at + 1 < after.size() && after[at] == '.' && after[at + 1] >= '0' && after[at + 1] <= '9' ? at + 1 : 0;
}

}  // namespace detoken
