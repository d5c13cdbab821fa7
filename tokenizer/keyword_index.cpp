#include "tokenizer/keyword_index.h"

#include <algorithm>
#include <span>

#include "lister/dialects/hubasic.h"
#include "lister/dialects/sbasic.h"

namespace detoken {

KeywordIndex::KeywordIndex(const KeywordTables& tables) {
  const auto add = [this](std::span<const Keyword> table, int prefix) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].length == 0) continue;
      const auto code = static_cast<std::uint8_t>(kFirstKeywordCode + i);
      if (prefix < 0) {
        entries_.push_back({table[i].name(), {code, 0}, 1});
      } else {
        entries_.push_back({table[i].name(), {static_cast<std::uint8_t>(prefix), code}, 2});
      }
    }
  };
  add(tables.main, -1);
  add(tables.fe, kFePrefix);
  add(tables.ff, kFfPrefix);
  for (const KeywordEntry& entry : entries_) {
    by_first_byte_[static_cast<std::uint8_t>(entry.name[0])].push_back(&entry);
  }
  for (auto& group : by_first_byte_) {
    std::stable_sort(group.begin(), group.end(), [](const KeywordEntry* a, const KeywordEntry* b) {
      return a->name.size() > b->name.size();
    });
  }
}

const KeywordIndex& keyword_index(Dialect dialect) {
  switch (dialect) {
    case Dialect::SBasic: {
      static const KeywordIndex index(sbasic_keywords());
      return index;
    }
    case Dialect::HuBasic: {
      static const KeywordIndex index(hubasic_keywords());
      return index;
    }
  }
  return keyword_index(Dialect::SBasic);
}

}  // namespace detoken
