#include "convert/conversions.h"

#include <algorithm>

#include "convert/listing_reports.h"
#include "convert/messages.h"
#include "convert/wording.h"
#include "format/dialects/keywords.h"
#include "lister/decoding.h"
#include "lister/line_walker.h"
#include "tape/image_format.h"

namespace detoken {
namespace {

std::string_view as_text(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// That the header is that of another BASIC's tapes than `dialect`'s, naming
// the option that lists it; nothing when it agrees or tells nothing.
std::string header_note(std::span<const std::uint8_t> image, Dialect dialect, const Wording& wording) {
  if (image.size() < tape::kHeaderSize) return {};
  const tape::HeaderKind kind = tape::kind_of(image.data());
  const DialectInfo* other = dialect_of_header(kind);
  if (other == nullptr || header_fits(dialect_info(dialect), kind)) return {};
  const std::string name(other->title_name.in(wording));
  if (other == dialects().front()) return format(messages::kHeaderOfDefault, wording, {name});
  return format(messages::kHeaderOfOption, wording, {name, std::string{'-', other->option}});
}

// The keyword of a code in a dialect's tables (`prefix` FE, FF or 0 for a
// one-byte code), or an empty name.
std::string_view keyword_of(const DialectInfo& dialect, std::uint8_t prefix, std::uint8_t code, Encoding encoding) {
  const KeywordTables& tables = dialect.rules.keywords.in(encoding);
  const std::span<const Keyword> table = prefix == kFePrefix   ? tables.fe
                                         : prefix == kFfPrefix ? tables.ff
                                                               : tables.main;
  const std::size_t index = code - kFirstKeywordCode;
  return code >= kFirstKeywordCode && index < table.size() ? table[index].name() : std::string_view{};
}

// After a syntax error: the dialects whose tapes have this header and which
// have a keyword for the code, each with the option that lists it.
std::string other_dialects_note(std::span<const std::uint8_t> image, const Output::Stop& stop, Dialect dialect,
                                const Wording& wording) {
  if (!stop.stopped || image.size() < tape::kHeaderSize) return {};
  std::string note;
  for (const DialectInfo* other : dialects()) {
    if (other->dialect == dialect || !header_fits(*other, tape::kind_of(image.data()))) continue;
    const std::string_view keyword = keyword_of(*other, stop.prefix, stop.code, wording.encoding);
    if (keyword.empty()) continue;
    note += format(messages::kCodeOfOther, wording,
                   {std::string(other->title_name.in(wording)), keyword, std::string{'-', other->option}});
  }
  return note;
}

// Where the tape's data ends: where its header's size says, or the image's
// end when it is shorter.
std::size_t data_end(std::span<const std::uint8_t> image) {
  return std::min(image.size(), tape::kHeaderSize + tape::program_size_in(image.data()));
}

// How many bytes of the tape's data follow its program's end marker, which
// lies at `program_end` (0 where the program did not end).
std::size_t trailing_bytes(std::span<const std::uint8_t> image, std::size_t program_end) {
  if (program_end == 0 || image.size() < tape::kHeaderSize) return 0;
  return data_end(image) > program_end ? data_end(image) - program_end : 0;
}

}  // namespace

Listing list_tape(std::span<const std::uint8_t> image, const ListOptions& options, std::FILE* file) {
  Output out(file, nullptr, options.style());
  const std::size_t program_end = list_program(image, out, decoder_for(options.dialect));
  Listing listing;
  listing.written = out.flush();
  if (file == nullptr) listing.text = out.text();
  listing.findings = out.reports();
  listing.findings += other_dialects_note(image, out.stop(), options.dialect, options.wording());
  listing.notes = header_note(image, options.dialect, options.wording());
  if (const std::size_t trailing = trailing_bytes(image, program_end)) {
    listing.notes += format(messages::kTrailingBytes, options.wording(), {std::to_string(trailing)});
  }
  return listing;
}

bool lists_whole(std::span<const std::uint8_t> image, Dialect dialect) {
  Output out(nullptr, nullptr, {CharMode{}});
  return list_program(image, out, decoder_for(dialect)) != 0;
}

namespace {

// The header the program goes behind, its size still to be set.
std::string header_for(const TapeOptions& options, std::span<const std::uint8_t> kept_tape) {
  if (kept_tape.size() < tape::kHeaderSize) {
    return tape::header(options.tape_name.value_or(""), 0, dialect_info(options.dialect).header);
  }
  std::string header(as_text(kept_tape.first(tape::kHeaderSize)));
  if (options.tape_name) tape::set_name(header, *options.tape_name);
  return header;
}

// A line number as the listing writes it: in five columns, then a space.
constexpr std::size_t kNumberColumns = 6;
std::string number_text(std::uint16_t number) {
  std::string digits = std::to_string(number);
  return std::string(kNumberColumns - 1 - digits.size(), ' ') + digits + ' ';
}

// The lines of the kept tape's program with the text each lists as, in the
// listing's mode, with and without exact reals: as far as the listing and the
// lines' lengths agree on them.
void add_kept_lines(std::span<const std::uint8_t> image, const TapeOptions& options, bool exact, KeptLines& kept) {
  Output out(nullptr, nullptr, {options.characters, exact});
  list_program(image, out, decoder_for(options.dialect));
  std::string_view text = out.text();
  std::size_t at = tape::kHeaderSize;
  for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
    if (image.size() - at < tape::kLineOverhead) return;
    const std::size_t length = tape::word_at(image.data() + at);
    const std::uint16_t number = tape::word_at(image.data() + at + tape::kWordSize);
    const std::string_view line = text.substr(0, end);
    if (length < tape::kLineOverhead || length > image.size() - at || !line.starts_with(number_text(number))) return;
    kept.add(number, line.substr(kNumberColumns), as_text(image.subspan(at, length)));
    at += length;
  }
}

// The bytes of the kept tape's data after its program's end marker.
std::string_view kept_tail(std::span<const std::uint8_t> image, const TapeOptions& options) {
  Output out(nullptr, nullptr, {options.characters});
  const std::size_t program_end = list_program(image, out, decoder_for(options.dialect));
  const std::size_t trailing = trailing_bytes(image, program_end);
  return as_text(image.subspan(program_end, trailing));
}

}  // namespace

MadeTape make_tape(std::string_view listing, const TapeOptions& options, std::span<const std::uint8_t> kept_tape) {
  MadeTape made;
  // The program is read in behind its header, whose size is set after.
  std::string image = header_for(options, kept_tape);
  const bool keeping = kept_tape.size() >= tape::kHeaderSize;
  KeptLines kept;
  std::string_view tail;
  if (keeping) {
    for (const bool exact : {false, true}) add_kept_lines(kept_tape, options, exact, kept);
    tail = kept_tail(kept_tape, options);
  }
  ListingOptions listing_options(options.dialect, options.characters);
  listing_options.kept = &kept;
  ListingNotes notes;
  const ListingReports reports{options.listing_name, options.wording()};
  if (keeping && options.check_kept_header) {
    const std::string note = header_note(kept_tape, options.dialect, options.wording());
    if (!note.empty()) made.reports = std::string(options.listing_name) + ": " + note;
  }
  const bool read = tokenize_listing(listing, listing_options, image, made.fault, &notes,
                                     tape::kHeaderSize + tape::kLargestProgram - tail.size());
  made.reports += notes_report(reports, notes, read);
  if (!read) {
    made.reports += fault_report(reports, made.fault);
    return made;
  }
  made.reports += size_report(reports, options.dialect, image.size() - tape::kHeaderSize);
  image += tail;
  tape::set_program_size(image, image.size() - tape::kHeaderSize);
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
