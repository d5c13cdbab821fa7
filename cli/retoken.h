#pragma once

#include <string>
#include <string_view>

#include "cli/options.h"

namespace detoken {

// The whole of retoken: scans the arguments, reads the listing, writes the
// tape image, writes the console messages, and answers the exit status.
int run_retoken(int argc, const char* const* argv);

// The header of a tape image whose program text area takes `program_size`
// bytes: that of a -t tape (`kept_header`) with its size set and, with -n,
// its name; or a new header for the dialect, named by -n or after the
// listing's file name.
std::string tape_header(const RunOptions& options, std::string_view kept_header, std::size_t program_size);

// The tape image of `program` (its program text area) behind that header.
std::string tape_image(const RunOptions& options, std::string_view kept_header, std::string_view program);

}  // namespace detoken
