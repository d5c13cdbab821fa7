#pragma once

#include <cstdint>
#include <span>

#include "lister/decoding.h"
#include "lister/output.h"
#include "tape/image_format.h"

namespace detoken {

// Where the program text starts in a tape image: after its header.
inline constexpr std::size_t kProgramStart = tape::kHeaderSize;

// Lists the program of a loaded tape image, one text line per program line:
// the line number in five columns, a space, the decoded body, and 0x0A. Stops
// at the end marker (a line length of 0), after a syntax error, or with the
// abnormal-file report when a line does not end in its terminator or the data
// ends early.
// What was written before a report stays written. Answers where the program
// ends in the image, just after its end marker; 0 when it was not reached.
std::size_t list_program(std::span<const std::uint8_t> image, Output& out, TokenDecoder decoder);

}  // namespace detoken
