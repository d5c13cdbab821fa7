#pragma once

// The decoder every dialect's programs are listed with, driven by the
// dialect's tables: the class of an item's first byte chooses how the item
// is read and written.

#include <cstdint>

#include "format/byte_cursor.h"
#include "format/dialects/dialect.h"
#include "lister/characters.h"
#include "lister/output.h"

namespace detoken {

enum class DecodeResult { Continue, Stop };

// A dialect's decoder. decode_item, given a byte of a line body that is not
// the line's terminator, writes the text of one item (a character, a
// keyword, a constant, or a keyword with the statement text it governs),
// reading through the cursor whatever further bytes the item takes. It
// answers Stop only after it has reported a syntax error. When the item's
// bytes run out it writes nothing for them and leaves the cursor exhausted:
// the walker reports that.
class TokenDecoder {
 public:
  explicit TokenDecoder(const DialectInfo& dialect) : rules_(&dialect.rules), codes_(&dialect.codes) {}

  DecodeResult decode_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) const {
    if (rules_->classes[first_byte] == CodeClass::Character) {
      write_char(out, first_byte);
      return DecodeResult::Continue;
    }
    return other_item(first_byte, cursor, out, line_number);
  }

  // The byte that ends the dialect's lines, and whether a line ends where
  // its length says, whatever its body holds.
  std::uint8_t line_end() const { return codes_->line_end; }
  bool lines_by_length() const { return rules_->lines_by_length; }

 private:
  // Everything but the plain characters, apart so that the quick path for
  // those stays small.
  DecodeResult other_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number) const;

  const DecodingRules* rules_;
  const TypeCodes* codes_;
};

// The decoder that lists programs of `dialect`.
inline TokenDecoder decoder_for(Dialect dialect) { return TokenDecoder(dialect_info(dialect)); }

}  // namespace detoken
