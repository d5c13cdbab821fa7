#include "cli/retoken.h"

#include <string>

#include "charsets/character_sets.h"
#include "cli/front_end.h"
#include "cli/listing_reports.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/platform.h"
#include "lister/dialects/dialect.h"
#include "lister/tape_format.h"
#include "tokenizer/keyword_index.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

void show_usage() {
  for (const Message& line :
       {messages::kRetokenUsageTitle, messages::kRetokenUsageCall, messages::kUsageOutput,
        messages::kRetokenUsageOutputDefault, messages::kRetokenUsageName, messages::kRetokenUsageNameDefault,
        messages::kRetokenUsageReplace, messages::kRetokenUsageHuBasic, messages::kRetokenUsageSBasic,
        messages::kRetokenUsageExact, messages::kRetokenUsageEuropean, messages::kRetokenUsageUtf8,
        messages::kRetokenUsageTape, messages::kRetokenUsageSp5025}) {
    say(line);
  }
}

// `text`'s characters in the machine's codes, at most 16 of them; a
// character that has no code or cannot stand in a name (the name's end mark
// 0D, the line end 00) is left out when `skip_unknown`, else ends it: false.
bool name_codes(std::string_view text, CharMode mode, bool skip_unknown, std::string& codes) {
  codes.clear();
  while (!text.empty()) {
    const CharRead read = read_char(text, mode);
    const bool fits = read.status == ReadStatus::Read && read.code != tape::kNameEnd && read.code != 0;
    if (!fits && !skip_unknown) return false;
    if (fits && codes.size() < tape::kNameLength) codes.push_back(static_cast<char>(read.code));
    text.remove_prefix(read.length);
  }
  return true;
}

// The name a tape header gets for a file: the file's own name without its
// extension, upper-cased, in the machine's codes (characters it has no code
// for are left out), at most 16 codes.
std::string tape_name_of_file(const char* path, CharMode mode) {
  mode.encoding = file_name_encoding(mode.encoding);
  std::string name(path + file_name_start(path));
  name = name.substr(0, name.rfind('.'));
  for (std::size_t at = 0; at < name.size(); at += char_length(std::string_view(name).substr(at), mode.encoding)) {
    name[at] = upper(name[at]);
  }
  std::string codes;
  name_codes(name, mode, true, codes);
  return codes;
}

// The name the tape header gets: the -n name (known to be one), or the
// listing file's own.
std::string tape_name(const RunOptions& options) {
  std::string name;
  if (options.tape_name == nullptr || !name_codes(options.tape_name, options.characters, false, name)) {
    name = tape_name_of_file(options.input_name, options.characters);
  }
  return name;
}

// Tokenizes the loaded listing into a whole tape image and writes it.
Converted make_image(const RunOptions& options, std::string_view kept_header, const LoadedInput& listing,
                     std::FILE* output) {
  // The program is read in behind its header, whose size is set after.
  std::string image = tape_header(options, kept_header, 0);
  ListingFault fault{};
  ListingNotes notes;
  const bool read = tokenize_listing(listing.text(), {options.dialect, options.characters}, image, fault, &notes,
                                     tape::kHeaderSize + tape::kLargestProgram);
  write_standard_error(notes_report(options, notes, read));
  if (!read) {
    write_standard_error(fault_report(options, fault));
    return Converted::Refused;
  }
  const std::size_t program_size = image.size() - tape::kHeaderSize;
  write_standard_error(size_report(options, program_size));
  tape::set_program_size(image, program_size);
  return std::fwrite(image.data(), 1, image.size(), output) == image.size() ? Converted::Done : Converted::WriteFailed;
}

// The header of the -t tape; whether the new image replaces that very tape
// (which needs no -f: the user named it). False after a message.
bool read_kept_header(const RunOptions& options, std::string& header, bool& replaces_tape) {
  LoadedInput tape;
  if (!load_input(options.tape, false, tape)) return false;
  if (tape.size < tape::kHeaderSize) {
    say(messages::kNotATape, options.tape);
    return false;
  }
  header.assign(tape.text().substr(0, tape::kHeaderSize));
  replaces_tape = is_same_file(tape.file, options.output_name);
  return true;
}

}  // namespace

std::string tape_header(const RunOptions& options, std::string_view kept_header, std::size_t program_size) {
  if (kept_header.empty()) return tape::header(tape_name(options), program_size, dialect_info(options.dialect).header);
  std::string header(kept_header);
  if (options.tape_name != nullptr) tape::set_name(header, tape_name(options));
  tape::set_program_size(header, program_size);
  return header;
}

std::string tape_image(const RunOptions& options, std::string_view kept_header, std::string_view program) {
  return tape_header(options, kept_header, program.size()).append(program);
}

int run_retoken(int argc, const char* const* argv) {
  RunOptions options;
  const ScanOutcome scan = scan_arguments(argc, argv, options, Program::Retoken);
  use_console_encoding(options.characters.encoding);
  if (const std::optional<int> status = end_of_scan(scan, show_usage)) return *status;
  std::string name;
  if (options.tape_name != nullptr && !name_codes(options.tape_name, options.characters, false, name)) {
    say(messages::kBadTapeName, options.tape_name);
    return kExitFailure;
  }
  std::string kept_header;
  bool replaces_tape = false;
  if (options.tape != nullptr && !read_kept_header(options, kept_header, replaces_tape)) return kExitFailure;
  // A file already at the image's name is replaced only with -f, or when it
  // is the -t tape: the default name is often the very image the listing came
  // from. The listing is never replaced.
  return run_conversion(options, {.empty_input_allowed = true,
                                  .replace_existing = options.replace_existing || replaces_tape,
                                  .convert = [&](const LoadedInput& listing, std::FILE* output) {
                                    return make_image(options, kept_header, listing, output);
                                  }});
}

}  // namespace detoken
