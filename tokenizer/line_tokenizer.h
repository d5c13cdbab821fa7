#pragma once

// One line of a listing read into the machine's bytes, written where the
// caller has made room.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "charsets/character_sets.h"
#include "format/dialects/dialect.h"
#include "tokenizer/constant_text.h"
#include "tokenizer/keyword_index.h"
#include "tokenizer/tokenizer.h"

namespace detoken {

// The most bytes a line's text of `length` bytes can take once read: a
// single digit becomes a real of six bytes, nothing takes more.
constexpr std::size_t most_bytes_for(std::size_t length) { return 6 * length + 8; }

// What reading lines needs of the dialect and the character mode, found
// once for a whole listing.
struct LineReading {
  explicit LineReading(const ListingOptions& options);

  CharMode characters;
  const DecodingRules& rules;
  const TypeCodes& codes;
  KeywordIndex keywords;
  const QuickCodes& quick;
  std::array<Notation, 3> notations;
  const KeptLines* kept;
};

// Reads `text` (a line's text after its number) into the bytes at `out`,
// which has room for most_bytes_for(text.size()) of them; answers where they
// end, or null at a fault, whose column counts from the start of `text`.
char* read_line_text(std::string_view text, const LineReading& reading, char* out, ListingFault& fault);

}  // namespace detoken
