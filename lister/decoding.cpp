#include "lister/decoding.h"

#include <algorithm>
#include <span>

#include "format/dialects/keywords.h"
#include "format/reals.h"
#include "format/typed_numbers.h"
#include "lister/findings.h"
#include "lister/numbers.h"

namespace detoken {
namespace {

// The keyword of `code` in a table that starts at 80, or null where it has
// none.
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

// Writes the keyword of a one-byte code, or reports a code with no keyword
// as a syntax error and answers Stop.
DecodeResult one_byte_keyword(std::uint8_t code, std::span<const Keyword> table, Output& out,
                              std::uint16_t line_number) {
  const Keyword* keyword = keyword_at(table, code);
  if (keyword == nullptr) {
    report_syntax_error(out, line_number, code);
    return DecodeResult::Stop;
  }
  out.put_short(keyword->text, keyword->length);
  return DecodeResult::Continue;
}

// An FE or FF two-byte keyword, its second byte read from the cursor.
DecodeResult two_byte_keyword(std::uint8_t prefix, std::span<const Keyword> table, ByteCursor& cursor, Output& out,
                              std::uint16_t line_number) {
  const std::uint8_t code = cursor.next_byte();
  if (cursor.exhausted()) return DecodeResult::Continue;
  const Keyword* keyword = keyword_at(table, code);
  if (keyword == nullptr) {
    report_syntax_error(out, line_number, prefix, reported_second_byte(table, code), code);
    return DecodeResult::Stop;
  }
  out.put_short(keyword->text, keyword->length);
  return DecodeResult::Continue;
}

// A constant whose value is one word: reads it and writes it with `write`,
// unless the data has run out.
template <class WordWriter>
void word_constant(ByteCursor& cursor, Output& out, WordWriter write) {
  const std::uint16_t word = cursor.next_word();
  if (!cursor.exhausted()) write(out, word);
}

// A real constant of `size` bytes after its type code, written with "%g",
// or with its exact digits when the listing's style asks for them; nothing
// when the data has run out.
inline void real_constant(std::uint8_t type, std::size_t size, ByteCursor& cursor, Output& out,
                          const TypeCodes& codes) {
  const auto read = [&] { return size == kDoubleRealSize ? read_double_real(cursor) : read_single_real(cursor); };
  if (!out.style().exact_reals) {
    const double value = read();
    if (!cursor.exhausted()) write_real(out, value);
    return;
  }
  char stored[1 + kDoubleRealSize] = {static_cast<char>(type)};
  const std::span<const std::uint8_t> bytes = cursor.rest().first(std::min(size, cursor.rest().size()));
  std::copy(bytes.begin(), bytes.end(), stored + 1);
  const double value = read();
  if (!cursor.exhausted()) out.write(exact_real_text({stored, 1 + size}, value, codes));
}

// The colon of a dialect that stores one before ELSE and before a comment,
// where neither is written. The comment is raw text, like REM's.
void colon(ByteCursor& cursor, Output& out, const DecodingRules& rules, std::uint8_t line_end) {
  const std::uint8_t next = cursor.peek_byte();
  if (next == rules.comment_mark) {
    copy_statement_text(cursor, out, line_end);
  } else if (next != rules.else_code) {
    out.put(':');
  }
}

}  // namespace

DecodeResult TokenDecoder::other_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out,
                                      std::uint16_t line_number) const {
  const DecodingRules& rules = *rules_;
  const auto keywords = [&] { return rules.keywords.in(out.encoding()); };
  switch (rules.classes[first_byte]) {
    case CodeClass::Character:
    case CodeClass::LineEnd:  // the walker's, never handed over
      write_char(out, first_byte);
      break;
    case CodeClass::Quote:
      write_char(out, first_byte);
      copy_string_literal(cursor, out, line_end());
      break;
    case CodeClass::Colon: colon(cursor, out, rules, line_end()); break;
    case CodeClass::Digit: out.put(static_cast<char>('0' + first_byte - codes_->first_digit)); break;
    case CodeClass::UnsignedWord: word_constant(cursor, out, write_unsigned); break;
    case CodeClass::SignedWord: word_constant(cursor, out, write_signed); break;
    case CodeClass::HexWord:
      word_constant(cursor, out, [&](Output& o, std::uint16_t word) { write_hex(o, rules.hex_prefix, word); });
      break;
    case CodeClass::OctalWord: word_constant(cursor, out, write_octal); break;
    case CodeClass::BinaryWord: word_constant(cursor, out, write_binary); break;
    case CodeClass::SingleReal: real_constant(first_byte, kSingleRealSize, cursor, out, *codes_); break;
    case CodeClass::DoubleReal: real_constant(first_byte, kDoubleRealSize, cursor, out, *codes_); break;
    case CodeClass::Keyword: return one_byte_keyword(first_byte, keywords().main, out, line_number);
    case CodeClass::TextKeyword:
      if (one_byte_keyword(first_byte, keywords().main, out, line_number) == DecodeResult::Stop) {
        return DecodeResult::Stop;
      }
      copy_statement_text(cursor, out, line_end());
      break;
    case CodeClass::Prefix:
      return two_byte_keyword(first_byte, first_byte == kFePrefix ? keywords().fe : keywords().ff, cursor, out,
                              line_number);
  }
  return DecodeResult::Continue;
}

}  // namespace detoken
