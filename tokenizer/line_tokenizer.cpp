// One line of a listing read into the machine's bytes.

#include "tokenizer/line_tokenizer.h"

#include <array>

#include "charsets/character_sets.h"
#include "format/dialects/dialect.h"
#include "format/reals.h"
#include "format/typed_numbers.h"
#include "tape/words.h"
#include "tokenizer/keyword_index.h"
#include "tokenizer/raw_line.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return c >= 'A' && c <= 'Z'; }

// Reads one line's text left to right into the machine's bytes: keywords,
// constants, characters, and the raw text of strings, REM, DATA and (in
// HuBASIC) comments. Keywords and names are read in any case: the machine
// stores no lower-case letter in program text. Raw text is read as it is.
class LineTokenizer {
 public:
  LineTokenizer(std::string_view text, const LineReading& reading, char* out, ListingFault& fault)
      : text_(text),
        characters_(reading.characters),
        rules_(reading.rules),
        codes_(reading.codes),
        keywords_(reading.keywords),
        quick_(reading.quick),
        notations_(reading.notations),
        out_(out),
        fault_(fault) {}

  // Where the bytes end, or null at a fault.
  char* run() {
    while (at_ < text_.size()) {
      if (!item()) return nullptr;
    }
    return out_;
  }

 private:
  bool fail(ListingError error, std::size_t length) {
    fault_.error = error;
    fault_.column = at_ + 1;
    fault_.text = text_.substr(at_, length);
    return false;
  }

  std::string_view rest() const { return text_.substr(at_); }

  // A character that the machine does not have; a lower-case letter is one
  // of the European set's.
  bool no_code(std::size_t length) {
    const char c = text_[at_];
    const bool lower_case = c >= 'a' && c <= 'z' && characters_.set != CharSet::European;
    return fail(lower_case ? ListingError::LowerCaseNeedsEuropean : ListingError::NoMachineCode, length);
  }

  void put(char byte) { *out_++ = byte; }
  void put_word(unsigned word) { out_ = tape::put_word(out_, word) + tape::kWordSize; }

  // The character at the position, read as the mode writes characters.
  CharRead character() const {
    std::uint8_t code = 0;
    const std::size_t length = read_quick(quick_, text_.data() + at_, text_.data() + text_.size(), code);
    if (length != 0) return {ReadStatus::Read, code, length};
    return read_char(rest(), characters_);
  }

  // One character of raw text (strings, REM, DATA, comments): any code but
  // the line's end.
  bool raw_character(std::uint8_t& code) {
    const CharRead read = character();
    switch (read.status) {
      case ReadStatus::Read:
        if (rules_.classes[read.code] == CodeClass::LineEnd) return fail(ListingError::NotInProgramText, read.length);
        code = read.code;
        put(static_cast<char>(code));
        at_ += read.length;
        return true;
      case ReadStatus::NoCode: return no_code(read.length);
      case ReadStatus::BadEscape: return fail(ListingError::BadEscape, read.length);
    }
    return false;
  }

  // Raw text: the rest of a string literal after its opening quote, up to
  // and with the closing quote; or the text of REM, DATA or a comment, up to
  // and with the first colon outside quotes. Either way at most to the end
  // of the line. Most of it is characters of one byte each, copied here
  // without leaving the loop.
  bool raw_text(bool string) {
    // Locals, as the stores of the bytes could be to any member.
    const QuickCodes& quick = quick_;
    const std::array<CodeClass, 256>& classes = rules_.classes;
    const int colon = string ? -1 : kColon;
    bool in_quotes = false;
    const char* at = text_.data() + at_;
    const char* const end = text_.data() + text_.size();
    char* out = out_;
    while (at != end) {
      // Runs of characters of one byte, neither quote nor colon.
      for (; at != end; ++at) {
        const std::uint16_t plain = quick.plain[static_cast<std::uint8_t>(*at)];
        if (plain == 0) break;
        *out++ = static_cast<char>(plain - 1);
      }
      if (at == end) break;
      std::uint8_t code = 0;
      const std::size_t length = read_quick(quick, at, end, code);
      if (length != 0 && classes[code] != CodeClass::LineEnd) {
        *out++ = static_cast<char>(code);
        at += length;
      } else {
        at_ = static_cast<std::size_t>(at - text_.data());
        out_ = out;
        if (!raw_character(code)) return false;
        at = text_.data() + at_;
        out = out_;
      }
      if (code == kQuote) {
        if (string) break;
        in_quotes = !in_quotes;
      } else if (code == colon && !in_quotes) {
        break;
      }
    }
    at_ = static_cast<std::size_t>(at - text_.data());
    out_ = out;
    return true;
  }

  bool item() {
    const char c = text_[at_];
    const bool after_name = in_name_;
    in_name_ = false;
    if (c == kQuote) {
      line_numbers_ = Expecting::No;
      put(c);
      ++at_;
      return raw_text(true);
    }
    if (rules_.comment_mark != 0 && c == static_cast<char>(rules_.comment_mark)) {
      // The machine keeps a colon before a comment; the listing leaves it out.
      line_numbers_ = Expecting::No;
      put(static_cast<char>(kColon));
      return raw_text(false);
    }
    // Numbers are stored as constants where the dialect has reals; the
    // MZ-80K's BASIC keeps the digits typed, as characters.
    if (codes_.single_real != 0 && !after_name && starts_number()) return number();
    if (c == '$' || c == '&') {  // where the notations' prefixes start
      for (const Notation& notation : notations_) {
        if (starts_word(rest(), notation, after_name)) return based_word(notation);
        if (point_after_prefix(rest(), notation, after_name))
          return fail(ListingError::MalformedNumber, notation.prefix.size() + 1);
      }
    }
    // In a range of lines the signs are characters (LIST/P 100-200 is
    // characters and line numbers); a keyword of letters ends the range.
    if (const ReadKeyword* keyword = keywords_.longest_at(rest())) {
      if (line_numbers_ != Expecting::Range || is_letter(keyword->name[0]) || !at_program_character()) {
        return keyword_item(*keyword);
      }
    }
    return program_character(after_name);
  }

  // A digit, or a point before a digit, but not a point after a point: "..5"
  // is a point and 5 (had the second point begun .5, the listing would write
  // it 0.5, and ".0.5" reads otherwise).
  bool starts_number() const {
    const char c = text_[at_];
    if (is_digit(c)) return true;
    return c == '.' && at_ + 1 < text_.size() && is_digit(text_[at_ + 1]) && (at_ == 0 || text_[at_ - 1] != '.');
  }

  bool keyword_item(const ReadKeyword& keyword) {
    const std::uint8_t code = keyword.code[keyword.code_length - 1];
    if (keyword.code_length == 1 && code == rules_.else_code) {
      put(static_cast<char>(kColon));  // kept before ELSE, left out of the listing
    }
    put(static_cast<char>(keyword.code[0]));
    if (keyword.code_length == 2) put(static_cast<char>(keyword.code[1]));
    at_ += keyword.length;
    constexpr Expecting kAfter[] = {Expecting::No, Expecting::Number, Expecting::Range};  // by LineNumbers
    line_numbers_ = kAfter[static_cast<std::size_t>(keyword.line_numbers)];
    if (keyword.code_length == 1 && rules_.classes[code] == CodeClass::TextKeyword) return raw_text(false);
    return true;
  }

  // Whether the character at the position is one program text holds as
  // itself.
  bool at_program_character() const {
    const CharRead read = character();
    return read.status == ReadStatus::Read && is_program_character(rules_.classes[read.code]);
  }

  // Any other character: itself, if program text can hold it; a letter in
  // upper case.
  bool program_character(bool after_name) {
    CharRead read{ReadStatus::Read, static_cast<std::uint8_t>(upper(text_[at_]))};
    if (!is_letter(static_cast<char>(read.code))) read = character();
    if (read.status == ReadStatus::NoCode) return fail(ListingError::NoMachineCode, read.length);
    if (read.status == ReadStatus::BadEscape) return fail(ListingError::BadEscape, read.length);
    if (!is_program_character(rules_.classes[read.code])) return fail(ListingError::NotInProgramText, read.length);
    put(static_cast<char>(read.code));
    at_ += read.length;
    const char c = static_cast<char>(read.code);
    // Digits right after a name's letters belong to the name (V1, M3$).
    in_name_ = is_letter(c) || (after_name && is_digit(c));
    if (line_numbers_ == Expecting::Range) {
      if (c == ':') line_numbers_ = Expecting::No;
    } else if (c == ',' && line_numbers_ == Expecting::Given) {
      line_numbers_ = Expecting::Number;
    } else if (c != ' ') {
      line_numbers_ = Expecting::No;
    }
    return true;
  }

  bool based_word(const Notation& notation) {
    const WordRead word = read_word(rest(), notation);
    if (!word.read) return fail(word.error, word.length);
    put(static_cast<char>(notation.type));
    put_word(word.value);
    at_ += word.length;
    line_numbers_ = Expecting::No;
    return true;
  }

  // A decimal number, as "%g" writes them and as people type them.
  bool number() {
    const DecimalText number = read_decimal(rest());
    const std::string_view text = text_.substr(at_, number.length);
    if (const std::size_t joining = joins_number(text_.substr(at_ + number.length))) {
      return fail(ListingError::MalformedNumber, text.size() + joining);
    }
    const long value = number.whole ? whole_value(number.digits) : -1;
    const bool range = line_numbers_ == Expecting::Range;
    if ((line_numbers_ == Expecting::Number || range) && value >= 0) {
      put(static_cast<char>(codes_.unsigned_word));
      put_word(static_cast<unsigned>(value));
      if (!range) line_numbers_ = Expecting::Given;
    } else {
      char stored[kLongestStoredNumber];
      const std::size_t length = store_decimal(number, codes_, stored);
      if (length == 0) return fail(ListingError::NumberOutOfRange, text.size());
      for (std::size_t i = 0; i < length; ++i) put(stored[i]);
      if (!range) line_numbers_ = Expecting::No;
    }
    at_ += number.length;
    return true;
  }

  // Where a line number may come: after GOTO and its kin, and after a comma
  // that follows a line number; in a range of lines, up to the statement's
  // end.
  enum class Expecting { No, Number, Given, Range };

  std::string_view text_;
  CharMode characters_;
  const DecodingRules& rules_;
  const TypeCodes& codes_;
  const KeywordIndex& keywords_;
  const QuickCodes& quick_;
  const std::array<Notation, 3>& notations_;
  char* out_;
  ListingFault& fault_;
  std::size_t at_ = 0;
  bool in_name_ = false;
  Expecting line_numbers_ = Expecting::No;
};

}  // namespace

char* read_line_text(std::string_view text, const LineReading& reading, char* out, ListingFault& fault) {
  if (reading.rules.lines_by_length) {
    if (char* end = read_raw_line(text, out)) return end;
  }
  return LineTokenizer(text, reading, out, fault).run();
}

bool tokenize_line(std::string_view text, const ListingOptions& options, std::string& body, ListingFault& fault) {
  const std::size_t start = body.size();
  body.resize(start + most_bytes_for(text.size()));
  const char* end = read_line_text(text, LineReading(options), body.data() + start, fault);
  body.resize(end == nullptr ? start : static_cast<std::size_t>(end - body.data()));
  return end != nullptr;
}

}  // namespace detoken
