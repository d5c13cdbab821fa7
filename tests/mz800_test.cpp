// The MZ-800's BASIC (-m): every code as the table of established and
// probable codes in data/dialects says, read here on its own; a program
// written out by hand after the format's description (data/dialects/mz800.md),
// both ways; and generated programs, which come back as the same bytes.

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lister/decoding.h"
#include "tests/files.h"
#include "tests/image.h"
#include "tests/keyword_pairs.h"
#include "tests/listing.h"
#include "tests/listing_generator.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

using testing::body;

// The table's rows as code-keyword pairs ("FE 8A SOUND"), and the codes just
// past its last FE and FF codes, which the reports give to those beyond.
struct Table {
  std::vector<std::string> pairs;
  std::vector<std::string_view> views;
  unsigned last_fe = 0x80;
  unsigned last_ff = 0x80;
};
Table read_table() {
  Table table;
  std::ifstream rows(testing::data_dir() / "dialects/mz800-keywords.tsv");
  for (std::string line; std::getline(rows, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::stringstream split(line);
    std::string code, keyword;
    std::getline(split, code, '\t');
    std::getline(split, keyword, '\t');
    table.pairs.push_back(code + " " + keyword);
    const unsigned second = static_cast<unsigned>(std::stoul(code.substr(code.size() - 2), nullptr, 16));
    if (code.starts_with("FE ")) table.last_fe = std::max(table.last_fe, second);
    if (code.starts_with("FF ")) table.last_ff = std::max(table.last_ff, second);
  }
  for (const std::string& pair : table.pairs) table.views.push_back(pair);
  return table;
}

TEST(Mz800, EveryCodeAsTheTableSays) {
  const Table table = read_table();
  ASSERT_EQ(table.pairs.size(), 153u);
  testing::expect_every_token_lists(decoder_for(Dialect::Mz800), {table.views, table.last_fe + 1, table.last_ff + 1});
  for (const std::string& pair : table.pairs) {
    const std::size_t space = pair.rfind(' ');
    std::string read;
    ListingFault fault{};
    ASSERT_TRUE(tokenize_line(testing::shift_jis(pair.substr(space + 1)), Dialect::Mz800, read, fault)) << pair;
    std::string code;
    for (std::size_t at = 0; at < space; at += 3)
      code += static_cast<char>(std::stoul(pair.substr(at, 2), nullptr, 16));
    // The keywords before which the machine keeps a colon get it.
    EXPECT_EQ(read, code == "\xC2" ? ":" + code : code) << pair;
  }
}

// A program as mz800.md describes the format, in the machine's bytes, and
// its listing: both ways.
const std::vector<testing::Line> kProgram = {
    // The ' comment, its colon kept but not listed, and one typed before it.
    {10, body({0x3A, 0x27, 'I', 'N', 'I', 'T', 0x3A, 0x9B, 0x3A, 0x3A, 0x27, 'X'})},
    // ELSE after a colon the machine puts there; line numbers after GOTO,
    // THEN, ELSE and in an ON list; a jump to a label.
    {20, body({0x93, 'A', 0xF4, 0x15, 0x81, 0, 0, 0, 0, 0xE2, 0x0B, 0x64, 0x00, 0x3A, 0xC2, 0x0B, 0xC8, 0x00})},
    {30,
     body({0x9D, 'S', 0x80, 0x0B, 0x0A, 0x00, ',', 0x0B, 0x14, 0x00, ':', 0x81, '"', 'P', 'A', 'I', 'N', 'T', '"'})},
    // LABEL "Z"; hexadecimal (POKE $FBE9 is A0 11 E9 FB); the reals the
    // description gives: 25 and 1.38E-23; SOUND and STICK.
    {40, body({0xCA, '"', 'Z', '"', ':', 0xA0, 0x11, 0xE9, 0xFB, ',', 0x15, 0x85, 0x48, 0, 0, 0})},
    {50, body({'K',  0xF4, 'T',  0xFC, 0x15, 0x35, 0x05, 0x77, 0x25, 0x23, ':', 0xFE,
               0x8A, ' ',  0xFF, 0x9C, '(',  0x15, 0,    0,    0,    0,    0,   ')'})},
    // Machine code: a body that starts with 00 and holds more.
    {65280, body({0x00, 0x3E, 0x01, 0x00, 0xC9, 0x22, 0x0B})},
};
const char* const kListed =
    "   10 'INIT:CLS:'X\n"
    "   20 IFA=1THEN100ELSE200\n"
    "   30 ONSGOTO10,20:GOSUB\"PAINT\"\n"
    "   40 LABEL\"Z\":POKE$FBE9,25\n"
    "   50 K=T*1.38e-23:SOUND STICK(0)\n"
    "65280 {00}{3E}{01}{00}{C9}{22}{0B}\n";

TEST(Mz800, ProgramFormatBothWays) {
  const testing::Bytes image = testing::image_of(kProgram);
  const testing::Listed listed = testing::list(decoder_for(Dialect::Mz800), image);
  EXPECT_EQ(listed.text, kListed);
  EXPECT_EQ(listed.reports, "");
  std::string program;
  ListingFault fault{};
  ASSERT_TRUE(tokenize_listing(kListed, Dialect::Mz800, program, fault)) << fault.line << ":" << fault.column;
  EXPECT_EQ(program, std::string(image.begin() + 128, image.end()));
  testing::expect_every_prefix_lists_a_prefix(decoder_for(Dialect::Mz800), image);
  // Listed as S-BASIC it stops at the first code S-BASIC lacks, naming it.
  EXPECT_EQ(testing::list(decoder_for(Dialect::SBasic), image).reports, "Syntax error in 20 (C2)\n");
}

// Generated listings of the dialect, in every character mode: read, listed
// and read again they give back the same bytes.
TEST(Mz800, GeneratedListingsSettleAfterOnePass) {
  struct Seeded {
    std::mt19937 random{800};
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random); }
  } source;
  for (const CharSet set : {CharSet::Japanese, CharSet::European}) {
    for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
      const ListingOptions options(Dialect::Mz800, {set, encoding});
      testing::ListingGenerator<Seeded> generator(options, source);
      for (int i = 0; i < 1000; ++i) {
        const std::string listing = generator.listing(8);
        ASSERT_EQ(testing::check_settles(listing, options), "") << listing;
      }
    }
  }
}

}  // namespace
}  // namespace detoken
