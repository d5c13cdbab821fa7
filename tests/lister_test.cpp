// The pieces of the lister: the cursor, the line walker and the output.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "format/byte_cursor.h"
#include "lister/characters.h"
#include "lister/decoding.h"
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

Listed list_sbasic(const Bytes& image) { return testing::list(decoder_for(Dialect::SBasic), image); }

TEST(ByteCursor, ReadsWordsLowByteFirstAndStopsAtTheEnd) {
  const std::uint8_t data[] = {0x34, 0x12, 0x56};
  ByteCursor cursor(data);
  EXPECT_EQ(cursor.next_word(), 0x1234);
  EXPECT_EQ(cursor.peek_byte(), 0x56);
  EXPECT_EQ(cursor.next_word(), 0);  // only one byte left: nothing is read
  EXPECT_TRUE(cursor.exhausted());
  EXPECT_EQ(cursor.next_byte(), 0);
  EXPECT_TRUE(cursor.holds_at(-1, 0) == false);
}

TEST(ByteCursor, LooksAtBytesAroundThePosition) {
  const std::uint8_t data[] = {0x00, 0x07, 0x00};
  ByteCursor cursor(data);
  cursor.next_byte();
  EXPECT_TRUE(cursor.holds_at(-1, 0));
  EXPECT_FALSE(cursor.holds_at(0, 0));
  EXPECT_TRUE(cursor.holds_at(1, 0));
  EXPECT_FALSE(cursor.holds_at(2, 0));   // past the end
  EXPECT_FALSE(cursor.holds_at(-2, 0));  // before the start
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
      decoder_for(Dialect::SBasic),
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
  list_program(image, out, decoder_for(Dialect::SBasic));
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
  list_program(image_of({{10, "A"}, {20, "\x82"}}), out, decoder_for(Dialect::SBasic));
  std::fclose(file);
  EXPECT_EQ(size_at_report, static_cast<long long>(std::strlen("   10 A\n   20 ")));
}

}  // namespace
}  // namespace detoken
