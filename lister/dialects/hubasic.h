#pragma once

#include <cstdint>

#include "lister/byte_cursor.h"
#include "lister/dialects/dialect.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// The HuBASIC decoder (-h).
DecodeResult decode_hubasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// HuBASIC: its decoder, tables and tapes.
const DialectInfo& hubasic_info();

}  // namespace detoken
