#pragma once

#include <string>
#include <string_view>

namespace detoken {

// The whole of retoken: scans the arguments, reads the listing, writes the
// tape image, writes the console messages, and answers the exit status.
int run_retoken(int argc, const char* const* argv);

// The name a tape header gets for a file: the file's own name without its
// extension, upper-cased, in the machine's codes (characters it has no code
// for are left out), at most 16 codes.
std::string tape_name_of_file(const char* path);

// `text`, typed as a listing writes the machine's characters, in the
// machine's codes; false when a character has no code or cannot stand in a
// name (the name's end mark 0D, the line end 00).
bool tape_name_of_text(std::string_view text, std::string& codes);

}  // namespace detoken
