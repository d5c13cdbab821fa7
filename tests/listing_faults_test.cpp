// What the tokenizer refuses, and where it says the fault is.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/run_program.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

using testing::shift_jis;

TEST(Tokenizer, FaultsNameTheirLineAndColumn) {
  struct Case {
    std::string listing;  // UTF-8, converted to Shift_JIS
    ListingError error;
    std::size_t line;
    std::size_t column;
    std::string text;
    ListingOptions options = {};
    bool raw = false;  // the listing's bytes as they stand, not converted from UTF-8
  };
  const ListingOptions utf8(Dialect::SBasic, {CharSet::Japanese, Encoding::Utf8});
  const Case cases[] = {
      {"PRINT", ListingError::MissingLineNumber, 1, 1, "P"},
      {"10 A\n   \n", ListingError::MissingLineNumber, 2, 4, ""},
      {"   70000 A", ListingError::LineNumberTooLarge, 1, 4, "70000"},
      {"10 PRINT ~", ListingError::NoMachineCode, 1, 10, "~"},
      {"10 PRINT \"Ab\"", ListingError::LowerCaseNeedsEuropean, 1, 12, "b"},
      {"10 REM x", ListingError::LowerCaseNeedsEuropean, 1, 8, "x"},
      {"\xEF\xBB\xBF"
       "10 A",
       ListingError::ByteOrderMarkInShiftJis,
       1,
       1,
       "\xEF\xBB\xBF",
       {},
       true},
      {"10 A\n20 \"\x82\x22", ListingError::NotShiftJis, 2, 5, "\x82", {}, true},
      {"10 A\n20 \"\xA3\"", ListingError::NotUtf8, 2, 5, "\xA3", utf8, true},
      {"10 \"あ\"", ListingError::NoMachineCode, 1, 5, "あ"},
      {"10 A{4G}", ListingError::BadEscape, 1, 5, "{4G}"},
      {"10 A{41}", ListingError::BadEscape, 1, 5, "{41}"},
      {"10 A=ｱ", ListingError::NotInProgramText, 1, 6, "ｱ"},
      {"10 A{0B}", ListingError::NotInProgramText, 1, 5, "{0B}"},
      {"10 \"{00}\"", ListingError::NotInProgramText, 1, 5, "{00}"},
      {"10 A=1E39", ListingError::NumberOutOfRange, 1, 6, "1E39"},
      {"10 A=&H10000", ListingError::NumberOutOfRange, 1, 6, "&H10000", Dialect::HuBasic},
      {"10 A=$10000", ListingError::NumberOutOfRange, 1, 6, "$10000"},
      {"10 A=$F.5", ListingError::MalformedNumber, 1, 6, "$F."},
      {"10 A=1.0.5", ListingError::MalformedNumber, 1, 6, "1.0."},
      {"10 A=1E2E3", ListingError::MalformedNumber, 1, 6, "1E2E"},
      {"10 A=1.5e+.6", ListingError::MalformedNumber, 1, 6, "1.5e+."},
      {"10 A=1E.5", ListingError::MalformedNumber, 1, 6, "1E."},
      {"10 A=1$.5", ListingError::MalformedNumber, 1, 7, "$."},
      {"10 A=&B10.5", ListingError::MalformedNumber, 1, 6, "&B10.", Dialect::HuBasic},
      {"10 A=&O178", ListingError::MalformedNumber, 1, 6, "&O178", Dialect::HuBasic},
      {"10 REM\n20 " + std::string(0xFFFB, 'A'), ListingError::LineTooLong, 2, 1, ""},
  };
  for (const Case& c : cases) {
    std::string program;
    ListingFault fault{};
    const std::string listing = c.raw ? c.listing : shift_jis(c.listing);
    ASSERT_FALSE(tokenize_listing(listing, c.options, program, fault)) << c.listing.substr(0, 40);
    EXPECT_EQ(fault.error, c.error) << c.listing.substr(0, 40);
    EXPECT_EQ(fault.line, c.line) << c.listing.substr(0, 40);
    EXPECT_EQ(fault.column, c.column) << c.listing.substr(0, 40);
    EXPECT_EQ(fault.text, c.raw ? c.text : shift_jis(c.text)) << c.listing.substr(0, 40);
  }
  // A line of the largest length is not too long; the program's size is capped.
  std::string program;
  ListingFault fault{};
  EXPECT_TRUE(tokenize_listing("20 " + std::string(0xFFFA, 'A'), Dialect::SBasic, program, fault));
  program.clear();
  EXPECT_FALSE(tokenize_listing("10 AB\n20 C\n", Dialect::SBasic, program, fault, nullptr, 14));
  EXPECT_EQ(fault.error, ListingError::ProgramTooLarge);
  EXPECT_EQ(fault.line, 2u);
}

// The first byte that is not of the listing's encoding is named wherever it
// stands among the bytes around it, ASCII or not.
TEST(Tokenizer, BytesNotOfTheEncodingFoundWhereTheyStand) {
  for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
    const ListingOptions options(Dialect::SBasic, {CharSet::Japanese, encoding});
    const std::string katakana = encoding == Encoding::Utf8 ? "\xEF\xBD\xB1" : "\xB1";
    for (std::size_t count = 0; count < 40; ++count) {
      const std::string before = "10 REM " + std::string(count % 3 == 0 ? katakana : "") + std::string(count, 'A');
      const std::string listing = "5 A\n" + before + "\x80" + std::string(40 - count, 'B') + katakana + "\n";
      std::string program;
      ListingFault fault{};
      ASSERT_FALSE(tokenize_listing(listing, options, program, fault));
      EXPECT_EQ(fault.error, encoding == Encoding::Utf8 ? ListingError::NotUtf8 : ListingError::NotShiftJis);
      EXPECT_EQ(fault.line, 2u);
      EXPECT_EQ(fault.column, before.size() + 1) << count;
    }
  }
}

// Whether a listing holding `bytes` in a REM is refused as no text of the
// encoding (rather than read, or refused for another reason).
bool refused_as_not_encoded(const std::string& bytes, Encoding encoding) {
  std::string program;
  ListingFault fault{};
  const bool read =
      tokenize_listing("10 REM" + bytes + "\n", {Dialect::SBasic, {CharSet::European, encoding}}, program, fault);
  return !read && fault.error == (encoding == Encoding::Utf8 ? ListingError::NotUtf8 : ListingError::NotShiftJis);
}

// Every pair of a Shift_JIS lead byte and any byte: a character where the
// second byte is one of the trail bytes (40-7E, 80-FC, as code page 932
// defines them); the C library's conversion agrees wherever it knows the
// character.
TEST(Tokenizer, ShiftJisPairsAsCodePage932DefinesThem) {
  for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
    if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) continue;
    for (unsigned trail = 0; trail <= 0xFF; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      const bool trail_byte = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
      EXPECT_EQ(refused_as_not_encoded(pair, Encoding::ShiftJis), !trail_byte) << std::hex << lead << ' ' << trail;
      EXPECT_TRUE(trail_byte || !testing::converted(pair, "CP932", "UTF-8")) << std::hex << lead << ' ' << trail;
    }
  }
}

// Sequences of one to four bytes from around every boundary of UTF-8's
// forms (leads, continuations, overlong forms, surrogates, the last code
// point): refused exactly where the C library's conversion refuses them.
TEST(Tokenizer, Utf8AsTheCLibraryReadsIt) {
  const unsigned char edges[] = {0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
                                 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5, 0xFF};
  std::mt19937 random(11);
  for (int i = 0; i < 40000; ++i) {
    std::string bytes;
    for (unsigned length = 1 + random() % 4; bytes.size() < length;)
      bytes += static_cast<char>(edges[random() % std::size(edges)]);
    EXPECT_EQ(refused_as_not_encoded(bytes, Encoding::Utf8), !testing::converted(bytes, "UTF-8", "UTF-16LE"))
        << ::testing::PrintToString(bytes);
  }
}

}  // namespace
}  // namespace detoken
