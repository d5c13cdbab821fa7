#pragma once

namespace detoken {

// The whole of retoken: scans the arguments, reads the listing, writes the
// tape image, writes the console messages, and answers the exit status.
int run_retoken(int argc, const char* const* argv);

}  // namespace detoken
