#pragma once

#include <cstdint>
#include <string_view>

#include "charsets/encoding.h"
#include "format/dialects/dialect.h"
#include "format/dialects/keywords.h"

namespace detoken {

// The upper-case letter of a lower-case one; any other byte as it is.
constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A dialect's keywords as an encoding writes them, read off the same tables
// the lister writes them from (the lookup made of them when the program was
// built).
class KeywordIndex {
 public:
  explicit KeywordIndex(const KeywordLookup& lookup) : lookup_(lookup) {}

  // The longest keyword whose name starts `text` (not empty), in any case
  // (the names are upper-case), or null.
  const ReadKeyword* longest_at(std::string_view text) const {
    const auto first = static_cast<std::uint8_t>(upper(text[0]));
    std::size_t i = lookup_.start[first];
    const std::size_t last = lookup_.start[first + 1u];
    if (text.size() == 1) {
      while (i < last && lookup_.entries[i].length > 1) ++i;
      return i < last ? &lookup_.entries[i] : nullptr;
    }
    const char second = upper(text[1]);
    if ((lookup_.second_bytes[first] & KeywordLookup::second_byte_bit(second)) == 0) return nullptr;
    for (; i < last; ++i) {
      const ReadKeyword& entry = lookup_.entries[i];
      if (entry.length == 1) return &entry;  // the first byte was all there was to match
      if (entry.name[1] == second && matches_from_third(text, entry)) return &entry;
    }
    return nullptr;
  }

 private:
  static bool matches_from_third(std::string_view text, const ReadKeyword& entry) {
    if (text.size() < entry.length) return false;
    for (std::size_t i = 2; i < entry.length; ++i) {
      if (upper(text[i]) != entry.name[i]) return false;
    }
    return true;
  }

  const KeywordLookup& lookup_;
};

// The index of `dialect` in `encoding`.
inline KeywordIndex keyword_index(Dialect dialect, Encoding encoding) {
  return KeywordIndex(dialect_info(dialect).lookup(encoding));
}

}  // namespace detoken
