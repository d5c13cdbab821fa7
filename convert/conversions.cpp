#include "convert/conversions.h"

#include "convert/listing_reports.h"
#include "lister/decoding.h"
#include "lister/line_walker.h"
#include "tape/image_format.h"

namespace detoken {

Listing list_tape(std::span<const std::uint8_t> image, const ListOptions& options, std::FILE* file) {
  Output out(file, nullptr, options.style());
  list_program(image, out, decoder_for(options.dialect));
  Listing listing;
  listing.written = out.flush();
  if (file == nullptr) listing.text = out.text();
  listing.reports = out.reports();
  return listing;
}

namespace {

// The header the program goes behind, its size still to be set.
std::string header_for(const TapeOptions& options, std::span<const std::uint8_t> kept_tape) {
  if (kept_tape.size() < tape::kHeaderSize) {
    return tape::header(options.tape_name.value_or(""), 0, dialect_info(options.dialect).header);
  }
  std::string header(reinterpret_cast<const char*>(kept_tape.data()), tape::kHeaderSize);
  if (options.tape_name) tape::set_name(header, *options.tape_name);
  return header;
}

}  // namespace

MadeTape make_tape(std::string_view listing, const TapeOptions& options, std::span<const std::uint8_t> kept_tape) {
  MadeTape made;
  // The program is read in behind its header, whose size is set after.
  std::string image = header_for(options, kept_tape);
  ListingNotes notes;
  const ListingReports reports{options.listing_name, options.wording()};
  const bool read = tokenize_listing(listing, {options.dialect, options.characters}, image, made.fault, &notes,
                                     tape::kHeaderSize + tape::kLargestProgram);
  made.reports = notes_report(reports, notes, read);
  if (!read) {
    made.reports += fault_report(reports, made.fault);
    return made;
  }
  const std::size_t program_size = image.size() - tape::kHeaderSize;
  made.reports += size_report(reports, options.dialect, program_size);
  tape::set_program_size(image, program_size);
  made.image = std::move(image);
  made.made = true;
  return made;
}

bool name_codes(std::string_view text, CharMode mode, bool skip_unknown, std::string& codes) {
  codes.clear();
  while (!text.empty()) {
    const CharRead read = read_char(text, mode);
    const bool fits = read.status == ReadStatus::Read && read.code != tape::kNameEnd && read.code != 0;
    if (!fits && !skip_unknown) return false;
    if (fits) codes.push_back(static_cast<char>(read.code));
    text.remove_prefix(read.length);
  }
  return true;
}

std::string tape_name_of_file(std::string_view file_name, CharMode mode) {
  std::string name(file_name.substr(0, file_name.rfind('.')));
  for (std::size_t at = 0; at < name.size(); at += char_length(std::string_view(name).substr(at), mode.encoding)) {
    if (name[at] >= 'a' && name[at] <= 'z') name[at] = static_cast<char>(name[at] - 'a' + 'A');
  }
  std::string codes;
  name_codes(name, mode, true, codes);
  return codes;
}

}  // namespace detoken
