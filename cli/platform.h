#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

// What differs between Windows and the POSIX systems: the console streams and
// opening files. Everything else in the program is the same everywhere.
namespace detoken {

// Called first thing. Makes sure descriptors 0, 1 and 2 are open (on the null
// device when the program was started without them), so that no file opened
// later takes their place and receives the console's text; on POSIX, a write
// to a pipe whose reader has gone fails instead of ending the process.
// Standard output and standard error are then text streams: each "\n" goes
// out as carriage return and line feed, nothing else is changed. Standard
// error is unbuffered.
void prepare_console();

// Writes to a console stream. A write that fails is not an error of the run:
// nothing is answered.
void write_console(std::FILE* stream, std::string_view text);

inline void write_standard_output(std::string_view text) { write_console(stdout, text); }
inline void write_standard_error(std::string_view text) { write_console(stderr, text); }

inline void flush_console() {
  std::fflush(stdout);
  std::fflush(stderr);
}

// Opens an existing regular file for binary reading, letting other programs
// read and write it meanwhile, and answers its size; null when it cannot be
// read that way (missing, a folder, a device, a pipe). A named pipe is
// refused at once, without waiting for a writer.
std::FILE* open_input(const char* name, std::uint64_t& size);

// Creates or truncates a file for binary writing, shared like the input.
std::FILE* create_output(const char* name);

// Whether `name` is the very file open as `input`, however it is spelled.
bool is_same_file(std::FILE* input, const char* name);

}  // namespace detoken
