#pragma once

#include <cstdint>

#include "lister/byte_cursor.h"
#include "lister/dialects/keywords.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// The HuBASIC decoder (-h).
DecodeResult decode_hubasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// HuBASIC's keyword tables.
const KeywordTables& hubasic_keywords();

// The type codes of HuBASIC's numeric constants (01-0A are the digits 0-9),
// and the codes its colon looks at, for the decoder and the tokenizer alike.
namespace hubasic {
inline constexpr std::uint8_t kFirstDigit = 0x01;
inline constexpr std::uint8_t kLastDigit = 0x0A;
inline constexpr std::uint8_t kUnsignedWord = 0x0B;
inline constexpr std::uint8_t kOctalWord = 0x0D;
inline constexpr std::uint8_t kBinaryWord = 0x0E;
inline constexpr std::uint8_t kHexWord = 0x0F;
inline constexpr std::uint8_t kSignedWord = 0x12;
inline constexpr std::uint8_t kSingleReal = 0x15;
inline constexpr std::uint8_t kDoubleReal = 0x18;
inline constexpr std::uint8_t kApostrophe = 0x27;
inline constexpr std::uint8_t kElseToken = 0xC2;
}  // namespace hubasic

}  // namespace detoken
