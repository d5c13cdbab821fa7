#include "cli/detoken.h"

#include <span>

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "lister/dialects/dialect.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {
namespace {

void show_usage() {
  for (const Message& line :
       {messages::kUsageTitle, messages::kUsageCall, messages::kUsageOutput, messages::kUsageOutputDefault,
        messages::kUsageHuBasic, messages::kUsageSBasic, messages::kUsageExact, messages::kUsageEuropean,
        messages::kUsageUtf8, messages::kUsageSp5025}) {
    say(line);
  }
}

// Lists the image into the output; the findings go to standard error.
Converted list_image(const RunOptions& options, const LoadedInput& input, std::FILE* output) {
  Output out(output, write_standard_error, {.characters = options.characters, .exact_reals = options.exact_reals});
  list_program({input.bytes.get(), input.size}, out, decoder_for(options.dialect));
  return out.flush() ? Converted::Done : Converted::WriteFailed;
}

}  // namespace

int run_detoken(int argc, const char* const* argv) {
  RunOptions options;
  const ScanOutcome scan = scan_arguments(argc, argv, options);
  use_console_encoding(options.characters.encoding);
  if (const std::optional<int> status = end_of_scan(scan, show_usage)) return *status;
  // A listing already at the output name is replaced: it is made again.
  return run_conversion(options, {.empty_input_allowed = false,
                                  .replace_existing = true,
                                  .convert = [&](const LoadedInput& input, std::FILE* output) {
                                    return list_image(options, input, output);
                                  }});
}

}  // namespace detoken
