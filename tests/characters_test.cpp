// The character map and the copiers of raw text.

#include "lister/characters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "format/byte_cursor.h"
#include "lister/decoding.h"
#include "tests/image.h"
#include "tests/run_program.h"

namespace detoken {
namespace {

using testing::body;
using testing::image_of;

// Every code 01-FF inside a string literal, one line each, against its
// character written in UTF-8 and converted by the C library.
TEST(Characters, EveryCodeInAStringLiteral) {
  const char* const kanji[] = {"日", "月", "火", "水", "木", "金", "土", "生",
                               "年", "時", "分", "秒", "円", "￥", "￡"};
  std::vector<testing::Line> lines;
  std::string expected;
  for (unsigned code = 0x01; code <= 0xFF; ++code) {
    lines.push_back({static_cast<std::uint16_t>(code), body({0x22, code, 0x22})});
    char text[16];
    if (code >= 0x20 && code <= 0x5D) {
      std::snprintf(text, sizeof text, "%c", code);
    } else if (code >= 0x81 && code <= 0xBF) {
      const unsigned katakana = 0xFF61 + code - 0x81;  // U+FF61 to U+FF9F, in UTF-8
      std::snprintf(text, sizeof text, "%c%c%c", 0xE0 | katakana >> 12, 0x80 | (katakana >> 6 & 0x3F),
                    0x80 | (katakana & 0x3F));
    } else if (code >= 0x70 && code <= 0x7E) {
      std::snprintf(text, sizeof text, "%s", kanji[code - 0x70]);
    } else {
      std::snprintf(text, sizeof text, "{%02X}", code);
    }
    char number[8];
    std::snprintf(number, sizeof number, "%5u ", code);
    expected += number + std::string("\"") + text + "\"\n";  // for 22 the third quote opens a literal
  }
  const testing::Listed listed = testing::list(decoder_for(Dialect::SBasic), image_of(lines));
  EXPECT_EQ(listed.text, testing::shift_jis(expected));
  EXPECT_EQ(listed.reports, "");
}

TEST(Characters, StatementTextStopsAtAColonOutsideQuotes) {
  struct Case {
    std::string bytes;
    std::string written;
    char left;  // the next byte for the decoder
  };
  const Case cases[] = {
      {"1,\"A:B\",2:PRINT", "1,\"A:B\",2:", 'P'},
      {"\"OPEN:", "\"OPEN:", '\0'},  // an unmatched quote runs to the end of the line
      {std::string("HI\xA0", 3), "HI\xC0", '\0'},
  };
  for (const Case& c : cases) {
    const std::string line = c.bytes + '\0';
    ByteCursor cursor({reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
    Output out;
    copy_statement_text(cursor, out);
    EXPECT_EQ(out.text(), c.written);
    EXPECT_EQ(cursor.next_byte(), static_cast<std::uint8_t>(c.left));
  }
}

}  // namespace
}  // namespace detoken
