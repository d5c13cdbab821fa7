#pragma once

#include <cstdint>

#include "lister/byte_cursor.h"
#include "lister/dialects/keywords.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// The S-BASIC decoder (the default dialect).
DecodeResult decode_sbasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// S-BASIC's keyword tables.
const KeywordTables& sbasic_keywords();

// The type codes of S-BASIC's numeric constants, for the decoder and the
// tokenizer alike.
namespace sbasic {
inline constexpr std::uint8_t kUnsignedWord = 0x0B;
inline constexpr std::uint8_t kHexWord = 0x11;
inline constexpr std::uint8_t kSingleReal = 0x15;
}  // namespace sbasic

}  // namespace detoken
