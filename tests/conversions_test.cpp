// The conversions both front ends share, and the page's entry over them,
// natively: what the page shows and downloads is made here.

#include "convert/conversions.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/image.h"
#include "web/converter.h"

namespace detoken {
namespace {

using std::string_literals::operator""s;

// A kept tape: attribute 05, the name "OLD", a size that is wrong on
// purpose, addresses and a comment byte of its own; then a program.
const std::string kKeptHeader = "\x05OLD\x0D" + std::string(13, ' ') + "\x99\x99\x34\x12\x78\x56"s +
                                std::string(100, '\0') + "\x7E" + std::string(3, '\0');
const std::string kListing = "10 PRINT\n20 END\n";
// 10 PRINT and 20 END in the machine's bytes, and the end marker: 14 bytes.
const std::string kProgram = "\x06\x00\x0A\x00\x8F\x00\x06\x00\x14\x00\x98\x00\x00\x00"s;

std::span<const std::uint8_t> bytes_of(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The kept header's every byte, but the size (and the name when one is
// given): the console's -t and the page's download alike.
TEST(Conversions, KeptHeaderTakesTheProgramsSize) {
  const std::string size = "\x0E\x00"s;  // kProgram's 14 bytes
  const std::string expected = kKeptHeader.substr(0, 0x12) + size + kKeptHeader.substr(0x14) + kProgram;
  const MadeTape made = make_tape(kListing, {.listing_name = "p.txt"}, bytes_of(kKeptHeader + "\x01\x02"));
  ASSERT_TRUE(made.made) << made.reports;
  EXPECT_EQ(made.image, expected);
  const web::Tape page = web::make_tape(kListing, "p.txt", kKeptHeader, {});
  ASSERT_TRUE(page.made) << page.messages;
  EXPECT_EQ(page.image, expected);
  const MadeTape renamed = make_tape(kListing, {.listing_name = "p.txt", .tape_name = "NEW"}, bytes_of(kKeptHeader));
  EXPECT_EQ(renamed.image.substr(1, 17), "NEW\x0D" + std::string(13, ' '));
  EXPECT_EQ(renamed.image.substr(0x12), expected.substr(0x12));
}

// Without a kept tape, a new header of the dialect's, named after the
// listing as retoken names it; a listing that cannot be made says where.
TEST(Conversions, NewTapesAndFaults) {
  const web::Tape tape = web::make_tape(kListing, "game v2.txt", "", {});
  ASSERT_TRUE(tape.made);
  EXPECT_EQ(tape.image.substr(0, 0x18), "\x05GAME V2\x0D" + std::string(9, ' ') + "\x0E\x00\xCF\x6B\x00\x00"s);
  const web::Tape refused = web::make_tape("10 PRINT\nX\n", "p.txt", "", {});
  EXPECT_FALSE(refused.made);
  EXPECT_EQ(refused.line, 2u);
  EXPECT_EQ(refused.column, 1u);
  EXPECT_EQ(refused.messages, "p.txt:2:1: 行番号がありません\n");
}

// The page's listing: the text and the findings as detoken's, and what the
// header says of the file.
TEST(Conversions, PageListsAsDetoken) {
  const std::string image = kKeptHeader + kProgram;
  const web::Listing listing = web::list_tape(bytes_of(image), {}, Encoding::Utf8);
  EXPECT_EQ(listing.text, "   10 PRINT\n   20 END\n");
  EXPECT_EQ(listing.findings, "");
  EXPECT_EQ(listing.kind, web::FileKind::BasicTape);
  EXPECT_EQ(listing.tape_name, "OLD");
  const web::Listing cut = web::list_tape(bytes_of(image.substr(0, image.size() - 2)), {}, Encoding::Utf8);
  EXPECT_EQ(cut.text, "   10 PRINT\n   20 END\n");
  EXPECT_EQ(cut.findings, "異常なBASICファイルです\n");
  EXPECT_EQ(web::list_tape(bytes_of("\x01" + image.substr(1)), {}, Encoding::Utf8).kind, web::FileKind::OtherTape);
  EXPECT_EQ(web::list_tape(bytes_of("\x05\x00"s), {}, Encoding::Utf8).kind, web::FileKind::TooShort);
}

}  // namespace
}  // namespace detoken
