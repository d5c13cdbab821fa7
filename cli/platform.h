#pragma once

#include <cstdio>
#include <string_view>

// What differs between Windows and the POSIX systems: the console streams and
// opening files. Everything else in the program is the same everywhere.
namespace detoken {

// Standard output and standard error are text streams: each "\n" goes out as
// carriage return and line feed, nothing else is changed. Standard error is
// unbuffered.
void prepare_console();
void write_console(std::FILE* stream, std::string_view text);

inline void write_standard_output(std::string_view text) { write_console(stdout, text); }
inline void write_standard_error(std::string_view text) { write_console(stderr, text); }

inline void flush_console() {
  std::fflush(stdout);
  std::fflush(stderr);
}

// Opens an existing regular file for binary reading, letting other programs
// read and write it meanwhile; null when it cannot be read that way (missing,
// a folder, a device).
std::FILE* open_input(const char* name);

// Creates or truncates a file for binary writing, shared like the input.
std::FILE* create_output(const char* name);

// Whether `name` is the very file open as `input`, however it is spelled.
bool is_same_file(std::FILE* input, const char* name);

}  // namespace detoken
