#pragma once

// What every dialect's decoder does, driven by the dialect's tables: the
// class of the item's first byte chooses how the item is read and written.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "lister/byte_cursor.h"
#include "lister/characters.h"
#include "lister/dialects/dialect.h"
#include "lister/dialects/keywords.h"
#include "lister/dialects/typed_numbers.h"
#include "lister/line_walker.h"
#include "lister/numbers.h"
#include "lister/output.h"

namespace detoken {

namespace decoding {

// The byte that ends a dialect's lines.
template <const DecodingRules& Rules>
constexpr std::uint8_t line_end() {
  return first_code_of(Rules.classes, CodeClass::LineEnd);
}

// A constant whose value is one word: reads it and writes it with `write`,
// unless the data has run out.
template <class WordWriter>
void word_constant(ByteCursor& cursor, Output& out, WordWriter write) {
  const std::uint16_t word = cursor.next_word();
  if (!cursor.exhausted()) write(out, word);
}

// The codes of a dialect's constants, found when the program is built.
template <const DecodingRules& Rules>
inline constexpr TypeCodes kTypeCodes = type_codes_of(Rules.classes);

// A real constant of `size` bytes after its type code, read with `read`
// (single or double) and written with "%g", or with its exact digits when
// the listing's style asks for them; nothing when the data has run out.
template <const DecodingRules& Rules, class RealReader>
void real_constant(std::uint8_t type, std::size_t size, ByteCursor& cursor, Output& out, RealReader read) {
  char stored[1 + kDoubleRealSize] = {static_cast<char>(type)};
  const std::span<const std::uint8_t> bytes = cursor.rest().first(std::min(size, cursor.rest().size()));
  std::copy(bytes.begin(), bytes.end(), stored + 1);
  const double value = read(cursor);
  if (cursor.exhausted()) return;
  if (out.style().exact_reals) {
    write_exact_real(out, {stored, 1 + size}, value, kTypeCodes<Rules>);
  } else {
    write_real(out, value);
  }
}

// HuBASIC's colon: the machine stores one before ELSE and before a comment,
// and neither is written. The comment is raw text, like REM's.
template <const DecodingRules& Rules>
void colon(ByteCursor& cursor, Output& out) {
  const std::uint8_t next = cursor.peek_byte();
  if (next == Rules.comment_mark) {
    copy_statement_text(cursor, out, line_end<Rules>());
  } else if (next != Rules.else_code) {
    out.put(':');
  }
}

// Everything but the plain characters, apart so that the quick path for
// those stays small.
template <const DecodingRules& Rules>
[[gnu::noinline]] DecodeResult other_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out,
                                          std::uint16_t line_number) {
  switch (Rules.classes[first_byte]) {
    case CodeClass::Character:
    case CodeClass::LineEnd:  // the walker's, never handed over
      write_char(out, first_byte);
      break;
    case CodeClass::Quote:
      write_char(out, first_byte);
      copy_string_literal(cursor, out, line_end<Rules>());
      break;
    case CodeClass::Colon: colon<Rules>(cursor, out); break;
    case CodeClass::Digit:
      out.put(static_cast<char>('0' + first_byte - first_code_of(Rules.classes, CodeClass::Digit)));
      break;
    case CodeClass::UnsignedWord: word_constant(cursor, out, write_unsigned); break;
    case CodeClass::SignedWord: word_constant(cursor, out, write_signed); break;
    case CodeClass::HexWord:
      word_constant(cursor, out, [](Output& o, std::uint16_t word) { write_hex(o, Rules.hex_prefix, word); });
      break;
    case CodeClass::OctalWord: word_constant(cursor, out, write_octal); break;
    case CodeClass::BinaryWord: word_constant(cursor, out, write_binary); break;
    case CodeClass::SingleReal: real_constant<Rules>(first_byte, kSingleRealSize, cursor, out, read_single_real); break;
    case CodeClass::DoubleReal: real_constant<Rules>(first_byte, kDoubleRealSize, cursor, out, read_double_real); break;
    case CodeClass::Keyword:
      return decode_one_byte_keyword(first_byte, Rules.keywords.in(out.encoding()).main, out, line_number);
    case CodeClass::TextKeyword:
      if (decode_one_byte_keyword(first_byte, Rules.keywords.in(out.encoding()).main, out, line_number) ==
          DecodeResult::Stop) {
        return DecodeResult::Stop;
      }
      copy_statement_text(cursor, out, line_end<Rules>());
      break;
    case CodeClass::Prefix:
      return decode_two_byte_keyword(
          first_byte,
          first_byte == kFePrefix ? Rules.keywords.in(out.encoding()).fe : Rules.keywords.in(out.encoding()).ff, cursor,
          out, line_number);
  }
  return DecodeResult::Continue;
}

// A dialect's decoder: see TokenDecoder.
template <const DecodingRules& Rules>
DecodeResult item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) {
  if (Rules.classes[first_byte] == CodeClass::Character) {
    write_char(out, first_byte);
    return DecodeResult::Continue;
  }
  return other_item<Rules>(first_byte, cursor, out, line_number);
}

}  // namespace decoding
}  // namespace detoken
