// The MZ-80K's BASIC (SP-5025): its keyword codes against the table of
// established codes in data/dialects, read here on their own, and
// images built from its program format, with what they list as written out
// by hand.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>

#include "lister/decoding.h"
#include "tape/image_format.h"
#include "tests/files.h"
#include "tests/image.h"
#include "tests/listing.h"
#include "tests/listing_generator.h"
#include "tests/run_program.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

using testing::body;

// Program lines ended by 0D, behind a header, and the end marker.
std::string sp5025_image(const std::vector<testing::Line>& lines) {
  std::string image = tape::header("", 0, dialect_info(Dialect::Sp5025).header);
  for (const testing::Line& line : lines) tape::append_line(image, line.number, line.body, 0x0D);
  tape::append_end(image);
  return image;
}

testing::Listed list_sp5025(const std::string& image) { return testing::list(decoder_for(Dialect::Sp5025), image); }

// The established codes: "C0" -> "LEFT$(" (UTF-8).
std::map<unsigned, std::string> established_keywords() {
  std::map<unsigned, std::string> keywords;
  std::ifstream rows(testing::data_dir() / "dialects/sp5025-keywords.tsv");
  for (std::string line; std::getline(rows, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream split(line);
    std::string code, keyword;
    std::getline(split, code, '\t');
    std::getline(split, keyword, '\t');
    keywords[static_cast<unsigned>(std::stoul(code, nullptr, 16))] = keyword;
  }
  return keywords;
}

// Every code 80-FF alone on line 10: the keyword the table gives it (in
// Shift_JIS, as iconv converts it), or, for a code the table does not have,
// the line number and the syntax error naming the code. Each keyword also
// reads back as its code.
TEST(Sp5025, EveryCodeAsTheTableOfEstablishedCodesSays) {
  const std::map<unsigned, std::string> keywords = established_keywords();
  ASSERT_FALSE(keywords.empty()) << "no table of the MZ-80K's keyword codes in data/dialects";
  for (unsigned code = 0x80; code <= 0xFF; ++code) {
    SCOPED_TRACE(code);
    const testing::Listed listed = list_sp5025(sp5025_image({{10, body({code})}}));
    const auto found = keywords.find(code);
    if (found == keywords.end()) {
      char report[40];
      std::snprintf(report, sizeof report, "Syntax error in 10 (%02X)\n", code);
      EXPECT_EQ(listed.text, "   10 ");
      EXPECT_EQ(listed.reports, report);
      continue;
    }
    const std::string keyword = testing::shift_jis(found->second);
    EXPECT_EQ(listed.text, "   10 " + keyword + "\n");
    EXPECT_EQ(listed.reports, "");
    std::string read;
    ListingFault fault{};
    ASSERT_TRUE(tokenize_line(keyword, Dialect::Sp5025, read, fault));
    // REM and DATA take the text after them; none follows here.
    EXPECT_EQ(read, body({code}));
  }
}

TEST(Sp5025, ProgramFormat) {
  const std::string all = sp5025_image({
      // A string and a colon after it; numbers stay the digits typed.
      {10, body({0x85, ' ', '"', 'A', ':', 'B', '"', ':', 'X', 0xB6, '1', '.', '5', 'E', '3', 0xBD, '.', '5'})},
      // REM and DATA text runs to a colon outside quotes; a keyword code in it
      // is a character; 00 is a character here, and so is every code but 0D.
      {20, body({0x81, '1', ',', '"', 'A', ':', 'B', '"', ':', 0x80, 'H', 0x85, ':', 0x00, 0x0C})},
      // A function's keyword holds its parenthesis; DEF FN is one keyword.
      {65535, body({0x96, 'A', '(', 'X', ')', 0xB6, 0xD0, '1', ')', 0xCF, '2', 0xFF})},
  });
  const testing::Listed listed = list_sp5025(all);
  EXPECT_EQ(listed.text,
            "   10 PRINT \"A:B\":X=1.5E3-.5\n"
            "   20 DATA1,\"A:B\":REMH\xA5:{00}{0C}\n"
            "65535 DEF FNA(X)=RND(1)^2\x83\xCE\n");
  EXPECT_EQ(listed.reports, "");

  // An unknown code; a line that does not end at its 0D; data that ends
  // before the end marker.
  const testing::Listed unknown = list_sp5025(sp5025_image({{10, "A"}, {20, body({'B', 0x91, 'C'})}}));
  EXPECT_EQ(unknown.text, "   10 A\n   20 B");
  EXPECT_EQ(unknown.reports, "Syntax error in 20 (91)\n");
  std::string broken = sp5025_image({{10, "A"}, {20, "B"}});
  broken[tape::kHeaderSize + 6 + 5] = 0x00;  // line 20's terminator
  EXPECT_EQ(list_sp5025(broken).text, "   10 A\n");
  EXPECT_EQ(list_sp5025(broken).reports, testing::kAbnormalReport);
  const std::string cut = sp5025_image({{10, "A"}, {20, "B"}}).substr(0, tape::kHeaderSize + 12);
  EXPECT_EQ(list_sp5025(cut).text, "   10 A\n   20 B\n");
  EXPECT_EQ(list_sp5025(cut).reports, testing::kAbnormalReport);
  testing::expect_every_prefix_lists_a_prefix(decoder_for(Dialect::Sp5025), testing::Bytes(all.begin(), all.end()));
}

// Listings made of the table's keywords and the machine's characters, in
// every mode: read, listed and read again they give back the same program
// bytes, and list the same.
TEST(Sp5025, GeneratedListingsComeBackAsTheSameBytes) {
  struct Seeded {
    std::mt19937 random{80};
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random); }
  } source;
  for (const CharSet set : {CharSet::Japanese, CharSet::European}) {
    for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
      const ListingOptions options(Dialect::Sp5025, {set, encoding});
      testing::ListingGenerator<Seeded> generator(options, source);
      for (int i = 0; i < 1000; ++i) {
        const std::string listing = generator.listing(8);
        ASSERT_EQ(testing::check_settles(listing, options), "") << listing;
        std::string first;
        ListingFault fault{};
        ASSERT_TRUE(tokenize_listing(listing, options, first, fault));
        const testing::Listed listed =
            testing::list_program_area(first, Dialect::Sp5025, {.characters = options.characters});
        std::string second;
        ASSERT_TRUE(tokenize_listing(listed.text, options, second, fault));
        EXPECT_EQ(second, first) << listing;
      }
    }
  }
}

}  // namespace
}  // namespace detoken
