#include "cli/detoken.h"

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "convert/conversions.h"

namespace detoken {
namespace {

void show_detoken_usage(const Console& console) {
  using namespace messages;
  static constexpr UsageLine kLines[] = {
      {1, &kUsageCall},     {2, &kUsageOutput}, {3, &kUsageOutputDefault}, {6, &kUsageExact},
      {7, &kUsageEuropean}, {8, &kUsageUtf8},   {10, &kUsageEnglish},
  };
  show_usage(console, kUsageTitleStart, kUsageTitleEnd, kLines, Program::Detoken);
}

// Lists the tape into the output; the findings go to standard error.
Converted list_image(const RunOptions& options, const Console& console, const tape::TapeReader& tape,
                     std::FILE* output) {
  const ListOptions list_options{options.dialect, options.characters, options.exact_reals, options.language};
  const Listing listing = list_tape(tape.image(), list_options, output);
  console.tell(listing.reports());
  return listing.written ? Converted::Done : Converted::WriteFailed;
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
                               return (tape = read_tape_file(options.input_name, input, console)) != nullptr;
                             },
                         .convert = [&](std::FILE* output) { return list_image(options, console, *tape, output); }});
}

}  // namespace detoken
