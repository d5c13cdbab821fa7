// The tokenizer: listings read back into program bytes, checked against
// bytes written out from the image format and copied from the real programs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "format/reals.h"
#include "lister/numbers.h"
#include "tests/files.h"
#include "tests/keyword_pairs.h"
#include "tests/listing_generator.h"
#include "tests/run_program.h"

namespace detoken {
namespace {

using testing::shift_jis;

std::string hex_of(std::string_view bytes) {
  std::string text;
  for (const char byte : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, text.empty() ? "%02X" : " %02X",
                  static_cast<unsigned>(static_cast<std::uint8_t>(byte)));
    text += pair;
  }
  return text;
}

std::string body_of(std::string_view text, Dialect dialect) {
  std::string body;
  ListingFault fault{};
  if (!tokenize_line(text, dialect, body, fault)) return "fault at column " + std::to_string(fault.column);
  return hex_of(body);
}

TEST(Tokenizer, EachNotationAsTheMachineStoresIt) {
  struct Case {
    Dialect dialect;
    std::string text;  // UTF-8, converted to Shift_JIS
    const char* bytes;
  };
  const Dialect s = Dialect::SBasic;
  const Dialect h = Dialect::HuBasic;
  const Case cases[] = {
      {s, "PRINT 10", "8F 20 15 84 20 00 00 00"},
      {s, "A=1e+06:A=1000000:A=1E6", "41 F4 15 94 74 24 00 00 3A 41 F4 15 94 74 24 00 00 3A 41 F4 15 94 74 24 00 00"},
      {s, "B=.5+0", "42 F4 15 80 00 00 00 00 F7 15 00 00 00 00 00"},
      {s, "V1=-2.5", "56 31 F4 F8 15 82 20 00 00 00"},
      {s, "A..5", "41 2E 2E 15 83 20 00 00 00"},
      {s, "FORI=1TO5", "8D 49 F4 15 81 00 00 00 00 E0 15 83 20 00 00 00"},
      {s, "ON I GOSUB 10,20", "9D 20 49 20 81 20 0B 0A 00 2C 0B 14 00"},
      {s, "IF A THEN 100", "93 20 41 20 E2 20 0B 64 00"},
      {s, "GOTO 70000", "80 20 15 91 08 B8 00 00"},
      {s, "X=C000+PEEK(1E3)", "58 F4 43 30 30 30 F7 FF 89 28 15 8A 7A 00 00 00 29"},
      {s, "A$=B$", "41 24 F4 42 24"},
      // S-BASIC's hexadecimal: a '$' and one to four digits, but where it
      // ends a name or a keyword, and with no digit after it.
      {s, "X=$C000:Y=$FF:Z=PEEK($1200)", "58 F4 11 00 C0 3A 59 F4 11 FF 00 3A 5A F4 FF 89 28 11 00 12 29"},
      {s, "PRINT$1F,$0000", "8F 11 1F 00 2C 11 00 00"},
      {s, "A$=CHR$(65)+MID$(A1$,1)",
       "41 24 F4 FF A0 28 15 87 02 00 00 00 29 F7 FF BC 28 41 31 24 2C 15 81 00 00 00 00 29"},
      {s, "$G$", "24 47 24"},
      {h, "A=$FF", "41 F4 24 46 46"},
      {s, "π<>INP#INPUT", "E4 EF AB 91"},
      {s, "REM A:PRINT", "97 20 41 3A 8F"},
      {s, "DATA 1,\"A:B\",2:END", "94 20 31 2C 22 41 3A 42 22 2C 32 3A 98"},
      {s, "PRINT \"ｱ日{13}{C5}\"A{05}", "8F 20 22 91 70 13 C5 22 41 05"},
      {h, "A=5:A=10:A=32767:A=32768", "41 F4 06 3A 41 F4 12 0A 00 3A 41 F4 12 FF 7F 3A 41 F4 15 90 00 00 00 00"},
      {h, "A=&HFF+&O10+&B101", "41 F4 0F FF 00 F7 0D 08 00 F7 0E 05 00"},
      {h, "A=12345678:B=1.5", "41 F4 18 98 3C 61 4E 00 00 00 00 3A 42 F4 15 81 40 00 00 00"},
      {h, "IF A THEN 1 ELSE 2", "93 20 41 20 E2 20 0B 01 00 20 3A C2 20 0B 02 00"},
      {h, "PRINT 'HI:X MOD 2", "8F 20 3A 27 48 49 3A 58 20 F9 20 03"},
      {h, "A\\2{0C}", "41 FA 03 0C"},
  };
  for (const Case& c : cases) EXPECT_EQ(body_of(shift_jis(c.text), c.dialect), c.bytes) << c.text;
}

// Decimal texts and the bytes the machine stores for them: copied from the
// real programs (which show the machine's own rounding, one step at a time:
// 3.721 is ...DD 30 where the nearest value is ...DD 2F), or written out from
// the format (the ties between two mantissas, the smallest exponent,
// HuBASIC's seven and eight digits).
TEST(Tokenizer, NumbersAsTheMachineStoresThem) {
  struct Case {
    Dialect dialect;
    const char* text;
    const char* bytes;
  };
  const Dialect s = Dialect::SBasic;
  const Dialect h = Dialect::HuBasic;
  const Case cases[] = {
      {s, "3.721", "15 82 6E 24 DD 30"},    // moonlander_v4, line 1980
      {s, "0.0001", "15 73 51 B7 17 5A"},   // sunrise_v2, line 1230
      {s, "8e-05", "15 73 27 C5 AC 48"},    // sunrise_v2, line 1220
      {s, "0.01", "15 7A 23 D7 0A 3E"},     // moonlander_v4, line 950
      {s, "0.03", "15 7B 75 C2 8F 5D"},     // gnu_blat_2000, line 8502
      {s, "0.03349", "15 7C 09 2C CF 6B"},  // sunrise_v2, line 1200
      {s, "1.35", "15 81 2C CC CC CD"},     // moonlander_v4, line 1950
      {s, "33.333", "15 86 05 54 FD F4"},   // moonlander_v4, line 1310
      {s, "86636.6", "15 91 29 36 4C CD"},  // sunrise_v2, line 940
      {s, "1e+06", "15 94 74 24 00 00"},    // drinking_game_v2, line 260
      // sunrise_v2, line 930: more digits than 32 bits hold, which the
      // machine gathers with a byte to spare (in 32 bits: ...B8 CE).
      {s, "8640184.8125", "15 98 03 D6 B8 D0"},
      {s, "4294967297", "15 A1 00 00 00 00"},         // 2^32 + 1: a tie, to the even mantissa below
      {s, "4294967299", "15 A1 00 00 00 02"},         // 2^32 + 3: a tie, to the even mantissa above
      {s, "3E-39", "15 01 02 AB 1E 2A"},              // just above 2^-128, the smallest exponent's range
      {s, "2.9E-39", "15 00 00 00 00 00"},            // just below it: zero
      {h, "1234567", "15 95 16 B4 38 00"},            // seven digits: a single real
      {h, "12345678", "18 98 3C 61 4E 00 00 00 00"},  // eight: a double
  };
  for (const Case& c : cases) EXPECT_EQ(body_of(c.text, c.dialect), c.bytes) << c.text;
}

// After these keywords a number is a line number, an unsigned word (0B);
// after the editor's commands, every number of the range (a real tape holds
// LIST 380-390 as 87 20 0B 7C 01 2D 0B 86 01), up to the statement's end.
TEST(Tokenizer, KeywordsThatTakeLineNumbers) {
  struct Case {
    Dialect dialect;
    const char* text;
    const char* bytes;
  };
  const Dialect s = Dialect::SBasic;
  const Dialect h = Dialect::HuBasic;
  const Case cases[] = {
      {s, "RUN 100", "83 20 0B 64 00"},
      {s, "RESTORE 100", "85 20 0B 64 00"},
      {s, "GOTO 100", "80 20 0B 64 00"},
      {s, "GOSUB 100,20", "81 20 0B 64 00 2C 0B 14 00"},
      {s, "THEN 100", "E2 20 0B 64 00"},
      {s, "PRINT 100", "8F 20 15 87 48 00 00 00"},
      {h, "RUN 100", "83 20 0B 64 00"},
      {h, "RESTORE 100", "85 20 0B 64 00"},
      {h, "RESUME 100", "86 20 0B 64 00"},
      {h, "ELSE 100", "3A C2 20 0B 64 00"},
      {h, "GOTO 100", "80 20 0B 64 00"},
      {h, "PRINT 100", "8F 20 12 64 00"},
      {s, "LIST 380-390", "87 20 0B 7C 01 2D 0B 86 01"},
      {s, "LIST/P 380-390:A=1-2", "87 2F 50 20 0B 7C 01 2D 0B 86 01 3A 41 F4 15 81 00 00 00 00 F8 15 82 00 00 00 00"},
      {s, "AUTO 100,10", "8B 20 0B 64 00 2C 0B 0A 00"},
      {s, "DELETE -20", "89 20 2D 0B 14 00"},
      {s, "RENUM 10,20 REM 5", "8A 20 0B 0A 00 2C 0B 14 00 20 97 20 35"},
      {h, "LLIST 5-", "88 20 0B 05 00 2D"},
      {h, "EDIT 7", "8C 20 0B 07 00"},
  };
  for (const Case& c : cases) EXPECT_EQ(body_of(c.text, c.dialect), c.bytes) << c.text;
}

// The type codes of each dialect's constants never stand in program text as
// characters: the lister would read a constant there. Every other code below
// 80 but the line's end does.
TEST(Tokenizer, ConstantTypeCodesAreNotCharacters) {
  const std::pair<Dialect, std::set<unsigned>> cases[] = {
      {Dialect::SBasic, {0x0B, 0x11, 0x15}},
      {Dialect::HuBasic,
       {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x12, 0x15, 0x18}},
  };
  for (const auto& [dialect, type_codes] : cases) {
    for (unsigned code = 0x01; code < 0x20; ++code) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "{%02X}", code);
      std::string body;
      ListingFault fault{};
      const bool read = tokenize_line(escape, dialect, body, fault);
      EXPECT_EQ(read, type_codes.count(code) == 0) << escape;
      if (!read) {
        EXPECT_EQ(fault.error, ListingError::NotInProgramText) << escape;
      }
      // In a string every such code is a character.
      EXPECT_EQ(body_of("\"" + std::string(escape) + "\"", dialect), "22 " + testing::code_name(0, code) + " 22");
    }
  }
}

// Listings as people type them: keywords and names in any case, no space
// after the line number, lines in any order, a number given again or alone,
// and a listing saved in UTF-8.
TEST(Tokenizer, ListingsAsPeopleTypeThem) {
  const CharMode utf8_european{CharSet::European, Encoding::Utf8};
  struct Case {
    std::string listing;
    ListingOptions options;
    std::vector<std::string> lines;  // number and body bytes, in order
    ListingNotes notes = {};
  };
  const Case cases[] = {
      {"10 print \"Aｱ\":goto 10\n", {}, {"10: 8F 20 22 41 91 22 3A 80 20 0B 0A 00"}},  // ｱ is 91
      {"10 a$=\"x\"\n", {Dialect::SBasic, utf8_european}, {"10: 41 24 F4 22 9B 22"}},
      {"10PRINT\n10  PRINT\n", {}, {"10: 20 8F"}, {.replaced = 1}},
      {"10 \n20\n", {}, {"10: "}},
      {"20 B\n10 A\n10 C\n30 D\n30\n", {}, {"10: 43", "20: 42"}, {.reordered = 2, .replaced = 1, .deleted = 1}},
      // UTF-8 read as Shift_JIS: its bytes are katakana there, and it is noted.
      {"10 \"£ ½ °\"", {}, {"10: 22 A2 83 20 A2 9D 20 A2 90 22"}, {.looks_like_utf8 = true}},
      {"\xEF\xBB\xBF"
       "10 \"£\"",
       {Dialect::SBasic, utf8_european},
       {"10: 22 FB 22"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.listing);
    std::string program;
    ListingFault fault{};
    ListingNotes notes;
    const std::string listing = c.listing.find("ｱ") == std::string::npos ? c.listing : shift_jis(c.listing);
    ASSERT_TRUE(tokenize_listing(listing, c.options, program, fault, &notes)) << "column " << fault.column;
    std::vector<std::string> lines;
    for (std::string_view rest = program; tape::word_at(rest.data()) != 0;) {
      const unsigned length = tape::word_at(rest.data());
      lines.push_back(std::to_string(tape::word_at(rest.data() + 2)) + ": " + hex_of(rest.substr(4, length - 5)));
      rest.remove_prefix(length);
    }
    EXPECT_EQ(lines, c.lines);
    EXPECT_EQ(notes.reordered, c.notes.reordered);
    EXPECT_EQ(notes.replaced, c.notes.replaced);
    EXPECT_EQ(notes.deleted, c.notes.deleted);
    EXPECT_EQ(notes.looks_like_utf8, c.notes.looks_like_utf8);
  }
}

// Each keyword's name, in either case, reads back as its own code, by the
// pairs written apart from the tables.
TEST(Tokenizer, EveryKeywordReadsAsItsCode) {
  for (const auto& [dialect, vocabulary] :
       {std::pair{Dialect::SBasic, testing::kSBasic}, std::pair{Dialect::HuBasic, testing::kHuBasic}}) {
    for (const testing::Token& token : testing::every_token(vocabulary)) {
      if (token.keyword.empty()) continue;
      // HuBASIC keeps a colon before ELSE; DATA and REM take the text after them.
      std::string expected = dialect == Dialect::HuBasic && token.keyword == "ELSE" ? "3A " : "";
      expected += hex_of(token.bytes());
      EXPECT_EQ(body_of(token.keyword, dialect), expected) << token.keyword;
      std::string lower(token.keyword);
      std::transform(lower.begin(), lower.end(), lower.begin(),
                     [](char c) { return c | (c >= 'A' && c <= 'Z' ? 0x20 : 0); });
      EXPECT_EQ(body_of(lower, dialect), expected) << lower;
    }
  }
}

}  // namespace
}  // namespace detoken
