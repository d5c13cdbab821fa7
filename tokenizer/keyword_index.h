#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

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

// A dialect's keywords, read off the same tables the lister writes them from,
// grouped by the first byte of their names, longest names first.
class KeywordIndex {
 public:
  explicit KeywordIndex(const DialectInfo& dialect);

  // The longest keyword whose name starts `text`, or null.
  const KeywordEntry* longest_at(std::string_view text) const {
    if (text.empty()) return nullptr;
    for (const KeywordEntry* entry : by_first_byte_[static_cast<std::uint8_t>(text[0])]) {
      if (text.starts_with(entry->name)) return entry;
    }
    return nullptr;
  }

 private:
  std::vector<KeywordEntry> entries_;
  std::array<std::vector<const KeywordEntry*>, 256> by_first_byte_;
};

// The index of `dialect`, built once.
const KeywordIndex& keyword_index(Dialect dialect);

}  // namespace detoken
