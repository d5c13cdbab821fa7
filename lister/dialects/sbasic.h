#pragma once

#include <cstdint>

#include "lister/byte_cursor.h"
#include "lister/dialects/dialect.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {

// The S-BASIC decoder (the default dialect).
DecodeResult decode_sbasic_item(std::uint8_t first_byte, ByteCursor& cursor, Output& out, std::uint16_t line_number);

// S-BASIC: its decoder, tables and tapes.
const DialectInfo& sbasic_info();

}  // namespace detoken
