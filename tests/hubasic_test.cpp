// The HuBASIC decoder: its keyword tables, code by code, and its items.

#include <gtest/gtest.h>

#include "lister/dialects/hubasic.h"
#include "tests/image.h"
#include "tests/keyword_cells.h"
#include "tests/listing.h"

namespace detoken {
namespace {

using testing::body;
using testing::image_of;

TEST(HuBasicTables, EveryCodeOfEveryTable) {
  const testing::KeywordCells cells = testing::hubasic_cells();
  testing::walk_main_table(decode_hubasic_item, cells.main);
  testing::walk_prefix_table(decode_hubasic_item, 0xFE, cells.fe);
  testing::walk_prefix_table(decode_hubasic_item, 0xFF, cells.ff);
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
    const testing::Listed listed = testing::list(decode_hubasic_item, image_of({{10, c.body}}));
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
      {"\x93" "A\xE2\x05:\xC2\x06", "IFATHEN4ELSE5"},
      {"\x8F:'COMMENT", "PRINT'COMMENT"},
      {"\x8F:'A\":\"B:\x8F", "PRINT'A\":\"B:PRINT"},  // the colon outside quotes ends the comment
      {"\x8F:'\x8F\xA0", "PRINT'\xAF\xC0"},            // keyword codes in a comment are characters
      {":A", ":A"},
      {"A::B", "A::B"},
      {"A:", "A:"},
      {"A:\x8F", "A:PRINT"},
  };
  for (const Case& c : cases) {
    const testing::Listed listed = testing::list(decode_hubasic_item, image_of({{10, c.body}}));
    EXPECT_EQ(listed.text, "   10 " + c.text + "\n") << ::testing::PrintToString(c.body);
    EXPECT_EQ(listed.reports, "");
  }
}

TEST(HuBasicItems, EveryPrefixOfAProgramListsAPrefixOfItsListing) {
  testing::expect_every_prefix_lists_a_prefix(
      decode_hubasic_item,
      image_of({
          {10, body({0x8F, 0x05, ',', 0x0B, 0x01, 0x00, ',', 0x12, 0xFF, 0xFF, ',', 0x0D, 0x08, 0x00, ',', 0x0E, 0x05,
                     0x00, ',', 0x0F, 0xFF, 0x00})},
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
  const testing::Listed listed = testing::list(decode_hubasic_item, image);
  EXPECT_EQ(listed.text, "   10 :");
  EXPECT_EQ(listed.reports, testing::kAbnormalReport);
}

}  // namespace
}  // namespace detoken
