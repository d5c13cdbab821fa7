#include "cli/run.h"

#include <span>

#include "cli/front_end.h"
#include "cli/messages.h"
#include "cli/platform.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {
namespace {

void show_usage() {
  write_standard_output(messages::kUsageTitle);
  write_standard_output(messages::kUsageCall);
  write_standard_output(messages::kUsageOutput);
  write_standard_output(messages::kUsageOutputDefault);
  write_standard_output(messages::kUsageHuBasic);
  write_standard_output(messages::kUsageSBasic);
}

// Lists the image into the output file and puts the file in place, over the
// file of that name: a listing that could not be written whole leaves that
// file as it was.
int write_listing(std::span<const std::uint8_t> image, const RunOptions& options) {
  OutputFile file;
  if (!open_output(file, options.output_name)) {
    say(messages::kCannotCreate, options.output_name);
    return kExitFailure;
  }
  Output out(file.stream, write_standard_error);
  list_program(image, out, decoder_for(options.dialect));
  if (!out.flush()) {
    discard_output(file);
    say(messages::kWriteFailed, options.output_name);
    return kExitFailure;
  }
  if (commit_output(file, true) != CommitResult::Done) {
    say(messages::kWriteFailed, options.output_name);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace

int convert(const RunOptions& options) {
  LoadedInput input;
  if (!load_input(options.input_name, false, input)) return kExitFailure;
  // The listing would take the place of the input it names.
  if (is_same_file(input.file, options.output_name)) {
    say(messages::kSameAsInput, options.output_name);
    return kExitFailure;
  }
  return write_listing({input.bytes.get(), input.size}, options);
}

int run_detoken(int argc, const char* const* argv) {
  RunOptions options;
  if (const std::optional<int> status = end_of_scan(scan_arguments(argc, argv, options), show_usage)) return *status;
  const int status = convert(options);
  if (status == kExitSuccess) say(messages::kWritten, options.output_name);
  return status;
}

}  // namespace detoken
