#include "cli/detoken.h"

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "convert/conversions.h"
#include "convert/tape_notes.h"

namespace detoken {
namespace {

void show_detoken_usage(const Console& console) {
  using namespace messages;
  static constexpr UsageLine kLines[] = {
      {1, &kUsageCall}, {2, &kUsageOutput},   {3, &kUsageOutputDefault}, {6, &kUsageExact},  {7, &kUsageEuropean},
      {8, &kUsageUtf8}, {10, &kUsageEnglish}, {12, &kUsagePart},         {13, &kUsageForms},
  };
  show_usage(console, kUsageTitleStart, kUsageTitleEnd, kLines, Program::Detoken);
}

// Writes the tape to the output as the output's name asks: its listing
// (its findings to standard error), its image or a recording of it. What is
// known of a recording's reading goes to standard error first; a tape that
// could not be read whole is written as well as it was read, and the run
// fails.
Converted convert_tape(const RunOptions& options, const Console& console, const tape::TapeReader& tape,
                       std::FILE* output) {
  const TapeNotes notes = tape_notes(tape, options.characters, console.wording);
  console.tell(notes.text);
  bool written = false;
  const OutputForm form = output_form(options.output_name, OutputForm::Listing);
  if (form == OutputForm::Listing) {
    const ListOptions list_options{options.dialect, options.characters, options.exact_reals, options.language};
    const Listing listing = list_tape(tape.image(), list_options, output);
    console.tell(listing.reports());
    written = listing.written;
  } else {
    const tape::TapeForm tape_form = form == OutputForm::Image ? tape::TapeForm::Image : tape::TapeForm::Recording;
    if (!tape::can_write_tape(tape.image(), tape_form)) {
      console.say(messages::kNotRecordable, options.input_name);
      return Converted::Refused;
    }
    written = write_tape(tape.image(), tape_form, file_sink(output));
  }
  if (!written) return Converted::WriteFailed;
  return notes.trusted ? Converted::Done : Converted::Untrusted;
}

}  // namespace

int run_detoken(int argc, const char* const* argv) {
  RunOptions options;
  options.language = language_from_environment();
  const ScanOutcome scan = scan_arguments(argc, argv, options);
  const Console console = console_for(options);
  if (const std::optional<int> status = end_of_scan(scan, console, [&] { show_detoken_usage(console); })) {
    return *status;
  }
  // A listing already at the output name is replaced: it is made again.
  std::unique_ptr<tape::TapeReader> tape;
  return run_conversion(options, console,
                        {.replace_existing = true,
                         .read =
                             [&](const InputFile& input) {
                               return (tape = read_tape_file(options.input_name, input, console, options.part)) !=
                                      nullptr;
                             },
                         .convert = [&](std::FILE* output) { return convert_tape(options, console, *tape, output); }});
}

}  // namespace detoken
