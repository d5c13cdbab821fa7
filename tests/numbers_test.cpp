// Numeric constants: the machine's reals read and written as "%g", and the
// words in their notations.

#include "lister/numbers.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "format/byte_cursor.h"
#include "lister/output.h"

namespace detoken {
namespace {

std::string bytes_of(std::string_view hex_pairs) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex_pairs.size(); i += 3) {
    bytes.push_back(static_cast<char>(std::stoi(std::string(hex_pairs.substr(i, 2)), nullptr, 16)));
  }
  return bytes;
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
