// Lists an arbitrary byte string as a loaded tape image with the decoder of
// every dialect of the registry. The sanitizers catch any read outside the
// bytes; the checks below catch listings that break the lister's own rules.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "format/dialects/dialect.h"
#include "lister/line_walker.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

// Lists the bytes in a character mode chosen by the size, once with reals as
// "%g" writes them and once as exact as -x writes them: the same findings
// either way.
void list_as(const detoken::DialectInfo& dialect, const std::uint8_t* data, std::size_t size) {
  const detoken::CharMode characters{size % 2 != 0 ? detoken::CharSet::European : detoken::CharSet::Japanese,
                                     size % 4 >= 2 ? detoken::Encoding::Utf8 : detoken::Encoding::ShiftJis};
  const detoken::TokenDecoder decoder(dialect);
  detoken::Output exact(nullptr, nullptr, {.characters = characters, .exact_reals = true});
  detoken::list_program(std::span<const std::uint8_t>(data, size), exact, decoder);
  detoken::Output out(nullptr, nullptr, {.characters = characters});
  detoken::list_program(std::span<const std::uint8_t>(data, size), out, decoder);
  const std::string_view reports = out.reports();
  const std::string_view text = out.text();
  check(exact.reports() == reports);
  // At most one finding, and it ends the listing.
  check(reports.empty() || reports.find('\n') == reports.size() - 1);
  // A listing that ended normally ends with its last line's line break.
  if (reports.empty()) check(text.empty() || text.back() == '\n');
  // A syntax error stops in the middle of a line.
  if (reports.starts_with("Syntax error in ")) check(!text.empty() && text.back() != '\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const detoken::DialectInfo* dialect : detoken::dialects()) list_as(*dialect, data, size);
  return 0;
}
