#pragma once

namespace detoken {

// The whole of detoken: scans the arguments, lists the tape image, writes
// the console messages, and answers the exit status.
int run_detoken(int argc, const char* const* argv);

}  // namespace detoken
