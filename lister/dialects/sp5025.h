#pragma once

#include <cstdint>

#include "lister/byte_cursor.h"
#include "lister/dialects/dialect.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// The decoder of the MZ-80K's BASIC, SP-5025 (-k).
DecodeResult decode_sp5025_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// The MZ-80K's BASIC: its decoder, tables and tapes.
const DialectInfo& sp5025_info();

}  // namespace detoken
