#include "tokenizer/keyword_index.h"

#include <algorithm>
#include <span>

namespace detoken {

KeywordIndex::KeywordIndex(const DialectInfo& dialect, Encoding encoding) {
  const KeywordTables& tables = dialect.rules.keywords.in(encoding);
  const auto add = [&](std::span<const Keyword> table, int prefix) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      const std::string_view name = table[i].name();
      if (name.empty()) continue;
      const auto code = static_cast<std::uint8_t>(kFirstKeywordCode + i);
      const bool line_number = std::find(dialect.line_number_keywords.begin(), dialect.line_number_keywords.end(),
                                         name) != dialect.line_number_keywords.end();
      if (prefix < 0) {
        entries_.push_back({name, {code, 0}, 1, line_number});
      } else {
        entries_.push_back({name, {static_cast<std::uint8_t>(prefix), code}, 2, line_number});
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
    std::stable_sort(group.begin(), group.end(),
                     [](const KeywordEntry* a, const KeywordEntry* b) { return a->name.size() > b->name.size(); });
  }
}

const KeywordIndex& keyword_index(Dialect dialect, Encoding encoding) {
  static const KeywordIndex sbasic[] = {{dialect_info(Dialect::SBasic), Encoding::ShiftJis},
                                        {dialect_info(Dialect::SBasic), Encoding::Utf8}};
  static const KeywordIndex hubasic[] = {{dialect_info(Dialect::HuBasic), Encoding::ShiftJis},
                                         {dialect_info(Dialect::HuBasic), Encoding::Utf8}};
  static const KeywordIndex sp5025[] = {{dialect_info(Dialect::Sp5025), Encoding::ShiftJis},
                                        {dialect_info(Dialect::Sp5025), Encoding::Utf8}};
  const int at = encoding == Encoding::Utf8 ? 1 : 0;
  switch (dialect) {
    case Dialect::SBasic: return sbasic[at];
    case Dialect::HuBasic: return hubasic[at];
    case Dialect::Sp5025: return sp5025[at];
  }
  return sbasic[at];
}

}  // namespace detoken
