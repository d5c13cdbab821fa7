// The pieces of the lister: cursor, line walker, characters and numbers.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "lister/byte_cursor.h"
#include "lister/characters.h"
#include "lister/dialects/sbasic.h"
#include "lister/line_walker.h"
#include "lister/numbers.h"
#include "tests/image.h"
#include "tests/listing.h"
#include "tests/run_program.h"

namespace detoken {
namespace {

using testing::body;
using testing::Bytes;
using testing::image_of;

using testing::Listed;
const std::string kAbnormal = testing::kAbnormalReport;

Listed list_sbasic(const Bytes& image) { return testing::list(decode_sbasic_item, image); }

std::string bytes_of(std::string_view hex_pairs) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex_pairs.size(); i += 3) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex_pairs.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
}

TEST(ByteCursor, ReadsWordsLowByteFirstAndStopsAtTheEnd) {
  const std::uint8_t data[] = {0x34, 0x12, 0x56};
  ByteCursor cursor(data);
  EXPECT_EQ(cursor.next_word(), 0x1234);
  EXPECT_EQ(cursor.peek_byte(), 0x56);
  EXPECT_EQ(cursor.next_word(), 0);  // only one byte left: nothing is read
  EXPECT_TRUE(cursor.exhausted());
  EXPECT_EQ(cursor.next_byte(), 0);
  EXPECT_TRUE(cursor.is_zero_at(-1) == false);
}

TEST(ByteCursor, LooksAtBytesAroundThePosition) {
  const std::uint8_t data[] = {0x00, 0x07, 0x00};
  ByteCursor cursor(data);
  cursor.next_byte();
  EXPECT_TRUE(cursor.is_zero_at(-1));
  EXPECT_FALSE(cursor.is_zero_at(0));
  EXPECT_TRUE(cursor.is_zero_at(1));
  EXPECT_FALSE(cursor.is_zero_at(2));   // past the end
  EXPECT_FALSE(cursor.is_zero_at(-2));  // before the start
}

TEST(LineWalker, WritesLineNumbersInFiveColumns) {
  const Listed listed = list_sbasic(image_of({{10, "\x8F \"A\""}, {0, "A"}, {65535, ""}}));
  EXPECT_EQ(listed.text, "   10 PRINT \"A\"\n    0 A\n65535 \n");
  EXPECT_EQ(listed.reports, "");
}

TEST(LineWalker, EmptyProgramListsNothing) {
  const Listed listed = list_sbasic(image_of({}));
  EXPECT_EQ(listed.text, "");
  EXPECT_EQ(listed.reports, "");
}

TEST(LineWalker, LineNotEndingInZeroIsAbnormal) {
  Bytes image = image_of({{10, "A"}, {20, "B"}, {30, "C"}});
  image[128 + 6 + 5] = 'X';  // the terminator of line 20
  const Listed listed = list_sbasic(image);
  EXPECT_EQ(listed.text, "   10 A\n");
  EXPECT_EQ(listed.reports, kAbnormal);
}

TEST(LineWalker, ZeroInsideTheBodyEndsTheLineAndTheRestIsTheNextHeader) {
  // Line 10 claims 10 bytes; its body ends early, and the bytes 06 00 14 00 42
  // that follow are read as a line of length 6, number 20, body B.
  Bytes image = testing::header();
  const std::string line = body({0x0A, 0x00, 0x0A, 0x00, 'A', 0x00, 0x06, 0x00, 0x14, 0x00});
  image.insert(image.end(), line.begin(), line.end());
  for (const unsigned byte : {0x42, 0x00, 0x00, 0x00}) image.push_back(static_cast<std::uint8_t>(byte));
  // The first line's check looks at its own last byte (offset 9: 00).
  image[128 + 9] = 0;
  const Listed listed = list_sbasic(image);
  EXPECT_EQ(listed.text, "   10 A\n   20 B\n");
  EXPECT_EQ(listed.reports, "");
}

TEST(LineWalker, DataEndingEarlyIsAbnormalAndKeepsWhatWasListed) {
  struct Case {
    const char* name;
    Bytes image;
    std::string text;
  };
  Bytes no_end_marker = image_of({{10, "A"}});
  no_end_marker.resize(no_end_marker.size() - 2);
  Bytes half_end_marker = image_of({{10, "A"}});
  half_end_marker.pop_back();
  const Case cases[] = {
      {"empty file", {}, ""},
      {"header only", testing::header(), ""},
      {"no end marker", no_end_marker, "   10 A\n"},
      {"one byte of the end marker", half_end_marker, "   10 A\n"},
  };
  for (const Case& c : cases) {
    const Listed listed = list_sbasic(c.image);
    EXPECT_EQ(listed.text, c.text) << c.name;
    EXPECT_EQ(listed.reports, kAbnormal) << c.name;
  }
}

TEST(LineWalker, EveryPrefixOfAProgramListsAPrefixOfItsListing) {
  testing::expect_every_prefix_lists_a_prefix(
      decode_sbasic_item,
      image_of({
          {10, body({0x97, 'H', 'I', ':', 'A', 0xF4, 0x15, 0x81, 0x00, 0x00, 0x00, 0x00})},
          {20, body({0x81, ' ', 0x0B, 0x64, 0x00, ':', 0x11, 0xFF, 0x00, ':', 0xFF, 0xA0, '"', 'Z', '"'})},
          {30, body({0x94, '1', ',', '"', 'A', ':', '"', 0xFE, 0xA2})},
      }));
}

// Long runs of text cross the copiers' chunks and the output's blocks; the
// listing written to a file block by block is the one held in memory.
TEST(Output, LongTextThroughBlocksAndChunks) {
  std::string rem = "\x97";
  std::string expected = "   10 REM";
  for (int i = 0; i < 60000; ++i) {
    const auto code = static_cast<char>(0x81 + i % 0x3F);
    rem.push_back(code);
    expected.push_back(static_cast<char>(code + 0x20));
  }
  std::vector<testing::Line> lines{{10, rem}};
  expected += "\n";
  for (std::uint16_t n = 11; n < 3000; ++n) {
    lines.push_back({n, "\x8F\"" + std::string(40, 'X') + "\""});
    char line[16];
    std::snprintf(line, sizeof line, "%5u ", unsigned{n});
    expected += line + std::string("PRINT\"") + std::string(40, 'X') + "\"\n";
  }
  const Bytes image = image_of(lines);
  EXPECT_EQ(list_sbasic(image).text, expected);

  std::FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  Output out(file);
  list_program(image, out, decode_sbasic_item);
  ASSERT_TRUE(out.flush());
  std::string written(expected.size() + 1, '\0');
  std::rewind(file);
  written.resize(std::fread(written.data(), 1, written.size(), file));
  std::fclose(file);
  EXPECT_EQ(written, expected);
}

#ifndef NDEBUG
// The limits the fast paths rely on are checked in a debug build: asking for
// more room than a block, or skipping past the loaded bytes, stops the run.
TEST(ContractsDeathTest, OutputRoomAndCursorSkip) {
  Output out;
  EXPECT_DEATH(out.reserve(Output::kBlockSize + 1), "count <= kBlockSize");
  const std::uint8_t data[] = {1, 2, 3};
  ByteCursor cursor(data);
  cursor.next_byte();
  EXPECT_DEATH(cursor.skip(3), "count <= bytes_.size\\(\\) - position_");
}
#endif

// A finding is reported only once what was listed before it is in the file.
TEST(Output, ListingReachesTheFileBeforeAReport) {
  static std::FILE* file;
  static long long size_at_report;
  file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  Output out(file, [](std::string_view) {
    struct stat status {};
    size_at_report = fstat(fileno(file), &status) == 0 ? status.st_size : -1;
  });
  list_program(image_of({{10, "A"}, {20, "\x82"}}), out, decode_sbasic_item);
  std::fclose(file);
  EXPECT_EQ(size_at_report, static_cast<long long>(std::strlen("   10 A\n   20 ")));
}

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
  const Listed listed = list_sbasic(image_of(lines));
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

std::string real_text(double (*read)(ByteCursor&), std::string_view hex_pairs) {
  const std::string bytes = bytes_of(hex_pairs);
  ByteCursor cursor({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  Output out;
  write_real(out, read(cursor));
  EXPECT_FALSE(cursor.exhausted());
  EXPECT_EQ(cursor.next_byte(), 0) << "consumed more or less than the real";
  return std::string(out.text());
}

TEST(Numbers, SingleReals) {
  const std::pair<const char*, const char*> cases[] = {
      {"81 00 00 00 00", "1"},           {"80 00 00 00 00", "0.5"},
      {"82 A0 00 00 00", "-2.5"},        {"84 20 00 00 00", "10"},
      {"00 FF 12 34 56", "0"},           {"94 74 24 00 00", "1e+06"},
      {"91 43 50 00 00", "100000"},      {"95 16 B4 38 00", "1.23457e+06"},
      {"95 16 B4 28 00", "1.23456e+06"},  // exactly 1234565: the tie goes to the even digit
      {"95 16 B4 48 00", "1.23457e+06"},  // 1234569
      {"6A 21 0F AF A0", "1.5e-07"},     {"73 51 B7 17 59", "0.0001"},
      {"FF 7F FF FF FF", "1.70141e+38"}, {"01 80 00 00 00", "-2.93874e-39"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(real_text(read_single_real, bytes), text) << bytes;
}

TEST(Numbers, DoubleRealsRoundTheirMantissaOnce) {
  const std::pair<const char*, const char*> cases[] = {
      {"81 00 00 00 00 00 00 01", "1"},
      {"00 12 34 56 78 9A BC DE", "0"},
      {"84 20 00 00 00 00 00 00", "10"},
      // 1234565 and a little: the low bytes lift the tie of the sixth digit.
      {"95 16 B4 28 00 80 00 00", "1.23457e+06"},
      // Half a unit of the double's last place above 1234565: rounded to
      // even, it is the tie again.
      {"95 16 B4 28 00 00 00 04", "1.23456e+06"},
      // One and a half units: rounded up, off the tie.
      {"95 16 B4 28 00 00 00 0C", "1.23457e+06"},
      // A little below 1234565, but within half a unit: the tie again.
      {"95 16 B4 27 FF FF FF FF", "1.23456e+06"},
      {"81 80 00 00 00 00 00 00", "-1"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(real_text(read_double_real, bytes), text) << bytes;
}

TEST(Numbers, Words) {
  const auto text = [](void (*write)(Output&, std::uint16_t), std::uint16_t word) {
    Output out;
    write(out, word);
    return std::string(out.text());
  };
  EXPECT_EQ(text(write_unsigned, 0), "0");
  EXPECT_EQ(text(write_unsigned, 0xFFFF), "65535");
  EXPECT_EQ(text(write_signed, 0x8000), "-32768");
  EXPECT_EQ(text(write_signed, 0x7FFF), "32767");
  EXPECT_EQ(text(write_signed, 0xFFFF), "-1");
  EXPECT_EQ(text([](Output& o, std::uint16_t w) { write_hex(o, "&H", w); }, 0x00FF), "&HFF");
  EXPECT_EQ(text([](Output& o, std::uint16_t w) { write_hex(o, "", w); }, 0x1000), "1000");
  EXPECT_EQ(text([](Output& o, std::uint16_t w) { write_hex(o, "", w); }, 0), "0");
  EXPECT_EQ(text(write_octal, 0x0008), "&O10");
  EXPECT_EQ(text(write_octal, 0xFFFF), "&O177777");
  EXPECT_EQ(text(write_binary, 0), "&B0");
  EXPECT_EQ(text(write_binary, 1), "&B1");
  EXPECT_EQ(text(write_binary, 5), "&B101");
  EXPECT_EQ(text(write_binary, 0x8000), "&B1000000000000000");
  EXPECT_EQ(text(write_binary, 0xFFFF), "&B1111111111111111");
}

}  // namespace
}  // namespace detoken
