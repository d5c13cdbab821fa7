#include "cli/run.h"

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>

#include "cli/messages.h"
#include "cli/platform.h"
#include "lister/line_walker.h"
#include "lister/output.h"

namespace detoken {
namespace {

// `format` with its one "%s" or "%c" placeholder replaced by `value`.
void say(std::string_view format, std::string_view value) {
  std::string text(format);
  const std::size_t at = text.find('%');
  if (at != std::string::npos) text.replace(at, 2, value);
  write_standard_output(text);
}

void show_usage() {
  write_standard_output(messages::kUsageTitle);
  write_standard_output(messages::kUsageCall);
  write_standard_output(messages::kUsageOutput);
  write_standard_output(messages::kUsageOutputDefault);
  write_standard_output(messages::kUsageHuBasic);
  write_standard_output(messages::kUsageSBasic);
}

// Reads `size` bytes, in pieces that any runtime's fread takes whole.
bool read_whole(std::FILE* input, std::uint8_t* image, std::size_t size) {
  constexpr std::size_t kPiece = std::size_t{1} << 30;
  for (std::size_t done = 0; done < size;) {
    const std::size_t piece = size - done < kPiece ? size - done : kPiece;
    if (std::fread(image + done, 1, piece, input) != piece) return false;
    done += piece;
  }
  return true;
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

// Reads the open input whole and writes its listing.
int convert_open_input(std::FILE* input, std::uint64_t length, const RunOptions& options) {
  const auto size = static_cast<std::size_t>(length);
  // An empty file has nothing to allocate: reported like a failed allocation,
  // and so is a file too large to hold.
  std::unique_ptr<std::uint8_t[]> image(size == 0 || size != length ? nullptr : new (std::nothrow) std::uint8_t[size]);
  if (image == nullptr) {
    write_standard_output(messages::kNoMemory);
    return kExitFailure;
  }
  if (!read_whole(input, image.get(), size)) {
    say(messages::kReadFailed, options.input_name);
    return kExitFailure;
  }
  // The listing would take the place of the input it names.
  if (is_same_file(input, options.output_name)) {
    say(messages::kSameAsInput, options.output_name);
    return kExitFailure;
  }
  return write_listing({image.get(), size}, options);
}

}  // namespace

int convert(const RunOptions& options) {
  std::uint64_t length = 0;
  std::FILE* input = open_input(options.input_name, length);
  if (input == nullptr) {
    say(messages::kReadFailed, options.input_name);
    return kExitFailure;
  }
  const int status = convert_open_input(input, length, options);
  std::fclose(input);
  return status;
}

int run_detoken(int argc, const char* const* argv) {
  RunOptions options;
  const ScanOutcome scan = scan_arguments(argc, argv, options);
  switch (scan.result) {
    case ScanResult::ShowUsage:
      show_usage();
      return kExitSuccess;
    case ScanResult::InvalidOption:
      say(messages::kInvalidOption, std::string_view(&scan.invalid_letter, 1));
      return kExitFailure;
    case ScanResult::NameTooLong:
      write_standard_output(messages::kNameTooLong);
      return kExitFailure;
    case ScanResult::Convert:
      break;
  }
  const int status = convert(options);
  if (status == kExitSuccess) say(messages::kWritten, options.output_name);
  return status;
}

}  // namespace detoken
