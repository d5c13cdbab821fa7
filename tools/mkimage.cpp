// mkimage: builds an MZT tape image from a readable BASIC source, so that the
// example programs can be kept as text and their images rebuilt.
//
//   mkimage [-h] SOURCE.bas IMAGE.mzt
//
// The source is UTF-8, one program line per line: the line number, a space,
// then the text. Lines starting with '#' are comments. Outside strings and
// statement text, keywords are taken by name (longest match, from the
// dialect's own tables) and numbers become constants:
//   - after GOTO, GOSUB, THEN, ELSE, RESTORE and RUN, and after commas that
//     follow them: an unsigned word (0B);
//   - $hex (S-BASIC) or &Hhex (HuBASIC): a hexadecimal word (11 or 0F);
//   - &Ooctal, &Bbinary (HuBASIC): octal and binary words (0D, 0E);
//   - a single digit (HuBASIC): one byte, 01 to 0A;
//   - an integer up to 32767 (HuBASIC): a signed word (12);
//   - any other number: a single real (15), or a double real (18) when a '#'
//     follows it (HuBASIC).
// Half-width katakana and the kanji 日月火水木金土生年時分秒円￥￡ (and π in
// S-BASIC) become the machine's codes; \xHH puts any byte. In HuBASIC, ' and
// ELSE get the colon the machine stores before them.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "lister/dialects/hubasic.h"
#include "lister/dialects/keywords.h"
#include "lister/dialects/sbasic.h"
#include "tokenizer/tape_image.h"

namespace detoken {
namespace {

using Bytes = std::string;

// A keyword's name and the bytes that stand for it.
struct Spelling {
  std::string name;
  Bytes code;
};

std::vector<Spelling> keywords_of(const KeywordTables& tables) {
  std::vector<Spelling> keywords;
  const auto add = [&](std::span<const Keyword> table, std::string prefix) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      if (table[i].length != 0) {
        keywords.push_back({std::string(table[i].name()), prefix + static_cast<char>(0x80 + i)});
      }
    }
  };
  add(tables.main, "");
  add(tables.fe, "\xFE");
  add(tables.ff, "\xFF");
  return keywords;
}

const char* const kKanji[] = {"日", "月", "火", "水", "木", "金", "土", "生", "年", "時", "分", "秒", "円", "￥", "￡"};

// A real in the machine's format: exponent byte, then `mantissa_bytes` of
// mantissa with the sign in place of the leading 1, rounded to nearest.
void put_real(Bytes& out, double value, int mantissa_bytes) {
  if (value == 0) {
    out.append(static_cast<std::size_t>(mantissa_bytes + 1), '\0');
    return;
  }
  int exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &exponent);  // 0.5 <= fraction < 1
  const int bits = std::min(8 * mantissa_bytes, 53);
  auto mantissa = static_cast<std::uint64_t>(std::llround(std::ldexp(fraction, bits)));
  if (mantissa >> bits != 0) {
    mantissa >>= 1;
    ++exponent;
  }
  mantissa <<= 8 * mantissa_bytes - bits;
  out.push_back(static_cast<char>(exponent + 128));
  for (int i = mantissa_bytes - 1; i >= 0; --i) {
    auto byte = static_cast<std::uint8_t>(mantissa >> (8 * i));
    if (i == mantissa_bytes - 1) byte = static_cast<std::uint8_t>((byte & 0x7F) | (value < 0 ? 0x80 : 0));
    out.push_back(static_cast<char>(byte));
  }
}

class Tokenizer {
 public:
  explicit Tokenizer(bool hubasic)
      : hubasic_(hubasic), keywords_(keywords_of(hubasic ? hubasic_keywords() : sbasic_keywords())) {}

  // One line's body; false with a message on a fault.
  bool tokenize(const std::string& text, Bytes& out) {
    text_ = text;
    at_ = 0;
    line_numbers_follow_ = false;
    while (at_ < text_.size()) {
      if (!item(out)) return false;
    }
    return true;
  }

 private:
  bool starts(const char* prefix) const { return text_.compare(at_, std::strlen(prefix), prefix) == 0; }

  // One character of text (string, statement text or program text).
  bool character(Bytes& out) {
    if (starts("\\x") && at_ + 4 <= text_.size()) {
      out.push_back(static_cast<char>(std::stoi(text_.substr(at_ + 2, 2), nullptr, 16)));
      at_ += 4;
      return true;
    }
    for (unsigned i = 0; i < 15; ++i) {
      if (starts(kKanji[i])) {
        out.push_back(static_cast<char>(0x70 + i));
        at_ += std::strlen(kKanji[i]);
        return true;
      }
    }
    const auto c = static_cast<unsigned char>(text_[at_]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      ++at_;
      return true;
    }
    // Half-width katakana U+FF61 to U+FF9F: EF BD A1 to EF BE 9F in UTF-8.
    if (c == 0xEF && at_ + 3 <= text_.size()) {
      const unsigned code = (static_cast<unsigned char>(text_[at_ + 1]) & 0x3F) << 6 |
                            (static_cast<unsigned char>(text_[at_ + 2]) & 0x3F);
      const unsigned katakana = 0xF000 | code;
      if (katakana >= 0xFF61 && katakana <= 0xFF9F) {
        out.push_back(static_cast<char>(0x81 + katakana - 0xFF61));
        at_ += 3;
        return true;
      }
    }
    std::cerr << "mkimage: no machine code for the text at: " << text_.substr(at_) << "\n";
    return false;
  }

  // From the opening quote to the closing one, or to the end of the line.
  bool string_literal(Bytes& out) {
    out.push_back(text_[at_++]);
    while (at_ < text_.size()) {
      const bool closing = text_[at_] == '"';
      if (!character(out)) return false;
      if (closing) return true;
    }
    return true;
  }

  bool statement_text(Bytes& out) {
    bool in_quotes = false;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (!character(out)) return false;
      if (c == '"') in_quotes = !in_quotes;
      if (c == ':' && !in_quotes) return true;
    }
    return true;
  }

  bool number(Bytes& out) {
    std::size_t end = at_;
    while (end < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[end])) || text_[end] == '.')) ++end;
    if (end < text_.size() && text_[end] == 'E') {
      std::size_t exponent = end + 1;
      if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-')) ++exponent;
      if (exponent < text_.size() && std::isdigit(static_cast<unsigned char>(text_[exponent]))) {
        end = exponent;
        while (end < text_.size() && std::isdigit(static_cast<unsigned char>(text_[end]))) ++end;
      }
    }
    const std::string digits = text_.substr(at_, end - at_);
    at_ = end;
    const bool integer = digits.find_first_not_of("0123456789") == std::string::npos;
    const double value = std::strtod(digits.c_str(), nullptr);
    if (integer && line_numbers_follow_ && value <= 65535) {
      out.push_back(0x0B);
      tape::append_word(out, static_cast<unsigned>(value));
    } else if (hubasic_ && starts("#")) {
      ++at_;
      out.push_back(0x18);
      put_real(out, value, 7);
    } else if (hubasic_ && integer && value <= 9) {
      out.push_back(static_cast<char>(0x01 + value));
    } else if (hubasic_ && integer && value <= 32767) {
      out.push_back(0x12);
      tape::append_word(out, static_cast<unsigned>(value));
    } else {
      out.push_back(0x15);
      put_real(out, value, 4);
    }
    return true;
  }

  // A word in base `base` after a prefix of `prefix_length` characters.
  bool based_word(Bytes& out, char code, std::size_t prefix_length, int base) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(text_.c_str() + at_ + prefix_length, &end, base);
    at_ = static_cast<std::size_t>(end - text_.c_str());
    out.push_back(code);
    tape::append_word(out, static_cast<unsigned>(value));
    return true;
  }

  const Spelling* keyword_here() const {
    const Spelling* longest = nullptr;
    for (const Spelling& keyword : keywords_) {
      if (starts(keyword.name.c_str()) && (longest == nullptr || keyword.name.size() > longest->name.size())) {
        longest = &keyword;
      }
    }
    return longest;
  }

  bool item(Bytes& out) {
    const char c = text_[at_];
    if (c == '"') return string_literal(out);
    if (hubasic_ && c == '\'') {
      out.push_back(':');
      return statement_text(out);
    }
    const bool hex_follows = at_ + 1 < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[at_ + 1]));
    if (!hubasic_ && c == '$' && hex_follows) return based_word(out, 0x11, 1, 16);
    if (hubasic_ && starts("&H")) return based_word(out, 0x0F, 2, 16);
    if (hubasic_ && starts("&O")) return based_word(out, 0x0D, 2, 8);
    if (hubasic_ && starts("&B")) return based_word(out, 0x0E, 2, 2);
    if (std::isdigit(static_cast<unsigned char>(c))) return number(out);
    if (!hubasic_ && starts("π")) {
      out.push_back(static_cast<char>(0xE4));
      at_ += std::strlen("π");
      return true;
    }
    if (const Spelling* keyword = keyword_here()) {
      at_ += keyword->name.size();
      if (hubasic_ && keyword->name == "ELSE") out.push_back(':');
      out += keyword->code;
      static const char* const kLineKeywords[] = {"GOTO", "GOSUB", "THEN", "ELSE", "RESTORE", "RUN"};
      line_numbers_follow_ = false;
      for (const char* name : kLineKeywords) line_numbers_follow_ = line_numbers_follow_ || keyword->name == name;
      if (keyword->name == "REM" || keyword->name == "DATA") return statement_text(out);
      return true;
    }
    if (c != ',' && c != ' ') line_numbers_follow_ = false;
    return character(out);
  }

  bool hubasic_;
  std::vector<Spelling> keywords_;
  std::string text_;
  std::size_t at_ = 0;
  bool line_numbers_follow_ = false;
};

// The tape header: attribute 05 (a BASIC program), the name ended by 0D, the
// size of the program area and the load address of the machine's BASIC.
Bytes header_for(const std::string& name, std::size_t size) {
  Bytes header(tape::kHeaderSize, '\0');
  header[0] = tape::kBasicProgram;
  const std::string shown = name.substr(0, 16);
  header.replace(1, shown.size(), shown);
  header[1 + shown.size()] = 0x0D;
  header[0x12] = static_cast<char>(size & 0xFF);
  header[0x13] = static_cast<char>(size >> 8 & 0xFF);
  header[0x14] = static_cast<char>(0xCF);
  header[0x15] = 0x6B;
  return header;
}

int build(bool hubasic, const char* source_name, const char* image_name) {
  std::ifstream source(source_name, std::ios::binary);
  if (!source) {
    std::cerr << "mkimage: cannot read " << source_name << "\n";
    return EXIT_FAILURE;
  }
  Tokenizer tokenizer(hubasic);
  Bytes program;
  std::string name = "EXAMPLE";
  int line_count = 0;
  for (std::string line; std::getline(source, line);) {
    ++line_count;
    if (line.rfind("# name: ", 0) == 0) name = line.substr(8);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    Bytes body;
    if (space == std::string::npos || !tokenizer.tokenize(line.substr(space + 1), body)) {
      std::cerr << source_name << ":" << line_count << ": cannot build this line\n";
      return EXIT_FAILURE;
    }
    tape::append_line(program, static_cast<std::uint16_t>(std::stoul(line.substr(0, space))), body);
  }
  tape::append_end(program);
  std::ofstream image(image_name, std::ios::binary);
  image << header_for(name, program.size()) << program;
  return image ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace
}  // namespace detoken

int main(int argc, char** argv) {
  const bool hubasic = argc == 4 && std::strcmp(argv[1], "-h") == 0;
  if (argc != 3 + (hubasic ? 1 : 0)) {
    std::cerr << "usage: mkimage [-h] SOURCE.bas IMAGE.mzt\n";
    return EXIT_FAILURE;
  }
  return detoken::build(hubasic, argv[argc - 2], argv[argc - 1]);
}
