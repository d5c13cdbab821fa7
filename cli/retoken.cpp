#include "cli/retoken.h"

#include <string>

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "convert/conversions.h"
#include "convert/tape_notes.h"
#include "convert/wording.h"
#include "format/dialects/dialect.h"
#include "tape/image_format.h"

namespace detoken {
namespace {

void show_retoken_usage(const Console& console) {
  using namespace messages;
  static constexpr UsageLine kLines[] = {
      {1, &kRetokenUsageCall},
      {2, &kUsageOutput},
      {3, &kRetokenUsageOutputDefault},
      {4, &kRetokenUsageName},
      {5, &kRetokenUsageNameDefault},
      {6, &kRetokenUsageReplace},
      {9, &kRetokenUsageExact},
      {10, &kRetokenUsageEuropean},
      {11, &kRetokenUsageUtf8},
      {12, &kRetokenUsageTape},
      {14, &kUsageEnglish},
      {16, &kRetokenUsagePart},
      {17, &kRetokenUsageForms},
  };
  show_usage(console, kRetokenUsageTitleStart, kRetokenUsageTitleEnd, kLines, Program::Retoken);
}

// The name the tape header gets: the -n name (known to be one), or, for a
// new header, the listing file's own; none to keep the -t tape's.
std::optional<std::string> header_name(const RunOptions& options) {
  std::string name;
  if (options.tape_name != nullptr && name_codes(options.tape_name, options.characters, false, name)) return name;
  if (options.tape != nullptr) return std::nullopt;
  CharMode mode = options.characters;
  mode.encoding = file_name_encoding(mode.encoding);
  return tape_name_of_file(options.input_name + file_name_start(options.input_name), mode);
}

std::span<const std::uint8_t> as_bytes(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Tokenizes the loaded listing into a whole tape image and writes it.
Converted make_image(const RunOptions& options, const Console& console, std::span<const std::uint8_t> kept_tape,
                     std::string_view listing, std::FILE* output) {
  const TapeOptions tape_options{options.dialect, options.characters, options.language, options.input_name,
                                 header_name(options)};
  const MadeTape made = make_tape(listing, tape_options, kept_tape);
  console.tell(made.reports);
  if (!made.made) return Converted::Refused;
  const bool recording = output_form(options.output_name, OutputForm::Image) == OutputForm::Recording;
  const bool written = write_tape(as_bytes(made.image), recording ? tape::TapeForm::Recording : tape::TapeForm::Image,
                                  file_sink(output));
  return written ? Converted::Done : Converted::WriteFailed;
}

// Whether the -t tape may be replaced: not when it is the only reading of a
// damaged recording, a recording of more files than the one replaced, or a
// program that the listing cannot have held whole (listed with the option of
// another BASIC, or damaged). Else false after a message.
bool may_replace(const RunOptions& options, const Console& console, const tape::TapeReader& tape, bool trusted) {
  const tape::RecordingReader* recording = tape.recording();
  if (!trusted) {
    console.say(messages::kDamagedTape, options.tape);
  } else if (recording != nullptr && recording->files().size() > 1) {
    console.say(messages::kRecordingHoldsMore, {options.tape, std::to_string(recording->files().size())});
  } else if (!lists_whole(tape.image(), options.dialect)) {
    const std::string_view dialect = dialect_info(options.dialect).title_name.in(console.wording);
    console.say(messages::kNotWholeProgram, {options.tape, dialect});
  } else {
    return true;
  }
  return false;
}

// Reads the -t tape, and whether the new image replaces that very tape
// (which needs no -f: the user named it). The tape is closed again, so that
// it can be replaced. False after a message.
bool read_kept_tape(const RunOptions& options, const Console& console, std::string& kept, bool& replaces_tape) {
  InputFile input;
  if (!open_input_file(options.tape, console, input)) return false;
  const std::unique_ptr<tape::TapeReader> tape = read_tape_file(options.tape, input, console, options.part);
  if (tape == nullptr) return false;
  const TapeNotes notes = tape_notes(*tape, options.characters, console.wording);
  console.tell(notes.text);
  if (tape->image().size() < tape::kHeaderSize) {
    console.say(messages::kNotATape, options.tape);
    return false;
  }
  // A text or a tape of machine code is not to be written over.
  if (!is_basic_header(tape::kind_of(tape->image().data()))) {
    console.say(messages::kNotABasicTape, options.tape);
    return false;
  }
  kept.assign(reinterpret_cast<const char*>(tape->image().data()), tape->image().size());
  replaces_tape = is_same_file(input.file, options.output_name);
  return !replaces_tape || may_replace(options, console, *tape, notes.trusted);
}

}  // namespace

int run_retoken(int argc, const char* const* argv) {
  RunOptions options;
  options.language = language_from_environment();
  const ScanOutcome scan = scan_arguments(argc, argv, options, Program::Retoken);
  const Console console = console_for(options);
  if (const std::optional<int> status = end_of_scan(scan, console, [&] { show_retoken_usage(console); })) {
    return *status;
  }
  std::string name;
  if (options.tape_name != nullptr && !name_codes(options.tape_name, options.characters, false, name)) {
    console.say(messages::kBadTapeName, options.tape_name);
    return kExitFailure;
  }
  std::string kept_tape;
  bool replaces_tape = false;
  if (options.tape != nullptr && !read_kept_tape(options, console, kept_tape, replaces_tape)) return kExitFailure;
  // A file already at the image's name is replaced only with -f, or when it
  // is the -t tape: the default name is often the very image the listing came
  // from. The listing is never replaced.
  FileBytes listing;
  return run_conversion(
      options, console,
      {.replace_existing = options.replace_existing || replaces_tape,
       .read =
           [&](const InputFile& input) { return read_whole_file(options.input_name, input, true, console, listing); },
       .convert =
           [&](std::FILE* output) {
             return make_image(options, console, as_bytes(kept_tape), listing.text(), output);
           }});
}

}  // namespace detoken
