#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "charsets/encoding.h"
#include "lister/dialects/dialect.h"
#include "lister/dialects/keywords.h"

namespace detoken {

// A keyword as it is read: its name in the listing and the one or two bytes
// that stand for it in a program.
struct KeywordEntry {
  std::string_view name;
  std::uint8_t code[2];
  std::uint8_t code_length;
  bool takes_line_number;  // a number after it is a line number
};

// The upper-case letter of a lower-case one; any other byte as it is.
constexpr char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// A dialect's keywords as an encoding writes them, read off the same tables
// the lister writes them from, grouped by the first byte of their names,
// longest names first.
class KeywordIndex {
 public:
  KeywordIndex(const DialectInfo& dialect, Encoding encoding);

  // The longest keyword whose name starts `text`, in any case (the names are
  // upper-case), or null.
  const KeywordEntry* longest_at(std::string_view text) const {
    if (text.empty()) return nullptr;
    for (const KeywordEntry* entry : by_first_byte_[static_cast<std::uint8_t>(upper(text[0]))]) {
      if (starts_with_any_case(text, entry->name)) return entry;
    }
    return nullptr;
  }

 private:
  static bool starts_with_any_case(std::string_view text, std::string_view name) {
    if (text.size() < name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
      if (upper(text[i]) != name[i]) return false;
    }
    return true;
  }

  std::vector<KeywordEntry> entries_;
  std::array<std::vector<const KeywordEntry*>, 256> by_first_byte_;
};

// The index of `dialect` in `encoding`, built once.
const KeywordIndex& keyword_index(Dialect dialect, Encoding encoding);

}  // namespace detoken
