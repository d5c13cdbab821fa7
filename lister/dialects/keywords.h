#pragma once

#include <cstdint>
#include <span>

#include "lister/byte_cursor.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// First code of every keyword table.
inline constexpr std::uint8_t kFirstKeywordCode = 0x80;
// Prefixes of the two-byte tokens.
inline constexpr std::uint8_t kFePrefix = 0xFE;
inline constexpr std::uint8_t kFfPrefix = 0xFF;
// Tokens followed by raw statement text, the same in both dialects.
inline constexpr std::uint8_t kDataToken = 0x94;
inline constexpr std::uint8_t kRemToken = 0x97;

// A dialect's vocabulary: keywords indexed by code - 80, nullptr where a code
// has no keyword. The main table covers 80-FD; the FE and FF tables cover the
// second bytes from 80 to their last code.
struct KeywordTables {
  std::span<const char* const> main;
  std::span<const char* const> fe;
  std::span<const char* const> ff;
};

// Decodes the items both dialects read alike: a character below 80 (with the
// rest of a string literal after a quote), a single-byte keyword (with the
// statement text of DATA and REM), and an FE or FF two-byte keyword. A code
// with no keyword is reported as a syntax error and answers Stop.
DecodeResult decode_common_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number,
                                const KeywordTables& tables);

// A constant whose value is one word: reads it and writes it with `write`,
// unless the data has run out.
using WordWriter = void (*)(Output& out, std::uint16_t word);
DecodeResult decode_word_constant(ByteCursor& cursor, Output& out, WordWriter write);

// A real constant read with `read` (single or double), written with "%g".
using RealReader = double (*)(ByteCursor& cursor);
DecodeResult decode_real_constant(ByteCursor& cursor, Output& out, RealReader read);

}  // namespace detoken
