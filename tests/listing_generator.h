#pragma once

// Random listings in the notation detoken writes and people type, for the
// round-trip property: tokenizing a listing, listing the result and
// tokenizing that again settles after one pass. Used by the unit tests
// (seeded) and by the fuzz target (driven by the fuzzer's bytes).

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "format/dialects/dialect.h"
#include "format/dialects/keywords.h"
#include "lister/characters.h"
#include "lister/line_walker.h"
#include "tape/image_format.h"
#include "tests/image.h"
#include "tokenizer/tokenizer.h"

namespace detoken::testing {

// Where the choices come from: pick(n) is in [0, n).
template <class Source>
class ListingGenerator {
 public:
  ListingGenerator(const ListingOptions& options, Source& source)
      : rules_(dialect_info(options.dialect).rules), characters_(char_table(options.characters)), source_(source) {
    const DecodingRules& rules = rules_;
    const KeywordTables& tables = rules.keywords.in(options.characters.encoding);
    for (const auto table : {tables.main, tables.fe, tables.ff}) {
      for (const Keyword& keyword : table) {
        if (keyword.length != 0) keywords_.emplace_back(keyword.name());
      }
    }
    for (unsigned code = 0; code < 256; ++code) {
      const bool raw = code != '"' && code != ':' && rules.classes[code] != CodeClass::LineEnd;
      if (raw) raw_codes_.push_back(static_cast<std::uint8_t>(code));
      if (is_program_character(rules.classes[code]) && characters_[code].text().starts_with('{')) {
        escape_codes_.push_back(static_cast<std::uint8_t>(code));
      }
    }
  }

  std::string listing(unsigned max_lines) {
    std::string text;
    unsigned number = pick(20);
    for (unsigned lines = 1 + pick(max_lines); lines > 0 && number <= 0xFFFF; --lines) {
      char head[16];
      std::snprintf(head, sizeof head, pick(2) != 0 ? "%5u " : "%u ", number);
      text += head + line_text() + (pick(4) == 0 ? "\r\n" : "\n");
      number += 1 + pick(pick(2) != 0 ? 10 : 5000);
    }
    return text;
  }

 private:
  unsigned pick(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(source_.pick(n)); }
  const char* one_of(std::initializer_list<const char*> texts) {
    return texts.begin()[pick(static_cast<unsigned>(texts.size()))];
  }

  std::string digits(unsigned count, unsigned base = 10) {
    std::string text;
    for (unsigned i = 0; i < count; ++i) text.push_back("0123456789ABCDEF"[pick(base)]);
    return text;
  }

  // Codes as the listing writes them: any but the line's end, the quote and
  // the colon, which end raw text.
  std::string raw_text(unsigned length) {
    std::string text;
    for (unsigned i = 0; i < length; ++i)
      text += characters_[raw_codes_[pick(static_cast<unsigned>(raw_codes_.size()))]].text();
    return text;
  }

  std::string number() {
    switch (pick(6)) {
      case 0: return digits(1 + pick(5));
      case 1: return digits(1 + pick(3)) + "." + digits(pick(4));
      case 2: return "." + digits(1 + pick(3));
      case 3: return digits(1) + "." + digits(pick(6)) + "E" + one_of({"+", "-", ""}) + digits(1, 3) + digits(pick(2));
      case 4: return digits(7 + pick(10));
      default:
        if (rules_.hex_prefix == "$")
          return pick(2) != 0 ? digits(1 + pick(12)) : " $" + digits(1 + pick(4), 16);  // not right after a name
        switch (pick(3)) {
          case 0: return "&H" + digits(1 + pick(4), 16);
          case 1: return "&O" + digits(1 + pick(5), 8);
          default: return "&B" + digits(1 + pick(16), 2);
        }
    }
  }

  // A line's text; raw text to the end of the line (a REM, a DATA, a
  // comment, a string without its closing quote) ends it.
  std::string line_text() {
    if (rules_.lines_by_length && pick(10) == 0) return machine_code();
    std::string text;
    for (unsigned items = pick(12); items > 0; --items) {
      switch (pick(10)) {
        case 0:
        case 1: {
          // A space before the keyword: the letters before it might take
          // some of its own otherwise (OR of NOREM), and then the text
          // after REM would be program text.
          const std::string& keyword = keywords_[pick(static_cast<unsigned>(keywords_.size()))];
          if (keyword == "REM" || keyword == "DATA") return text + " " + keyword + raw_text(pick(10));
          text += pick(4) == 0 ? lower_case(keyword) : keyword;  // read in any case
          break;
        }
        case 2:
          // A space between letters: "o" and "n3$" side by side would read
          // as ON, 3 and $.
          if (!text.empty() && std::isalpha(static_cast<unsigned char>(text.back()))) text += ' ';
          text +=
              static_cast<char>((pick(4) == 0 ? 'a' : 'A') + pick(26)) + digits(pick(2)) + (pick(3) == 0 ? "$" : "");
          break;
        case 3: text += number() + " "; break;  // more digits or a point would belong to it
        case 4:
        case 5: {
          const char* mark = one_of({" ", "(", ")", ",", ";", ":", "#", "[", "]", "!", "?", "@", "%", "& ", "'", ". "});
          text += mark;
          if (rules_.comment_mark != 0 && *mark == rules_.comment_mark) return text + raw_text(pick(10));
          break;
        }
        case 6:
          text += "\"" + raw_text(pick(8));
          if (pick(4) == 0) return text;
          text += "\"";
          break;
        case 7: text += one_of({" REM", " DATA"}) + raw_text(pick(10)) + ":"; break;
        case 8: text += characters_[0x70 + pick(15)].text(); break;
        default: text += program_escape(); break;
      }
    }
    return text;
  }

  // A line of machine code, as a dialect whose lines are stepped by their
  // length holds one: a body that starts with 00, any codes after it.
  std::string machine_code() {
    std::string text = "{00}";
    for (unsigned length = pick(40); length > 0; --length) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "{%02X}", pick(256));
      text += escape;
    }
    return text;
  }

  // A code below 80 that program text holds as a character and that is
  // written as an escape.
  std::string program_escape() {
    return std::string(characters_[escape_codes_[pick(static_cast<unsigned>(escape_codes_.size()))]].text());
  }

  static std::string lower_case(std::string text) {
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  }

  const DecodingRules& rules_;
  const CharTable& characters_;
  Source& source_;
  std::vector<std::string> keywords_;
  std::vector<std::uint8_t> raw_codes_;
  std::vector<std::uint8_t> escape_codes_;
};

// Tokenizes `listing`, lists the result and tokenizes that: the second
// listing must read back to the same image and list the same. An empty
// answer when it does; else what went wrong.
inline std::string check_settles(const std::string& listing, const ListingOptions& options) {
  const ListingStyle style{.characters = options.characters};
  std::string first;
  ListingFault fault{};
  // A listing that only deletes lines leaves no program, which is refused
  // as an empty listing is.
  if (!tokenize_listing(listing, options, first, fault)) {
    if (fault.error == ListingError::EmptyListing) return "";
    return "not read: fault " + std::to_string(static_cast<int>(fault.error)) + " at line " +
           std::to_string(fault.line) + ", column " + std::to_string(fault.column);
  }
  const Listed listed = list_program_area(first, options.dialect, style);
  if (!listed.reports.empty()) return "its image lists with a report: " + listed.reports;
  std::string second;
  if (!tokenize_listing(listed.text, options, second, fault)) {
    return "its listing is not read back: fault at line " + std::to_string(fault.line) + ":\n" + listed.text;
  }
  const Listed relisted = list_program_area(second, options.dialect, style);
  if (relisted.text != listed.text) return "lists differently the second time:\n" + listed.text + "\n" + relisted.text;
  std::string third;
  if (!tokenize_listing(relisted.text, options, third, fault) || third != second) return "does not settle";
  return "";
}

}  // namespace detoken::testing
