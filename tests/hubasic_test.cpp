// The HuBASIC decoder: its keyword tables, code by code, and its items.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "lister/decoding.h"
#include "tests/image.h"
#include "tests/listing.h"

namespace detoken {
namespace {

using testing::body;
using testing::image_of;

TEST(HuBasicTables, EveryCodeOfEveryTable) {
  testing::expect_every_token_lists(decoder_for(Dialect::HuBasic), testing::kHuBasic);
}

// A dialect's keywords as the program's tables hold them, written as pairs.
std::vector<std::string> pairs_in(const KeywordTables& tables) {
  std::vector<std::string> pairs;
  for (const auto& [prefix, table] : {std::pair{0u, tables.main}, {0xFEu, tables.fe}, {0xFFu, tables.ff}}) {
    for (unsigned code = 0x80; code < 0x80 + table.size(); ++code) {
      const std::string_view name = table[code - 0x80].name();
      if (!name.empty()) pairs.push_back(testing::code_name(prefix, code) + " " + std::string(name));
    }
  }
  return pairs;
}

// Pairs of the same name in both dialects: the S-BASIC one, the HuBASIC one.
using NamePairs = std::set<std::pair<std::string, std::string>>;

// The names both dialects have in one table but at different codes.
const NamePairs kPlacedApart = {
    // HuBASIC lays out its statements of rows A to D anew.
    {"A2 MODE", "C6 MODE"},
    {"A5 LINE", "CD LINE"},
    {"AD GET", "D2 GET"},
    {"B2 KEY", "C7 KEY"},
    {"C7 DEF", "B2 DEF"},
    // HuBASIC's FE row A also holds PLOT, PAGE, KLIST and CLICK; its BOOT comes before DEVI$ and DEVO$.
    {"FE AE BOOT", "FE AC BOOT"},
    // S-BASIC has LN at FF 85 and LOG at FF 8C; HuBASIC has LOG at FF 85 and FRAC at FF 8C.
    {"FF 8C LOG", "FF 85 LOG"},
};

// Every name that both dialects have in the same table (main, FE or FF) sits
// at the same code in both, but those placed apart, and those are apart.
void expect_shared_names_at_one_code(const std::vector<std::string>& sbasic, const std::vector<std::string>& hubasic) {
  const auto table_and_name = [](std::string_view pair) {
    const std::size_t space = pair.rfind(' ');
    return std::string(pair.substr(0, space > 2 ? 2 : 0)) + " " + std::string(pair.substr(space + 1));
  };
  std::map<std::string, std::string> hubasic_by_name;
  for (const std::string& pair : hubasic) hubasic_by_name[table_and_name(pair)] = pair;
  NamePairs apart;
  for (const std::string& pair : sbasic) {
    const auto found = hubasic_by_name.find(table_and_name(pair));
    if (found != hubasic_by_name.end() && found->second != pair) apart.emplace(pair, found->second);
  }
  EXPECT_EQ(apart, kPlacedApart);
}

TEST(KeywordTables, NamesBothDialectsHaveShareTheirCode) {
  {
    SCOPED_TRACE("the program's tables");
    expect_shared_names_at_one_code(pairs_in(dialect_info(Dialect::SBasic).rules.keywords.shift_jis),
                                    pairs_in(dialect_info(Dialect::HuBasic).rules.keywords.shift_jis));
  }
  SCOPED_TRACE("the pairs");
  expect_shared_names_at_one_code({std::begin(testing::kSBasicPairs), std::end(testing::kSBasicPairs)},
                                  {std::begin(testing::kHuBasicPairs), std::end(testing::kHuBasicPairs)});
}

TEST(HuBasicItems, DigitsAndWordConstants) {
  struct Case {
    std::string body;
    std::string text;
  };
  const Case cases[] = {
      {body({0x01, 0x05, 0x0A}), "049"},
      {body({0x0B, 0x00, 0x00, ',', 0x0B, 0x01, 0x00, ',', 0x0B, 0xFF, 0x7F, ',', 0x0B, 0x00, 0x80, ',', 0x0B, 0xFF,
             0xFF}),
       "0,1,32767,32768,65535"},
      {body({0x12, 0x00, 0x00, ',', 0x12, 0x01, 0x00, ',', 0x12, 0xFF, 0x7F, ',', 0x12, 0x00, 0x80, ',', 0x12, 0xFF,
             0xFF}),
       "0,1,32767,-32768,-1"},
      {body({0x0F, 0x00, 0x00, ',', 0x0F, 0xFF, 0x00, ',', 0x0F, 0x00, 0x80, ',', 0x0F, 0xFF, 0xFF}),
       "&H0,&HFF,&H8000,&HFFFF"},
      {body({0x0D, 0x00, 0x00, ',', 0x0D, 0x08, 0x00, ',', 0x0D, 0xFF, 0x7F, ',', 0x0D, 0xFF, 0xFF}),
       "&O0,&O10,&O77777,&O177777"},
      {body({0x0E, 0x00, 0x00, ',', 0x0E, 0x05, 0x00, ',', 0x0E, 0x00, 0x80, ',', 0x0E, 0xFF, 0xFF}),
       "&B0,&B101,&B1000000000000000,&B1111111111111111"},
      {body({0x15, 0x82, 0xA0, 0x00, 0x00, 0x00, ',', 0x18, 0x95, 0x16, 0xB4, 0x28, 0x00, 0x80, 0x00, 0x00}),
       "-2.5,1.23457e+06"},
      {body({0x0C, 0x10, 0x11, 0x13, 0x14, 0x16, 0x17, 0x19, 0x1F}), "{0C}{10}{11}{13}{14}{16}{17}{19}{1F}"},
  };
  for (const Case& c : cases) {
    const testing::Listed listed = testing::list(decoder_for(Dialect::HuBasic), image_of({{10, c.body}}));
    EXPECT_EQ(listed.text, "   10 " + c.text + "\n") << ::testing::PrintToString(c.body);
    EXPECT_EQ(listed.reports, "");
  }
}

TEST(HuBasicItems, ColonsBeforeElseAndComments) {
  struct Case {
    std::string body;
    std::string text;
  };
  const Case cases[] = {
      {"\x93"
       "A\xE2\x05:\xC2\x06",
       "IFATHEN4ELSE5"},
      {"\x8F:'COMMENT", "PRINT'COMMENT"},
      {"\x8F:'A\":\"B:\x8F", "PRINT'A\":\"B:PRINT"},  // the colon outside quotes ends the comment
      {"\x8F:'\x8F\xA0", "PRINT'\xAF\xC0"},           // keyword codes in a comment are characters
      {":A", ":A"},
      {"A::B", "A::B"},
      {"A:", "A:"},
      {"A:\x8F", "A:PRINT"},
  };
  for (const Case& c : cases) {
    const testing::Listed listed = testing::list(decoder_for(Dialect::HuBasic), image_of({{10, c.body}}));
    EXPECT_EQ(listed.text, "   10 " + c.text + "\n") << ::testing::PrintToString(c.body);
    EXPECT_EQ(listed.reports, "");
  }
}

TEST(HuBasicItems, EveryPrefixOfAProgramListsAPrefixOfItsListing) {
  testing::expect_every_prefix_lists_a_prefix(
      decoder_for(Dialect::HuBasic),
      image_of({
          {10, body({0x8F, 0x05, ',',  0x0B, 0x01, 0x00, ',',  0x12, 0xFF, 0xFF, ',',
                     0x0D, 0x08, 0x00, ',',  0x0E, 0x05, 0x00, ',',  0x0F, 0xFF, 0x00})},
          {20, body({0x41, 0xF4, 0x15, 0x81, 0, 0, 0, 0, ':', 0x42, 0xF4, 0x18, 0x81, 0, 0, 0, 0, 0, 0, 0})},
          {30, body({0x93, 0x41, 0xE2, 0x02, ':', 0xC2, 0x03, ':', 0x27, 'R', 'E', 'M'})},
          {40, body({0xFE, 0xAC, ':', 0xFF, 0xCD, '"', 'Z', '"', ':'})},
      }));
}

TEST(HuBasicItems, ColonAsTheLastByteOfTheFile) {
  // A line length of 2 passes the check on the line's last byte (the length's
  // own high byte), so the colon at the very end is decoded: looking past it
  // finds nothing, the colon is written, and the data has run out.
  testing::Bytes image = testing::header();
  for (const unsigned byte : {0x02, 0x00, 0x0A, 0x00, 0x3A}) image.push_back(static_cast<std::uint8_t>(byte));
  const testing::Listed listed = testing::list(decoder_for(Dialect::HuBasic), image);
  EXPECT_EQ(listed.text, "   10 :");
  EXPECT_EQ(listed.reports, testing::kAbnormalReport);
}

}  // namespace
}  // namespace detoken
