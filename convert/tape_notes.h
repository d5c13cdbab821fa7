#pragma once

// What is said about a tape read from a recording: the files it holds, a
// block read from its copy, a block that could not be read.

#include <string>

#include "charsets/character_sets.h"
#include "charsets/encoding.h"
#include "tape/stage.h"

namespace detoken {

struct TapeNotes {
  std::string text;     // on standard error, each line ended by "\n"
  bool trusted = true;  // false when a block of the file taken is damaged or cut off
};

// The notes on the tape `tape` read, its characters (the files' names) in
// `mode`; nothing for an image.
TapeNotes tape_notes(const tape::TapeReader& tape, CharMode mode, const Wording& wording);

// What a file is to be written as, by its name: a name ending in ".wav" (in
// any case) a recording, ".mzt" or ".mzf" an image; anything else
// `otherwise`.
enum class OutputForm { Listing, Image, Recording };
OutputForm output_form(std::string_view name, OutputForm otherwise);

}  // namespace detoken
