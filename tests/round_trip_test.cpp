// Listings through the tokenizer and back through the lister: what the
// lister writes reads back as what it was, and the real programs come back
// as the machine stored them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>

#include "format/reals.h"
#include "lister/numbers.h"
#include "tape/image_format.h"
#include "tests/files.h"
#include "tests/image.h"
#include "tests/listing_generator.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

// Any single real %g writes reads back to bytes that list as the same text.
TEST(RealEncoding, SixDigitsComeBackThroughTheLister) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-37, 37);
  for (int i = 0; i < 20000; ++i) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", mantissa(random) * std::pow(10.0, exponent(random)));
    std::string body;
    ListingFault fault{};
    ASSERT_TRUE(tokenize_line(text, Dialect::SBasic, body, fault)) << text;
    ASSERT_EQ(body[0], '\x15') << text;
    const testing::Listed relisted = testing::list_program_area(
        [&] {
          std::string p;
          tape::append_line(p, 1, body);
          tape::append_end(p);
          return p;
        }(),
        Dialect::SBasic);
    EXPECT_EQ(relisted.text, std::string("    1 ") + text + "\n");
  }
}

// Whole numbers below 2^16, the commonest constants, are stored as the
// machine's conversion of their digits, step by step, stores them.
TEST(RealEncoding, WholeNumbersAsTheirDigitsConvert) {
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const std::string digits = std::to_string(value);
    std::uint8_t real[kSingleRealSize];
    ASSERT_EQ(encode_real({digits, 0}, real), RealStatus::Stored);
    const std::string expected = std::string(1, '\x15') + std::string(real, real + kSingleRealSize);
    std::string body;
    ListingFault fault{};
    ASSERT_TRUE(tokenize_line(digits, Dialect::SBasic, body, fault));
    ASSERT_EQ(body, expected) << digits;
    // HuBASIC stores those above its signed words as reals too.
    if (value < 0x8000) continue;
    body.clear();
    ASSERT_TRUE(tokenize_line(digits, Dialect::HuBasic, body, fault));
    ASSERT_EQ(body, expected) << digits;
  }
}

// Random listings of both dialects, in every character mode: tokenized,
// listed and tokenized again, they settle after one pass.
TEST(RoundTrip, GeneratedListingsSettleAfterOnePass) {
  struct Seeded {
    std::mt19937 random{11};
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random); }
  } source;
  for (const Dialect dialect : {Dialect::SBasic, Dialect::HuBasic}) {
    for (const CharSet set : {CharSet::Japanese, CharSet::European}) {
      for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
        const ListingOptions options(dialect, {set, encoding});
        testing::ListingGenerator<Seeded> generator(options, source);
        for (int i = 0; i < 1000; ++i) {
          const std::string listing = generator.listing(8);
          const std::string failure = testing::check_settles(listing, options);
          ASSERT_EQ(failure, "") << listing;
        }
      }
    }
  }
}

// Decimal texts of every shape, stored as the machine stores them, listed
// with exact reals and read back: the same bytes, and the same listing again.
TEST(RoundTrip, ExactRealsComeBackAsTheSameBytes) {
  std::mt19937 random(15);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (const Dialect dialect : {Dialect::SBasic, Dialect::HuBasic}) {
    for (int i = 0; i < 20000; ++i) {
      std::string digits;
      for (int count = 1 + pick(10); count > 0; --count) digits.push_back(static_cast<char>('0' + pick(10)));
      std::string text = digits;
      if (pick(2) != 0) text.insert(static_cast<std::size_t>(pick(static_cast<int>(digits.size()) + 1)), ".");
      if (text == ".") text = "0.";
      if (pick(3) == 0) text += "E" + std::string(pick(2) != 0 ? "-" : "") + std::to_string(pick(39));
      std::string stored;
      ListingFault fault{};
      if (!tokenize_line(text, dialect, stored, fault)) continue;  // too large
      std::string program;
      tape::append_line(program, 10, stored);
      tape::append_end(program);
      const testing::Listed listed = testing::list_program_area(program, dialect, {.exact_reals = true});
      ASSERT_EQ(listed.reports, "") << text;
      std::string again;
      ASSERT_TRUE(tokenize_listing(listed.text, dialect, again, fault)) << text << " listed as " << listed.text;
      EXPECT_EQ(again, program) << text << " listed as " << listed.text;
    }
  }
}

// Every word as S-BASIC's hexadecimal: code 11 and the word, listed as typed
// (upper-case digits, no leading zeros).
TEST(RoundTrip, EveryHexadecimalWord) {
  for (unsigned word = 0; word <= 0xFFFF; ++word) {
    char text[8];
    std::snprintf(text, sizeof text, "$%X", word);
    std::string stored;
    ListingFault fault{};
    ASSERT_TRUE(tokenize_line(text, Dialect::SBasic, stored, fault)) << text;
    const char expected[] = {0x11, static_cast<char>(word & 0xFF), static_cast<char>(word >> 8)};
    ASSERT_EQ(stored, std::string(expected, 3)) << text;
    std::string program;
    tape::append_line(program, 10, stored);
    tape::append_end(program);
    ASSERT_EQ(testing::list_program_area(program, Dialect::SBasic).text, std::string("   10 ") + text + "\n");
  }
}

// The program lines of a program text area, by their line numbers.
std::map<unsigned, std::string_view> lines_of(std::string_view program) {
  std::map<unsigned, std::string_view> lines;
  while (program.size() >= tape::kLineOverhead) {
    const unsigned length = tape::word_at(program.data());
    if (length == 0 || length > program.size()) break;
    lines.emplace(tape::word_at(program.data() + tape::kWordSize), program.substr(0, length));
    program.remove_prefix(length);
  }
  return lines;
}

// The real programs: the bytes read back from their listings are the bytes
// the machine stored, line for line, and the listing is the same again.
// Listed with exact reals, every line comes back; listed with "%g", all but
// those holding reals typed with more digits than six.
TEST(RoundTrip, RealProgramsComeBackAsTheMachineStoredThem) {
  const std::map<std::string, std::set<unsigned>> more_than_six_digits = {
      {"sunrise_v2", {230, 840, 870, 930, 1120, 1130}},  // 1.0027379, 1721027, 8640184.8125 ...
  };
  for (const bool exact : {false, true}) {
    SCOPED_TRACE(exact ? "exact reals" : "\"%g\"");
    std::size_t differing = 0, lines = 0;
    for (const auto& [name, line_count] : testing::kCorpusPrograms) {
      SCOPED_TRACE(name);
      const std::string stored = testing::corpus_image(name).substr(tape::kHeaderSize);
      const testing::Listed listed = testing::list_program_area(stored, Dialect::SBasic, {.exact_reals = exact});
      std::string program;
      ListingFault fault{};
      ASSERT_TRUE(tokenize_listing(listed.text, Dialect::SBasic, program, fault)) << "line " << fault.line;
      EXPECT_EQ(testing::list_program_area(program, Dialect::SBasic, {.exact_reals = exact}).text, listed.text);
      const std::map<unsigned, std::string_view> expected = lines_of(stored);
      const std::map<unsigned, std::string_view> made = lines_of(program);
      ASSERT_EQ(made.size(), expected.size());
      EXPECT_EQ(expected.size(), line_count);
      const auto found = more_than_six_digits.find(name);
      for (const auto& [number, line] : expected) {
        const bool differs = made.at(number) != line;
        differing += differs;
        ++lines;
        const bool may_differ = !exact && found != more_than_six_digits.end() && found->second.count(number) != 0;
        EXPECT_EQ(differs, may_differ) << "line " << number;
      }
      if (exact) {
        EXPECT_EQ(program, stored) << "the whole program area";
      }
    }
    std::printf("%s: %zu of %zu lines come back as stored\n", exact ? "exact reals" : "%g", lines - differing, lines);
    EXPECT_EQ(lines, 1046u);
  }
}

}  // namespace
}  // namespace detoken
