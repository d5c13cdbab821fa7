// The S-BASIC decoder: its keyword tables, code by code, and its items.

#include <gtest/gtest.h>

#include "lister/decoding.h"
#include "lister/line_walker.h"
#include "tests/image.h"
#include "tests/listing.h"

namespace detoken {
namespace {

using testing::body;

TEST(SBasicTables, EveryCodeOfEveryTable) {
  testing::expect_every_token_lists(decoder_for(Dialect::SBasic), testing::kSBasic);
}

TEST(SBasicItems, ConstantsStatementsAndCharacters) {
  struct Case {
    std::string body;
    std::string text;
  };
  const Case cases[] = {
      {body({0x0B, 0x64, 0x00}), "100"},
      {body({0x0B, 0xFF, 0xFF}), "65535"},
      {body({0x11, 0xFF, 0x00}), "$FF"},
      {body({0x11, 0x00, 0x10}), "$1000"},
      {body({0x11, 0x00, 0xC0}), "$C000"},
      {body({0x11, 0x00, 0x00}), "$0"},
      {body({0x15, 0x84, 0x20, 0x00, 0x00, 0x00}), "10"},
      {body({0x15, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7, 0x15, 0x81, 0x80, 0, 0, 0}), "0+-1"},
      {"\x97HELLO:WORLD", "REMHELLO:WORLD"},
      {"\x97\xC5:\x98", "REM{C5}:END"},  // a keyword code in REM text is a character
      {"\x94"
       "1,\"A:B\",2:\x8F",
       "DATA1,\"A:B\",2:PRINT"},
      {"\x8F\"\xC5\x81:\x97\"\x97", "PRINT\"{C5}\xA1:\xB7\"REM"},
      {"\x8F\"OPEN", "PRINT\"OPEN"},
      {body({0xE4}), "\x83\xCE"},
      {body({0x01, 0x0C, 0x12, 0x16, 0x1F, 0x70}), "{01}{0C}{12}{16}{1F}\x93\xFA"},
  };
  for (const Case& c : cases) {
    Output out;
    list_program(testing::image_of({{10, c.body}}), out, decoder_for(Dialect::SBasic));
    EXPECT_EQ(out.text(), "   10 " + c.text + "\n") << ::testing::PrintToString(c.body);
    EXPECT_EQ(out.reports(), "");
  }
}

TEST(SBasicItems, SyntaxErrorStopsTheWholeListing) {
  Output out;
  list_program(testing::image_of({{5, "A"},
                                  {300,
                                   "B\x82"
                                   "C"},
                                  {400, "D"}}),
               out, decoder_for(Dialect::SBasic));
  EXPECT_EQ(out.text(), "    5 A\n  300 B");
  EXPECT_EQ(out.reports(), "Syntax error in 300 (82)\n");
}

}  // namespace
}  // namespace detoken
