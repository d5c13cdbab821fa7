#pragma once

// The conversions both front ends make, the console programs and the page:
// a tape listed, a listing made into a tape. Each answers what it made and
// what is to be said about it as values; the front ends only read and write
// files and show what they are given.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "charsets/character_sets.h"
#include "format/dialects/dialect.h"
#include "lister/output.h"
#include "tokenizer/tokenizer.h"

namespace detoken {

// How a tape is listed (detoken's options).
struct ListOptions {
  Dialect dialect = Dialect::SBasic;
  CharMode characters;
  bool exact_reals = false;
  Language language = Language::Japanese;

  ListingStyle style() const { return {characters, exact_reals, language}; }
  Wording wording() const { return {language, characters.encoding}; }
};

struct Listing {
  std::string text;  // the listing, when it was not written to a file
  // What is said on standard error, each line ended by "\n": the lister's
  // findings (where the listing stops), and notes about the tape (that its
  // header is another BASIC's, that bytes follow the program's end).
  std::string findings;
  std::string notes;
  bool written = true;  // false when a write to the file failed

  std::string reports() const { return findings + notes; }
};

// Lists the tape image `image` (its header and program) with the options:
// into `file` when there is one (a block at a time), else into the
// answer's text.
Listing list_tape(std::span<const std::uint8_t> image, const ListOptions& options, std::FILE* file = nullptr);

// Whether the program of the tape image `image` reads to its end marker as
// a program of `dialect`.
bool lists_whole(std::span<const std::uint8_t> image, Dialect dialect);

// How a listing is made into a tape (retoken's options).
struct TapeOptions {
  Dialect dialect = Dialect::SBasic;
  CharMode characters;
  Language language = Language::Japanese;
  // The listing's name, as what is said about it names it.
  std::string_view listing_name;
  // The name the header gets, in the machine's codes; none to keep the kept
  // tape's name.
  std::optional<std::string> tape_name;
  // Whether to say when the kept tape's header is another BASIC's.
  bool check_kept_header = true;

  Wording wording() const { return {language, characters.encoding}; }
};

struct MadeTape {
  bool made = false;
  std::string image;     // the tape image, when made
  std::string reports;   // what is said on standard error, each line ended by "\n"
  ListingFault fault{};  // where the listing is wrong, when it was not made
};

// Makes a tape image of `listing`: behind the header of `kept_tape` (a tape
// image, as retoken -t keeps it: only the program's size changes, and the
// name with a tape name) when it holds one, else behind a new header of the
// dialect's. The lines of the kept tape's program that the listing leaves as
// they were listed keep their bytes, and so do the bytes that follow its end
// marker: an unedited listing gives the tape back.
MadeTape make_tape(std::string_view listing, const TapeOptions& options, std::span<const std::uint8_t> kept_tape = {});

// `text`'s characters in the machine's codes, as the listing writes
// characters in `mode`; a character that has no code or cannot stand in a
// name (the name's end mark 0D, the line end 00) is left out when
// `skip_unknown`, else ends it: false.
bool name_codes(std::string_view text, CharMode mode, bool skip_unknown, std::string& codes);

// The name a tape's header gets for a file: the file's own name (no folder:
// `file_name`, in `mode`'s encoding) without its extension, upper-cased, in
// the machine's codes; characters it has no code for are left out.
std::string tape_name_of_file(std::string_view file_name, CharMode mode);

}  // namespace detoken
