#pragma once

#include <cstddef>

#include "charsets/character_sets.h"
#include "charsets/encoding.h"
#include "format/dialects/dialect.h"

namespace detoken {

// The output name buffer: at most 255 characters and the terminating NUL.
inline constexpr std::size_t kOutputNameSize = 256;

// The two programs: detoken lists an image, retoken makes one from a
// listing. They read their command lines alike; retoken has two more options.
enum class Program { Detoken, Retoken };

struct RunOptions {
  Dialect dialect = Dialect::SBasic;
  const char* input_name = nullptr;  // the argument itself, not a copy
  char output_name[kOutputNameSize] = {};
  bool has_output_name = false;
  const char* tape_name = nullptr;  // retoken's -n, the argument itself
  bool replace_existing = false;    // retoken's -f
  const char* tape = nullptr;       // retoken's -t, the argument itself
  bool exact_reals = false;         // -x
  CharMode characters;              // -e (the European set) and -u (UTF-8)
  std::size_t part = 0;             // -pN: the N-th file of a recording, from 0
  // The messages' language: English with -l or DETOKEN_LANG=en.
  Language language = Language::Japanese;

  Wording wording() const { return {language, characters.encoding}; }
};

// The language the environment asks for: English when DETOKEN_LANG starts
// with "en" (en, en_GB.UTF-8, ...), else Japanese.
Language language_from_environment();

enum class ScanResult {
  Convert,        // an input name was given; the output name is set
  ShowUsage,      // no input name, two of them, or -o with nothing after it
  InvalidOption,  // `invalid_letter` holds the letter after the '-'
  NameTooLong,    // the output name does not fit
};

struct ScanOutcome {
  ScanResult result;
  char invalid_letter = 0;
};

// Reads the arguments (argv[1] on) left to right, stopping at the first one
// that ends the run, and sets the output name when no -o gave one: for
// retoken the -t tape, else the input name with the extension ".txt" for
// detoken, ".mzt" for retoken.
ScanOutcome scan_arguments(int argc, const char* const* argv, RunOptions& options, Program program = Program::Detoken);

// Copies `name` into the output name buffer; false when it has 256 or more
// characters.
bool copy_output_name(RunOptions& options, const char* name);

// The output name from the input name: its extension, or its end when it has
// none, replaced by `extension` (".txt" or ".mzt"). Only the file's own
// name is searched for the dot (after the last '/' or '\', see
// file_name_start). False when the result would not fit.
bool derive_output_name(RunOptions& options, const char* extension = ".txt");

}  // namespace detoken
