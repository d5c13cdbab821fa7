#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "charsets/character_sets.h"
#include "format/dialects/dialect.h"
#include "tape/stage.h"

// What the page asks of the lister and the tokenizer: the same conversions
// as detoken and retoken, on bytes in memory, with the findings and messages
// as the programs word them.
namespace detoken::web {

// The page's choices of a dialect, those of the registry in its order: each
// with the name the page shows and the option that chooses it on the command
// line ("-h", ended by a zero byte).
struct DialectChoice {
  Dialect dialect;
  std::string_view name;
  char option[3];
};
std::span<const DialectChoice> dialect_choices();

// The page's choices for one file, as the programs' options: -h (or another
// dialect's letter), -e, -x.
struct Choices {
  Dialect dialect = Dialect::SBasic;
  CharSet characters = CharSet::Japanese;
  bool exact_reals = false;
};

// What the opened file is, as far as its size and header tell.
enum class FileKind {
  BasicTape,  // a header whose attribute is the dialect's BASIC program's
  OtherTape,  // a header with another attribute: not a BASIC program of the dialect
  TooShort,   // shorter than a tape header
  Empty,      // no bytes at all
};

struct Listing {
  std::string text;      // the listing, as detoken writes it in the encoding
  std::string findings;  // the lister's reports, as detoken writes them; empty when it listed to the end
  std::string notes;     // what detoken says of the tape besides (its header, bytes after the program)
  FileKind kind = FileKind::Empty;
  // The dialect (its place among the choices) whose tapes the header tells,
  // when it is not the one chosen; -1 for none.
  int suggested = -1;
  std::uint8_t attribute = 0;  // the header's attribute, when it has one
  std::string tape_name;       // the header's name, in the encoding
};

// Lists `image` as `detoken` does with the choices (and -u for UTF-8).
Listing list_tape(std::span<const std::uint8_t> image, const Choices& choices, Encoding encoding);

struct Tape {
  bool made = false;
  std::string image;     // the tape image, when made
  std::string messages;  // what retoken says on standard error, each line ended by "\n"
  // Where the listing is wrong (line from 1, column in bytes from 1); 0 for
  // a fault of the whole listing, or when it was made.
  std::size_t line = 0;
  std::size_t column = 0;
};

// Makes a tape image of a UTF-8 listing as `retoken -u -t` does with the
// choices: of `kept_tape` (the opened tape: its header, its unedited lines
// and what follows its program kept) when it holds a header, else behind a
// new header named after `listing_name`, which the messages also name.
Tape make_tape(std::string_view listing, std::string_view listing_name, std::string_view kept_tape,
               const Choices& choices);

// What a recording (a WAV file) was read as.
enum class RecordingKind { Read, Malformed, NoTape };

struct Recording {
  RecordingKind kind = RecordingKind::NoTape;
  std::string image;  // the file taken, as a tape image
  std::string notes;  // what detoken -u says of the recording (its files, the blocks read from a copy or damaged)
  bool trusted = true;
  std::size_t files = 0;  // how many files it holds
};

// A recording read as its bytes come in, in pieces, as detoken reads one:
// the file `wanted` of it taken (0 for the first).
class RecordingSession {
 public:
  explicit RecordingSession(std::size_t wanted) : reader_(0, wanted) {}
  void feed(std::span<const std::uint8_t> bytes) { reader_.feed(bytes); }
  double seconds_read() const { return reader_.seconds_read(); }
  // The bytes have ended: the file taken, its names' characters in `set`.
  Recording end(CharSet set);

 private:
  tape::TapeReader reader_;
};

// The recording of a tape image that the machine loads, as detoken -o
// NAME.wav writes it; empty when the image holds less than its header says.
std::string recording_of(std::span<const std::uint8_t> image);

}  // namespace detoken::web
