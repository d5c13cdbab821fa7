// Lists an arbitrary byte string as a loaded tape image with one dialect's
// decoder (DETOKEN_FUZZ_HUBASIC chooses HuBASIC). The sanitizers catch any
// read outside the bytes; the checks below catch listings that break the
// lister's own rules.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "lister/dialects/hubasic.h"
#include "lister/dialects/sbasic.h"
#include "lister/line_walker.h"

namespace {

#ifdef DETOKEN_FUZZ_HUBASIC
constexpr detoken::TokenDecoder kDecoder = detoken::decode_hubasic_item;
#else
constexpr detoken::TokenDecoder kDecoder = detoken::decode_sbasic_item;
#endif

void check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

// Lists the bytes in a character mode chosen by the size, with reals as
// "%g" writes them and as exact as -x writes them: the same findings either
// way (findings are written in the mode's encoding).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const detoken::CharMode characters{size % 2 != 0 ? detoken::CharSet::European : detoken::CharSet::Japanese,
                                     size % 4 >= 2 ? detoken::Encoding::Utf8 : detoken::Encoding::ShiftJis};
  detoken::Output exact(nullptr, nullptr, {.characters = characters, .exact_reals = true});
  detoken::list_program(std::span<const std::uint8_t>(data, size), exact, kDecoder);
  detoken::Output out(nullptr, nullptr, {.characters = characters});
  detoken::list_program(std::span<const std::uint8_t>(data, size), out, kDecoder);
  const std::string_view reports = out.reports();
  const std::string_view text = out.text();
  check(exact.reports() == reports);
  // At most one finding, and it ends the listing.
  check(reports.empty() || reports.find('\n') == reports.size() - 1);
  // A listing that ended normally ends with its last line's line break.
  if (reports.empty()) check(text.empty() || text.back() == '\n');
  // A syntax error stops in the middle of a line.
  if (reports.starts_with("Syntax error in ")) check(!text.empty() && text.back() != '\n');
  return 0;
}
