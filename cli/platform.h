#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "charsets/encoding.h"

// What differs between Windows and the POSIX systems: the console streams,
// file names, and opening and replacing files. Everything else in the program
// is the same everywhere.
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

// Makes the console show text in `encoding` where it has to be told (the
// Windows console's output code page); elsewhere the terminal decides.
void set_console_encoding(Encoding encoding);

inline void flush_console() {
  std::fflush(stdout);
  std::fflush(stderr);
}

// Where the file's own name begins in `path`: just after its last '/' or
// '\'. On Windows a name is in the ANSI code page (932 in Japan), where a
// '\' byte can be the second byte of a double-byte character (ソ is 83 5C):
// such a byte is no separator. Elsewhere names are plain bytes.
std::size_t file_name_start(const char* path);

// The encoding file names come in, where a listing in `encoding` is read:
// on POSIX systems names are bytes, in the encoding the user works in; on
// Windows they come in the ANSI code page, read as Shift_JIS.
Encoding file_name_encoding(Encoding encoding);

// Opens an existing regular file for binary reading, letting other programs
// read and write it meanwhile, and answers its size; null when it cannot be
// read that way (missing, a folder, a device, a pipe). A named pipe is
// refused at once, without waiting for a writer.
std::FILE* open_input(const char* name, std::uint64_t& size);

// Whether a regular file is at `name` (following a symbolic link): not a
// folder, a device or a pipe, which are written directly.
bool regular_file_exists(const char* name);

// Whether `name` is the very file open as `input`, however it is spelled.
bool is_same_file(std::FILE* input, const char* name);

// A file being written. A regular file, or a name where nothing is yet, is
// written to a temporary file in the same folder, which takes the name only
// when the whole file has been written: until then the named file stays as
// it was. Anything else (a device, a terminal, a pipe) is written directly.
struct OutputFile {
  std::FILE* stream = nullptr;
  // The name the file ends up with: the name given, or, when that is a
  // symbolic link, the file it leads to (the link stays).
  std::string final_name;
  // Empty when the file is written directly.
  std::string temporary_name;

  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // A file that was neither committed nor discarded is discarded: whatever
  // way the run leaves, no temporary file stays behind.
  ~OutputFile();
};

enum class CommitResult {
  Done,    // the file is in place
  Exists,  // a file is already there and was not to be replaced
  Failed,  // a write, the flush, the close or the rename failed
};

// Opens `output` (a new OutputFile) for writing to `name`; false, with
// nothing left behind, when it cannot be created (a missing or read-only
// folder, a read-only file, a folder of that name).
bool open_output(OutputFile& output, const char* name);

// Flushes and closes the file and moves it to its final name, over a file
// already there only when `replace` (without replacing, a file that appears
// meanwhile is never overwritten). A file written directly is never in the
// way. Whatever the result, the file is closed and no temporary file is left.
CommitResult commit_output(OutputFile& output, bool replace);

// Closes the file and removes the temporary file: the final name stays as it
// was.
void discard_output(OutputFile& output);

// What commit_output and discard_output need of the system (the two are the
// same everywhere, in output_file.cpp): a file moved to another name in the
// same folder, over a file there only when `replace`; a file removed.
CommitResult move_into_place(const char* from, const char* to, bool replace);
void remove_file(const char* name);

}  // namespace detoken
