// A whole listing read into a program: its encoding checked, its lines
// numbered, edited and put in order as the machine's editor takes them.

#include "tokenizer/tokenizer.h"

#include <algorithm>
#include <vector>

#include "lister/tape_format.h"

namespace detoken {
namespace {

constexpr unsigned kLargestLineNumber = 0xFFFF;
// The longest line the machine's editor takes as typed.
constexpr std::size_t kInputLineLength = 255;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of a well-formed character at the start of `text` (not empty),
// or 0 when its bytes are none.
std::size_t shift_jis_length(std::string_view text) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  if (lead < 0x80 || (lead >= 0xA1 && lead <= 0xDF)) return 1;
  if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) || text.size() < 2) return 0;
  const auto trail = static_cast<std::uint8_t>(text[1]);
  return trail >= 0x40 && trail <= 0xFC && trail != 0x7F ? 2 : 0;
}

std::size_t utf8_length(std::string_view text) {
  const auto lead = static_cast<std::uint8_t>(text[0]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, point = lead & 0x07;
  }
  if (length == 0 || text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    if ((byte & 0xC0) != 0x80) return 0;
    point = point << 6 | (byte & 0x3F);
  }
  const std::uint32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
  return point >= least && point <= 0x10FFFF && !surrogate ? length : 0;
}

// Where the first byte that is no character of `length`'s encoding stands,
// or npos.
template <class Length>
std::size_t first_malformed(std::string_view text, Length length) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t taken = length(text.substr(at));
    if (taken == 0) return at;
    at += taken;
  }
  return std::string_view::npos;
}

// A fault at byte `at` of the whole listing.
bool fail_at(std::string_view listing, std::size_t at, std::size_t length, ListingError error, ListingFault& fault) {
  const std::string_view before = listing.substr(0, at);
  const std::size_t line_start = before.rfind('\n') + 1;  // npos + 1 is 0
  fault.error = error;
  fault.line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
  fault.column = at - line_start + 1;
  fault.text = listing.substr(at, length);
  return false;
}

// Checks that the listing is in the encoding it is read in: refuses UTF-8's
// byte-order mark or bytes that are no Shift_JIS in a Shift_JIS listing
// (both mean a UTF-8 one), skips the mark and refuses bytes that are no
// UTF-8 in a UTF-8 listing, and notes a Shift_JIS listing that reads as
// UTF-8 with characters beyond ASCII (it is still read as Shift_JIS: a
// listing detoken wrote may happen to).
bool check_encoding(std::string_view& listing, Encoding encoding, ListingFault& fault, ListingNotes& notes) {
  if (encoding == Encoding::Utf8) {
    if (listing.starts_with(kByteOrderMark)) listing.remove_prefix(kByteOrderMark.size());
    const std::size_t bad = first_malformed(listing, utf8_length);
    return bad == std::string_view::npos || fail_at(listing, bad, 1, ListingError::NotUtf8, fault);
  }
  if (listing.starts_with(kByteOrderMark)) {
    return fail_at(listing, 0, kByteOrderMark.size(), ListingError::ByteOrderMarkInShiftJis, fault);
  }
  const std::size_t bad = first_malformed(listing, shift_jis_length);
  if (bad != std::string_view::npos) return fail_at(listing, bad, 1, ListingError::NotShiftJis, fault);
  const bool beyond_ascii = std::any_of(listing.begin(), listing.end(), [](char c) { return (c & 0x80) != 0; });
  notes.looks_like_utf8 = beyond_ascii && first_malformed(listing, utf8_length) == std::string_view::npos;
  return true;
}

// One numbered line as read: its body in `bodies`, or none when it deletes
// its number.
struct ReadLine {
  unsigned number;
  std::size_t listing_line;
  std::size_t body_at;
  std::size_t body_size;
  bool deletes;
};

bool fail(ListingError error, std::size_t line, std::size_t column, std::string_view text, ListingFault& fault) {
  fault = {error, line, column, text};
  return false;
}

// The characters of a line as typed, each character and escape counted once.
std::size_t typed_length(std::string_view text, Encoding encoding) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); ++count) {
    const bool escape = text[at] == '{' && at + 3 < text.size() && text[at + 3] == '}';
    at += escape ? 4 : char_length(text.substr(at), encoding);
  }
  return count;
}

// Notes a line that the machine's input line would not take.
void note_length(std::string_view typed, std::size_t line, Encoding encoding, ListingNotes& notes) {
  if (typed.size() <= kInputLineLength || typed_length(typed, encoding) <= kInputLineLength) return;
  if (notes.long_lines++ == 0) notes.first_long_line = line;
}

// Reads one listing line, `text` without its line end: its number and its
// body into `bodies`.
bool read_line(std::string_view text, std::size_t line, const ListingOptions& options, std::string& bodies,
               std::vector<ReadLine>& lines, ListingFault& fault, ListingNotes& notes) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) at = text.size();
  const std::size_t start = at;
  unsigned long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min<unsigned long>(value * 10 + static_cast<unsigned long>(text[at] - '0'), kLargestLineNumber + 1);
  }
  if (at == start) return fail(ListingError::MissingLineNumber, line, start + 1, text.substr(start, 1), fault);
  if (value > kLargestLineNumber) {
    return fail(ListingError::LineNumberTooLarge, line, start + 1, text.substr(start, at - start), fault);
  }
  const std::size_t body_at = bodies.size();
  if (at == text.size()) {
    lines.push_back({static_cast<unsigned>(value), line, body_at, 0, true});
    return true;
  }
  if (text[at] == ' ') ++at;  // the separator; any further space belongs to the line
  if (!tokenize_line(text.substr(at), options, bodies, fault)) {
    fault.line = line;
    fault.column += at;
    return false;
  }
  note_length(text.substr(start), line, options.characters.encoding, notes);
  const std::size_t body_size = bodies.size() - body_at;
  if (body_size + tape::kLineOverhead > tape::kLongestLine) return fail(ListingError::LineTooLong, line, 1, {}, fault);
  lines.push_back({static_cast<unsigned>(value), line, body_at, body_size, false});
  return true;
}

// The lines as the machine's editor keeps them: in the order of their
// numbers, the last of each number, none where that was a deletion.
std::vector<ReadLine> edited(std::vector<ReadLine> lines, ListingNotes& notes) {
  unsigned highest = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0 && lines[i].number < highest && !lines[i].deletes) ++notes.reordered;
    highest = std::max(highest, lines[i].number);
  }
  std::stable_sort(lines.begin(), lines.end(),
                   [](const ReadLine& a, const ReadLine& b) { return a.number < b.number; });
  std::vector<ReadLine> kept;
  for (const ReadLine& line : lines) {
    const bool there = !kept.empty() && kept.back().number == line.number;
    if (there) {
      ++(line.deletes ? notes.deleted : notes.replaced);
      kept.pop_back();
    }
    if (!line.deletes) kept.push_back(line);
  }
  return kept;
}

}  // namespace

bool tokenize_listing(std::string_view listing, const ListingOptions& options, std::string& program,
                      ListingFault& fault, ListingNotes* notes, std::size_t size_limit) {
  ListingNotes unused;
  ListingNotes& noted = notes != nullptr ? *notes : unused;
  if (!check_encoding(listing, options.characters.encoding, fault, noted)) return false;
  std::string bodies;
  std::vector<ReadLine> lines;
  for (std::size_t line = 1; !listing.empty(); ++line) {
    const std::size_t end = listing.find('\n');
    std::string_view text = listing.substr(0, end);
    listing.remove_prefix(end == std::string_view::npos ? listing.size() : end + 1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.empty()) continue;
    if (!read_line(text, line, options, bodies, lines, fault, noted)) return false;
    noted.last_line_unended = end == std::string_view::npos;
  }
  if (lines.empty()) return fail(ListingError::EmptyListing, 0, 0, {}, fault);
  const std::uint8_t line_end = first_code_of(dialect_info(options.dialect).rules.classes, CodeClass::LineEnd);
  for (const ReadLine& line : edited(std::move(lines), noted)) {
    if (program.size() + line.body_size + tape::kLineOverhead + tape::kEndMarkerSize > size_limit) {
      return fail(ListingError::ProgramTooLarge, line.listing_line, 1, {}, fault);
    }
    tape::append_line(program, static_cast<std::uint16_t>(line.number),
                      std::string_view(bodies).substr(line.body_at, line.body_size), line_end);
  }
  tape::append_end(program);
  return true;
}

}  // namespace detoken
