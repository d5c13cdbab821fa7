#pragma once

// What the lister finds wrong with a program: the reports it writes to the
// report side of its output, where the listing stops.

#include <cstdint>

#include "charsets/encoding.h"
#include "lister/output.h"

namespace detoken {

// The report of a file that is not a whole program.
// clang-format off
inline constexpr Message kAbnormalFile = {
    "\x88\xD9\x8F\xED\x82\xC8""BASIC\x83t\x83@\x83""C\x83\x8B\x82\xC5\x82\xB7\n",
    "異常なBASICファイルです\n",
    "Abnormal BASIC file\n"};
// clang-format on

void report_abnormal_file(Output& out);
// "Syntax error in %d (%02X)", and "(FE %02X)" or "(FF %02X)" for a two-byte
// keyword's second byte after its prefix (`code`, as the report shows it;
// `stored`, as the program holds it). The output keeps where it stopped.
void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t code);
void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t prefix, std::uint8_t code,
                         std::uint8_t stored);

}  // namespace detoken
