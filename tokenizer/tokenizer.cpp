// A whole listing read into a program: its encoding checked, its lines
// numbered, edited and put in order as the machine's editor takes them.

#include "tokenizer/tokenizer.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tape/image_format.h"
#include "tokenizer/line_tokenizer.h"

namespace detoken {
namespace {

constexpr unsigned kLargestLineNumber = 0xFFFF;
// The longest line the machine's editor takes as typed.
constexpr std::size_t kInputLineLength = 255;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Where the first byte beyond ASCII stands from `at` on, or the end: most
// listings are nearly all ASCII, looked at eight bytes at a time.
std::size_t skip_ascii(const std::uint8_t* bytes, std::size_t at, std::size_t size) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  for (; size - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes + at, sizeof word);
    if ((word & kHighBits) != 0) break;
  }
  while (at < size && bytes[at] < 0x80) ++at;
  return at;
}

// Where the first byte that is no Shift_JIS character stands, or npos; and
// whether any byte lies beyond ASCII.
std::size_t first_not_shift_jis(std::string_view text, bool& beyond_ascii) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  for (std::size_t at = skip_ascii(bytes, 0, text.size()); at < text.size(); at = skip_ascii(bytes, at, text.size())) {
    const std::uint8_t byte = bytes[at];
    beyond_ascii = true;
    if (is_shift_jis_single(byte)) {
      ++at;
      continue;
    }
    if (!is_shift_jis_lead(byte) || at + 1 == text.size() || !is_shift_jis_trail(bytes[at + 1])) return at;
    at += 2;
  }
  return std::string_view::npos;
}

// Where the first byte that is no UTF-8 character stands, or npos.
std::size_t first_not_utf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  for (std::size_t at = skip_ascii(bytes, 0, text.size()); at < text.size(); at = skip_ascii(bytes, at, text.size())) {
    const std::uint8_t lead = bytes[at];
    const std::size_t length = utf8_length(lead);
    if (length == 0 || text.size() - at < length) return at;
    std::uint32_t point = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      if (!is_utf8_continuation(bytes[at + i])) return at;
      point = point << 6 | (bytes[at + i] & 0x3F);
    }
    if (point < utf8_least(length) || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return at;
    at += length;
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
    const std::size_t bad = first_not_utf8(listing);
    return bad == std::string_view::npos || fail_at(listing, bad, 1, ListingError::NotUtf8, fault);
  }
  if (listing.starts_with(kByteOrderMark)) {
    return fail_at(listing, 0, kByteOrderMark.size(), ListingError::ByteOrderMarkInShiftJis, fault);
  }
  bool beyond_ascii = false;
  const std::size_t bad = first_not_shift_jis(listing, beyond_ascii);
  if (bad != std::string_view::npos) return fail_at(listing, bad, 1, ListingError::NotShiftJis, fault);
  notes.looks_like_utf8 = beyond_ascii && first_not_utf8(listing) == std::string_view::npos;
  return true;
}

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

// One numbered line as read: the line as the program holds it, in the lines'
// buffer, or none when it deletes its number.
struct ReadLine {
  unsigned number;
  std::size_t listing_line;
  std::size_t bytes_at;
  std::size_t size;
  bool deletes;
};

// The lines as the program holds them, one after the other as they come, in
// a buffer that grows and is never cleared: every byte is written before it
// is read.
class LineBytes {
 public:
  // Room for `count` more bytes at the end.
  char* room_for(std::size_t count) {
    if (capacity_ - size_ < count) {
      const std::size_t capacity = std::max(2 * capacity_, size_ + count);
      std::unique_ptr<char[]> larger(new char[capacity]);
      if (size_ != 0) std::memcpy(larger.get(), bytes_.get(), size_);
      bytes_ = std::move(larger);
      capacity_ = capacity;
    }
    return bytes_.get() + size_;
  }
  void took(const char* end) { size_ = static_cast<std::size_t>(end - bytes_.get()); }
  std::size_t size() const { return size_; }
  std::string_view at(std::size_t start, std::size_t count) const { return {bytes_.get() + start, count}; }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Reads one listing line, `text` without its line end: its number and its
// body.
bool read_line(std::string_view text, std::size_t line, const LineReading& reading, LineBytes& bytes,
               std::vector<ReadLine>& lines, ListingFault& fault, ListingNotes& notes) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  const std::size_t start = at;
  unsigned long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min<unsigned long>(value * 10 + static_cast<unsigned long>(text[at] - '0'), kLargestLineNumber + 1);
  }
  if (at == start) return fail(ListingError::MissingLineNumber, line, start + 1, text.substr(start, 1), fault);
  if (value > kLargestLineNumber) {
    return fail(ListingError::LineNumberTooLarge, line, start + 1, text.substr(start, at - start), fault);
  }
  const auto number = static_cast<std::uint16_t>(value);
  const std::size_t bytes_at = bytes.size();
  if (at == text.size()) {
    lines.push_back({number, line, bytes_at, 0, true});
    return true;
  }
  if (text[at] == ' ') ++at;  // the separator; any further space belongs to the line
  const std::string_view body_text = text.substr(at);
  if (const std::string* kept = reading.kept != nullptr ? reading.kept->find(number, body_text) : nullptr) {
    char* const room = bytes.room_for(kept->size());
    bytes.took(std::copy(kept->begin(), kept->end(), room));
    lines.push_back({number, line, bytes_at, kept->size(), false});
    return true;
  }
  char* const room = bytes.room_for(most_bytes_for(body_text.size()) + tape::kLineOverhead);
  const char* end = read_line_text(body_text, reading, room + tape::kLineHeadSize, fault);
  if (end == nullptr) {
    fault.line = line;
    fault.column += at;
    return false;
  }
  note_length(text.substr(start), line, reading.characters.encoding, notes);
  const auto body_size = static_cast<std::size_t>(end - room) - tape::kLineHeadSize;
  if (body_size + tape::kLineOverhead > tape::kLongestLine) return fail(ListingError::LineTooLong, line, 1, {}, fault);
  bytes.took(tape::frame_line(room, body_size, number, reading.codes.line_end));
  lines.push_back({number, line, bytes_at, bytes.size() - bytes_at, false});
  return true;
}

// The lines as the machine's editor keeps them: in the order of their
// numbers, the last of each number, none where that was a deletion. Lines
// that come in order, each number once, as detoken lists them, are kept as
// they are (and the answer is true).
bool edit(std::vector<ReadLine>& lines, ListingNotes& notes) {
  unsigned highest = 0;
  bool in_order = true;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool below = i > 0 && lines[i].number <= highest;
    if (below && lines[i].number < highest && !lines[i].deletes) ++notes.reordered;
    in_order = in_order && !below && !lines[i].deletes;
    highest = std::max(highest, lines[i].number);
  }
  if (in_order) return true;
  std::stable_sort(lines.begin(), lines.end(),
                   [](const ReadLine& a, const ReadLine& b) { return a.number < b.number; });
  std::size_t kept = 0;
  for (const ReadLine& line : lines) {
    const bool there = kept != 0 && lines[kept - 1].number == line.number;
    if (there) {
      ++(line.deletes ? notes.deleted : notes.replaced);
      --kept;
    }
    if (!line.deletes) lines[kept++] = line;
  }
  lines.resize(kept);
  return false;
}

}  // namespace

LineReading::LineReading(const ListingOptions& options)
    : characters(options.characters),
      rules(dialect_info(options.dialect).rules),
      codes(dialect_info(options.dialect).codes),
      keywords(keyword_index(options.dialect, options.characters.encoding)),
      quick(quick_codes(options.characters)),
      notations{Notation{rules.hex_prefix, codes.hex_word, 16}, Notation{"&O", codes.octal_word, 8},
                Notation{"&B", codes.binary_word, 2}},
      kept(options.kept) {}

void KeptLines::add(std::uint16_t number, std::string_view text, std::string_view bytes) {
  lines_.emplace(number, std::pair{std::string(text), std::string(bytes)});
}

const std::string* KeptLines::find(std::uint16_t number, std::string_view text) const {
  const auto [first, last] = lines_.equal_range(number);
  for (auto at = first; at != last; ++at) {
    if (at->second.first == text) return &at->second.second;
  }
  return nullptr;
}

bool tokenize_listing(std::string_view listing, const ListingOptions& options, std::string& program,
                      ListingFault& fault, ListingNotes* notes, std::size_t size_limit) {
  ListingNotes unused;
  ListingNotes& noted = notes != nullptr ? *notes : unused;
  if (!check_encoding(listing, options.characters.encoding, fault, noted)) return false;
  const LineReading reading(options);
  LineBytes bytes;
  std::vector<ReadLine> lines;
  lines.reserve(listing.size() / 32 + 1);  // about as many as most listings have
  for (std::size_t line = 1; !listing.empty(); ++line) {
    const std::size_t end = listing.find('\n');
    std::string_view text = listing.substr(0, end);
    listing.remove_prefix(end == std::string_view::npos ? listing.size() : end + 1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.empty()) continue;
    if (!read_line(text, line, reading, bytes, lines, fault, noted)) return false;
    noted.last_line_unended = end == std::string_view::npos;
  }
  // No line at all, or none left once the deletions are made: no program.
  const bool as_read = edit(lines, noted);
  if (lines.empty()) return fail(ListingError::EmptyListing, 0, 0, {}, fault);
  std::size_t size = program.size() + tape::kEndMarkerSize;
  for (const ReadLine& line : lines) {
    size += line.size;
    if (size > size_limit) return fail(ListingError::ProgramTooLarge, line.listing_line, 1, {}, fault);
  }
  program.reserve(size);
  if (as_read) {
    program.append(bytes.at(0, bytes.size()));
  } else {
    for (const ReadLine& line : lines) program.append(bytes.at(line.bytes_at, line.size));
  }
  tape::append_end(program);
  return true;
}

}  // namespace detoken
