#pragma once

#include <string_view>

namespace detoken {

// A line whose text is nothing but escapes, {XX} after {XX}: the listing of
// a line of a dialect whose lines are stepped by their length that no
// keyword, constant or character explains (machine code, zeros and all).
// Puts its codes at `out` (room for text.size() / 4 of them) and answers
// where they end; null when the text is anything else (or empty).
char* read_raw_line(std::string_view text, char* out);

}  // namespace detoken
