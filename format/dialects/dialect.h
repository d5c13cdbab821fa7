#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "charsets/encoding.h"
#include "format/dialects/keywords.h"
#include "format/reals.h"
#include "tape/image_format.h"

namespace detoken {

// The BASICs whose programs the programs know, each a row of the registry
// (registry.cpp), in the registry's order.
enum class Dialect { SBasic, HuBasic, Sp5025, Mz800 };

// What a code in a line body is to a dialect: each dialect's class table
// gives one of these for every code 00-FF. The decoder dispatches on it; the
// tokenizer asks it what program text may hold and which codes stand for
// what.
enum class CodeClass : std::uint8_t {
  Character,     // a character of the machine, written through the character map
  Quote,         // the quote, which opens a string literal
  Colon,         // HuBASIC's colon, which looks at what follows it
  Digit,         // HuBASIC's one-byte digits 01-0A, for 0 to 9
  UnsignedWord,  // the type codes of numeric constants, whose value follows
  SignedWord,
  HexWord,
  OctalWord,
  BinaryWord,
  SingleReal,
  DoubleReal,
  Keyword,      // a one-byte keyword code (or a code with no keyword)
  TextKeyword,  // DATA and REM, whose statement text follows raw
  Prefix,       // FE or FF, the first byte of a two-byte keyword
  LineEnd,      // the line's terminator
};

using ClassTable = std::array<CodeClass, 256>;

// The characters that shape program text in every dialect: the quote opens
// and closes a string literal and quotes a colon in statement text; the
// colon ends statement text outside quotes.
inline constexpr std::uint8_t kQuote = 0x22;
inline constexpr std::uint8_t kColon = 0x3A;

// Whether a code of this class stands in program text as the character it is.
constexpr bool is_program_character(CodeClass code_class) {
  return code_class == CodeClass::Character || code_class == CodeClass::Quote || code_class == CodeClass::Colon;
}

// The first code of a class in a table (the type code of a kind of constant,
// the first digit), or 0 when the dialect has none.
constexpr std::uint8_t first_code_of(const ClassTable& classes, CodeClass code_class) {
  for (unsigned code = 0; code < classes.size(); ++code) {
    if (classes[code] == code_class) return static_cast<std::uint8_t>(code);
  }
  return 0;
}

// What a dialect's programs are read by, both ways.
struct DecodingRules {
  ClassTable classes;
  EncodedKeywords keywords;
  std::string_view hex_prefix;    // written before a hexadecimal word's digits
  std::uint8_t else_code = 0;     // HuBASIC: the keyword before which a colon is stored but not listed
  std::uint8_t comment_mark = 0;  // HuBASIC: the character after such a colon that starts a comment
  // Whether the next line starts where a line's length says, whatever its
  // body holds (the MZ-800's BASIC), rather than after its terminator.
  bool lines_by_length = false;
};

// The codes of a dialect's constants and line end, read off its class
// table once: 0 for a kind of constant the dialect does not have; and how
// it converts a typed number into a real.
struct TypeCodes {
  std::uint8_t unsigned_word;
  std::uint8_t signed_word;
  std::uint8_t hex_word;
  std::uint8_t octal_word;
  std::uint8_t binary_word;
  std::uint8_t single_real;
  std::uint8_t double_real;
  std::uint8_t first_digit;
  std::uint8_t line_end;
  RealConversion real_conversion;
};

constexpr TypeCodes type_codes_of(const ClassTable& classes, RealConversion conversion = RealConversion::StepByStep) {
  using enum CodeClass;
  return {first_code_of(classes, UnsignedWord), first_code_of(classes, SignedWord),
          first_code_of(classes, HexWord),      first_code_of(classes, OctalWord),
          first_code_of(classes, BinaryWord),   first_code_of(classes, SingleReal),
          first_code_of(classes, DoubleReal),   first_code_of(classes, Digit),
          first_code_of(classes, LineEnd),      conversion};
}

// Where a dialect's option stands among the lines of each program's usage
// text (the lines are shown in the order of these numbers).
struct UsagePlace {
  int detoken;
  int retoken;
};

// Everything that sets one BASIC apart, a row of the registry: how it is
// chosen and named, how its programs are read both ways (what each code is,
// its keywords, and as they are read back, with the keywords after which a
// number is a line number), and what its tapes' headers hold.
struct DialectInfo {
  Dialect dialect;
  char option;            // the letter that chooses it (-s, -h, ...)
  std::string_view name;  // as the page offers it
  Message title_name;     // as the usage titles name it
  Message detoken_usage;  // its line in each program's usage text
  Message retoken_usage;
  UsagePlace usage_place;
  const DecodingRules& rules;
  TypeCodes codes;
  const KeywordLookup& shift_jis_lookup;
  const KeywordLookup& utf8_lookup;
  // What it writes into a new tape's header; whether a header holding that
  // (attribute and load address) tells that a tape is of this BASIC.
  tape::HeaderKind header;
  bool header_identifies;
  // The bytes a program may take in the machine's memory, as its BASIC
  // reports them free when it starts; 0 where no figure is known.
  std::size_t free_memory;

  const KeywordLookup& lookup(Encoding encoding) const {
    return encoding == Encoding::Utf8 ? utf8_lookup : shift_jis_lookup;
  }
};

// The registry: every dialect, the default first.
std::span<const DialectInfo* const> dialects();

const DialectInfo& dialect_info(Dialect dialect);

// The dialect chosen by an option letter, or null.
const DialectInfo* dialect_by_option(char letter);

// What a tape's header says of its BASIC, by its attribute and load address:
// whether it is that the dialect writes itself; the dialect whose tapes it
// tells apart, or null when it tells none; whether it is a BASIC program's
// at all (the attribute of one of the dialects).
bool header_fits(const DialectInfo& dialect, const tape::HeaderKind& kind);
const DialectInfo* dialect_of_header(const tape::HeaderKind& kind);
bool is_basic_header(const tape::HeaderKind& kind);

}  // namespace detoken
