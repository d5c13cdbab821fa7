#include "lister/dialects/keywords.h"

#include "lister/characters.h"
#include "lister/numbers.h"

namespace detoken {
namespace {

// The keyword of `code`, or null where it has none.
const Keyword* keyword_at(std::span<const Keyword> table, std::uint8_t code) {
  if (code < kFirstKeywordCode) return nullptr;
  const std::size_t index = code - kFirstKeywordCode;
  return index < table.size() && table[index].length != 0 ? &table[index] : nullptr;
}

// A second byte past the end of its table is reported as the first code
// after the table.
std::uint8_t reported_second_byte(std::span<const Keyword> table, std::uint8_t code) {
  const std::size_t past_end = kFirstKeywordCode + table.size();
  return code > past_end ? static_cast<std::uint8_t>(past_end) : code;
}

}  // namespace

DecodeResult decode_two_byte_keyword(std::uint8_t prefix, std::span<const Keyword> table, ByteCursor& cursor,
                                     Output& out, std::uint16_t line_number) {
  const std::uint8_t code = cursor.next_byte();
  if (cursor.exhausted()) return DecodeResult::Continue;
  const Keyword* keyword = keyword_at(table, code);
  if (keyword == nullptr) {
    report_syntax_error(out, line_number, prefix, reported_second_byte(table, code));
    return DecodeResult::Stop;
  }
  out.put_short(keyword->text, keyword->length);
  return DecodeResult::Continue;
}

}  // namespace detoken
