#pragma once

#include "cli/front_end.h"
#include "cli/options.h"

namespace detoken {

// The whole program: scans the arguments, converts, writes the console
// messages, and answers the exit status.
int run_detoken(int argc, const char* const* argv);

// Loads the input, creates the output, lists the program into it and
// releases everything; writes the messages of the failures on the way and
// answers the exit status. The success message is the caller's.
int convert(const RunOptions& options);

}  // namespace detoken
