#include <cstddef>

#include "format/dialects/dialect.h"

namespace detoken {

// Each dialect's row, in the dialect's own file.
extern const DialectInfo kSBasic;
extern const DialectInfo kHuBasic;
extern const DialectInfo kSp5025;
extern const DialectInfo kMz800;

namespace {

// In the order of the Dialect values; the default first.
const DialectInfo* const kRegistry[] = {&kSBasic, &kHuBasic, &kSp5025, &kMz800};

}  // namespace

std::span<const DialectInfo* const> dialects() { return kRegistry; }

const DialectInfo& dialect_info(Dialect dialect) { return *kRegistry[static_cast<std::size_t>(dialect)]; }

const DialectInfo* dialect_by_option(char letter) {
  for (const DialectInfo* dialect : kRegistry) {
    if (dialect->option == letter) return dialect;
  }
  return nullptr;
}

bool header_fits(const DialectInfo& dialect, const tape::HeaderKind& kind) {
  return dialect.header.attribute == kind.attribute && dialect.header.load_address == kind.load_address;
}

const DialectInfo* dialect_of_header(const tape::HeaderKind& kind) {
  for (const DialectInfo* dialect : kRegistry) {
    if (dialect->header_identifies && header_fits(*dialect, kind)) return dialect;
  }
  return nullptr;
}

bool is_basic_header(const tape::HeaderKind& kind) {
  for (const DialectInfo* dialect : kRegistry) {
    if (dialect->header.attribute == kind.attribute) return true;
  }
  return false;
}

}  // namespace detoken
