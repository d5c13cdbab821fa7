// One line of a listing read into the machine's bytes.

#include <algorithm>
#include <array>

#include "charsets/character_sets.h"
#include "lister/characters.h"
#include "lister/dialects/dialect.h"
#include "lister/dialects/typed_numbers.h"
#include "lister/real_encoding.h"
#include "lister/tape_format.h"
#include "tokenizer/keyword_index.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return c >= 'A' && c <= 'Z'; }

// A digit in `base`, in either case; -1 for none.
int digit_value(char c, int base) {
  int value = -1;
  if (is_digit(c)) value = c - '0';
  if (upper(c) >= 'A' && upper(c) <= 'F') value = upper(c) - 'A' + 10;
  return value < base ? value : -1;
}

// Reads one line's text left to right into the machine's bytes: keywords,
// constants, characters, and the raw text of strings, REM, DATA and (in
// HuBASIC) comments. Keywords and names are read in any case: the machine
// stores no lower-case letter in program text. Raw text is read as it is.
class LineTokenizer {
 public:
  LineTokenizer(std::string_view text, const ListingOptions& options, std::string& out, ListingFault& fault)
      : text_(text),
        characters_(options.characters),
        rules_(dialect_info(options.dialect).rules),
        keywords_(keyword_index(options.dialect, options.characters.encoding)),
        out_(out),
        fault_(fault) {}

  bool run() {
    while (at_ < text_.size()) {
      if (!item()) return false;
    }
    return true;
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

  // One character of raw text (strings, REM, DATA, comments): any code but
  // the line's end.
  bool raw_character(std::uint8_t& code) {
    const CharRead read = read_char(rest(), characters_);
    switch (read.status) {
      case ReadStatus::Read:
        if (rules_.classes[read.code] == CodeClass::LineEnd) return fail(ListingError::NotInProgramText, read.length);
        code = read.code;
        out_.push_back(static_cast<char>(code));
        at_ += read.length;
        return true;
      case ReadStatus::NoCode: return no_code(read.length);
      case ReadStatus::BadEscape: return fail(ListingError::BadEscape, read.length);
    }
    return false;
  }

  // The rest of a string literal, after its opening quote: up to and with
  // the closing quote, or to the end of the line.
  bool string_literal() {
    while (at_ < text_.size()) {
      std::uint8_t code = 0;
      if (!raw_character(code)) return false;
      if (code == kQuote) return true;
    }
    return true;
  }

  // The raw text of REM, DATA or a comment: up to and with the first colon
  // outside quotes, or to the end of the line.
  bool statement_text() {
    bool in_quotes = false;
    while (at_ < text_.size()) {
      std::uint8_t code = 0;
      if (!raw_character(code)) return false;
      if (code == kQuote) in_quotes = !in_quotes;
      if (code == kColon && !in_quotes) return true;
    }
    return true;
  }

  bool item() {
    const char c = text_[at_];
    const bool after_name = in_name_;
    in_name_ = false;
    if (c == kQuote) {
      line_numbers_ = LineNumbers::No;
      out_.push_back(c);
      ++at_;
      return string_literal();
    }
    if (rules_.comment_mark != 0 && c == static_cast<char>(rules_.comment_mark)) {
      // The machine keeps a colon before a comment; the listing leaves it out.
      line_numbers_ = LineNumbers::No;
      out_.push_back(static_cast<char>(kColon));
      return statement_text();
    }
    if (stores_numbers_ && !after_name && starts_number()) return number();
    for (const Notation& notation : notations_) {
      if (starts_word(notation, after_name)) return based_word(notation);
    }
    if (const KeywordEntry* keyword = keywords_.longest_at(rest())) return keyword_item(*keyword);
    return program_character(after_name);
  }

  // A word in another base than ten, and what marks it: S-BASIC's $FF,
  // HuBASIC's &HFF, &O17 and &B101.
  struct Notation {
    std::string_view prefix;
    std::uint8_t type;  // its type code; 0 where the dialect has none
    int base;
  };

  // Where a notation's prefix (in any case) and a digit of its base stand. A
  // '$' right after a name ends that name (A$, A1$): there it is no prefix.
  bool starts_word(const Notation& notation, bool after_name) const {
    if (notation.type == 0 || text_.size() - at_ <= notation.prefix.size()) return false;
    for (std::size_t i = 0; i < notation.prefix.size(); ++i) {
      if (upper(text_[at_ + i]) != notation.prefix[i]) return false;
    }
    if (after_name && notation.prefix == "$") return false;
    return digit_value(text_[at_ + notation.prefix.size()], notation.base) >= 0;
  }

  // A digit, or a point before a digit, but not a point after a point: "..5"
  // is a point and 5 (had the second point begun .5, the listing would write
  // it 0.5, and ".0.5" reads otherwise).
  bool starts_number() const {
    const char c = text_[at_];
    if (is_digit(c)) return true;
    return c == '.' && at_ + 1 < text_.size() && is_digit(text_[at_ + 1]) && (at_ == 0 || text_[at_ - 1] != '.');
  }

  bool keyword_item(const KeywordEntry& keyword) {
    const std::uint8_t code = keyword.code[keyword.code_length - 1];
    if (keyword.code_length == 1 && code == rules_.else_code) {
      out_.push_back(static_cast<char>(kColon));  // kept before ELSE, left out of the listing
    }
    out_.append(reinterpret_cast<const char*>(keyword.code), keyword.code_length);
    at_ += keyword.name.size();
    line_numbers_ = keyword.takes_line_number ? LineNumbers::Expected : LineNumbers::No;
    if (keyword.code_length == 1 && rules_.classes[code] == CodeClass::TextKeyword) return statement_text();
    return true;
  }

  // Any other character: itself, if program text can hold it; a letter in
  // upper case.
  bool program_character(bool after_name) {
    CharRead read{ReadStatus::Read, static_cast<std::uint8_t>(upper(text_[at_]))};
    if (!is_letter(static_cast<char>(read.code))) read = read_char(rest(), characters_);
    if (read.status == ReadStatus::NoCode) return fail(ListingError::NoMachineCode, read.length);
    if (read.status == ReadStatus::BadEscape) return fail(ListingError::BadEscape, read.length);
    if (!is_program_character(rules_.classes[read.code])) return fail(ListingError::NotInProgramText, read.length);
    out_.push_back(static_cast<char>(read.code));
    at_ += read.length;
    const char c = static_cast<char>(read.code);
    // Digits right after a name's letters belong to the name (V1, M3$).
    in_name_ = is_letter(c) || (after_name && is_digit(c));
    if (c == ',' && line_numbers_ == LineNumbers::Given) {
      line_numbers_ = LineNumbers::Expected;
    } else if (c != ' ') {
      line_numbers_ = LineNumbers::No;
    }
    return true;
  }

  // A word in its notation: at least one digit, at most FFFF.
  bool based_word(const Notation& notation) {
    const std::size_t start = at_;
    at_ += notation.prefix.size();
    unsigned value = 0;
    for (; at_ < text_.size() && digit_value(text_[at_], notation.base) >= 0; ++at_) {
      value =
          value * static_cast<unsigned>(notation.base) + static_cast<unsigned>(digit_value(text_[at_], notation.base));
      if (value > 0xFFFF) {
        std::size_t end = at_;
        while (end < text_.size() && digit_value(text_[end], notation.base) >= 0) ++end;
        at_ = start;
        return fail(ListingError::NumberOutOfRange, end - start);
      }
    }
    // What follows must not read as more of it once listed: "&B10.5" would
    // list as &B10 and 0.5 side by side, "&B100.5"; "&B12" likewise may not
    // come back as &B1 and 2 (the 2 typed 2.0 lists as 2, 2.5E1 as 25).
    if (at_ < text_.size() && (text_[at_] == '.' || is_digit(text_[at_]))) {
      const std::size_t end = at_ + 1;
      at_ = start;
      return fail(ListingError::MalformedNumber, end - start);
    }
    out_.push_back(static_cast<char>(notation.type));
    tape::append_word(out_, value);
    line_numbers_ = LineNumbers::No;
    return true;
  }

  // A decimal number, as "%g" writes them and as people type them.
  bool number() {
    const DecimalText number = read_decimal(rest());
    const std::string_view text = text_.substr(at_, number.length);
    // What follows must not read as more of it once listed: "1.0.5" would
    // list as 1 and 0.5 side by side, "10.5"; "1E2E3" as 100 and E3,
    // "100E3". Refused, rather than read back as something else.
    const std::string_view after = text_.substr(at_ + number.length);
    if (!after.empty() && (after[0] == '.' || exponent_digits_at(after) != 0)) {
      return fail(ListingError::MalformedNumber, text.size() + 1);
    }
    const long value = number.whole ? whole_value(number.digits) : -1;
    if (line_numbers_ == LineNumbers::Expected && value >= 0) {
      out_.push_back(static_cast<char>(first_code_of(rules_.classes, CodeClass::UnsignedWord)));
      tape::append_word(out_, static_cast<unsigned>(value));
      line_numbers_ = LineNumbers::Given;
    } else if (store_decimal(number, rules_.classes, out_)) {
      line_numbers_ = LineNumbers::No;
    } else {
      return fail(ListingError::NumberOutOfRange, text.size());
    }
    at_ += number.length;
    return true;
  }

  // Where a line number may come: after GOTO and its kin, and after a comma
  // that follows a line number.
  enum class LineNumbers { No, Expected, Given };

  std::string_view text_;
  CharMode characters_;
  const DecodingRules& rules_;
  const KeywordIndex& keywords_;
  std::string& out_;
  ListingFault& fault_;
  std::size_t at_ = 0;
  bool in_name_ = false;
  LineNumbers line_numbers_ = LineNumbers::No;
  // Whether numbers are stored as constants; the MZ-80K's BASIC keeps the
  // digits typed, as characters.
  const bool stores_numbers_ = first_code_of(rules_.classes, CodeClass::SingleReal) != 0;
  const std::array<Notation, 3> notations_ = {
      Notation{rules_.hex_prefix, first_code_of(rules_.classes, CodeClass::HexWord), 16},
      Notation{"&O", first_code_of(rules_.classes, CodeClass::OctalWord), 8},
      Notation{"&B", first_code_of(rules_.classes, CodeClass::BinaryWord), 2},
  };
};

}  // namespace

bool tokenize_line(std::string_view text, const ListingOptions& options, std::string& body, ListingFault& fault) {
  return LineTokenizer(text, options, body, fault).run();
}

}  // namespace detoken
