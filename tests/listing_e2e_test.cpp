// detoken's listings, run as a user runs it: the findings about a program,
// the dialects, every keyword code, the numbers, the examples and the real
// programs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e.h"
#include "tests/files.h"
#include "tests/image.h"
#include "tests/keyword_pairs.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

const std::string kAbnormal = console_text("異常なBASICファイルです\n");

// A small program and its listing.
const Bytes kProgram = image_of({{10, "\x8F \"HI\""}, {20, body({0x80, ' ', 0x0B, 0x0A, 0x00})}});

TEST(Listing, FindingsGoToStandardErrorAndTheRunSucceeds) {
  struct Case {
    const char* name;
    Bytes image;
    std::string listing;
    std::string err;
  };
  Bytes cut = kProgram;
  cut.resize(cut.size() - 4);  // inside line 20
  const Case cases[] = {
      {"syntax error",
       image_of({{10, "A"},
                 {300,
                  "B\x82"
                  "C"}}),
       "   10 A\n  300 B", console_text("Syntax error in 300 (82)\n")},
      {"two-byte syntax error", image_of({{7, "\xFE\xB5"}}), "    7 ", console_text("Syntax error in 7 (FE AF)\n")},
      {"data ending inside a line", cut, "   10 PRINT \"HI\"\n", kAbnormal},
      {"real running past the data", image_of({{10, "A"}, {20, body({0x8F, ' ', 0x15, 0x81})}}),
       "   10 A\n   20 PRINT ", kAbnormal},
      {"header only", header(), "", kAbnormal},
      {"empty program", image_of({}), "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Scratch scratch;
    scratch.write("a.mzt", c.image);
    expect_run(scratch.run({"a.mzt"}), {0, written("a.txt"), c.err});
    EXPECT_EQ(scratch.read("a.txt"), c.listing);
  }
  // A line that does not end in zero: the lines before it stay listed.
  Bytes bad_end = image_of({{10, "A"}, {20, "B"}});
  bad_end[128 + 6 + 5] = 'X';
  Scratch scratch;
  scratch.write("a.mzt", bad_end);
  expect_run(scratch.run({"a.mzt"}), {0, written("a.txt"), kAbnormal});
  EXPECT_EQ(scratch.read("a.txt"), "   10 A\n");
}

// A header of another BASIC's tapes than the one asked for is told, naming
// its option; the listing and the status are as they would be. Nothing is
// said when the header agrees, or tells nothing (attribute 05 loaded at 0).
TEST(Dialects, AHeaderOfAnotherBasicIsTold) {
  const Bytes sbasic = image_of({{10, "A"}});  // attribute 05
  Bytes told = sbasic;
  told[0x14] = 0xCF, told[0x15] = 0x6B;  // loaded at 6BCF: S-BASIC's
  Bytes mz80k = told;
  mz80k[0] = 0x02, mz80k[0x14] = 0x06, mz80k[0x15] = 0x48;  // 02, at 4806
  Scratch scratch;
  scratch.write("s.mzt", told);
  scratch.write("k.mzt", mz80k);
  scratch.write("n.mzt", sbasic);
  const std::string of_sbasic = "ヘッダはMZ-700のS-BASICのテープのものです(オプションを付けずに変換してください)\n";
  const std::string of_mz80k = "ヘッダはMZ-80KのBASIC(SP-5025)のテープのものです(-kを付けてください)\n";
  struct Case {
    std::vector<std::string> arguments;
    std::string said;
  };
  for (const Case& c : {Case{{"s.mzt"}, ""}, Case{{"-h", "s.mzt"}, ""}, Case{{"-k", "s.mzt"}, of_sbasic},
                        Case{{"k.mzt"}, of_mz80k}, Case{{"-k", "k.mzt"}, ""}, Case{{"-k", "n.mzt"}, ""}}) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    const RunResult result = scratch.run(c.arguments);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, written(c.arguments.back().substr(0, 1) + ".txt"));
    EXPECT_TRUE(result.err.ends_with(console_text(c.said))) << result.err;
    const std::size_t told = result.err.size() - console_text(c.said).size();
    EXPECT_EQ(result.err.find(console_text("ヘッダ")), c.said.empty() ? std::string::npos : told);
  }
}

TEST(Dialects, TheLastOfHAndSDecides) {
  // A2 is MODE in S-BASIC and WHILE in HuBASIC; 05 is a character in S-BASIC
  // and the digit 4 in HuBASIC.
  Scratch scratch;
  scratch.write("a.mzt", image_of({{10, body({0xA2, 0x05})}}));
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"a.mzt"}, "   10 MODE{05}\n"},
      {{"-h", "a.mzt"}, "   10 WHILE4\n"},
      {{"-h", "-s", "a.mzt"}, "   10 MODE{05}\n"},
      {{"-s", "a.mzt", "-h"}, "   10 WHILE4\n"},
      {{"-hx", "a.mzt"}, "   10 WHILE4\n"},
      {{"-h", "-sfoo", "a.mzt"}, "   10 MODE{05}\n"},
      {{"-o", "-h", "a.mzt"}, "   10 MODE{05}\n"},
  };
  for (const auto& [arguments, listing] : cases) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    const std::string output = arguments[0] == "-o" ? "-h" : "a.txt";
    expect_run(scratch.run(arguments), {0, written(output)});
    EXPECT_EQ(scratch.read(output), listing);
  }
}

// Every code of a dialect's keyword tables, through the program: one run
// lists a line per keyword; each code without one is a run of its own. Of
// the second bytes below and past a table, which the lister walks all, one
// of each kind: 30, and the two past the table's last code.
void walk_tables(const std::string& dialect_option, const Vocabulary& vocabulary) {
  std::vector<Line> keyword_lines;
  std::string listing;
  Scratch scratch;
  for (const Token& token : every_token(vocabulary)) {
    if (!token.keyword.empty()) {
      const auto number = static_cast<std::uint16_t>(keyword_lines.size() + 1);
      keyword_lines.push_back({number, token.bytes()});
      char line_number[8];
      std::snprintf(line_number, sizeof line_number, "%5u ", unsigned{number});
      listing += line_number + token.keyword + "\n";
      continue;
    }
    if (token.prefix != 0 && (token.code < 0x80 ? token.code != 0x30 : token.code > token.reported + 1)) continue;
    SCOPED_TRACE(code_name(token.prefix, token.code));
    scratch.write("a.mzt", image_of({{10, token.bytes()}}));
    const RunResult result = scratch.run({dialect_option, "a.mzt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, written("a.txt"));
    // The report, and what other BASICs with this header make of the code.
    EXPECT_TRUE(result.err.starts_with(console_text(token.report()))) << result.err;
    EXPECT_EQ(scratch.read("a.txt"), "   10 ");
  }
  scratch.write("a.mzt", image_of(keyword_lines));
  expect_run(scratch.run({dialect_option, "a.mzt"}), {0, written("a.txt")});
  EXPECT_EQ(scratch.read("a.txt"), listing);
}

TEST(Dialects, EveryKeywordCodeOfSBasic) { walk_tables("-s", kSBasic); }

TEST(Dialects, EveryKeywordCodeOfHuBasic) { walk_tables("-h", kHuBasic); }

TEST(Listing, NumbersAsPrintfWritesThem) {
  // Reals: one million, the seventh digit rounding the sixth up, an exact tie
  // of the sixth digit (to even), and a small number.
  const std::string reals = body({0x15, 0x94, 0x74, 0x24, 0,    0, ',', 0x15, 0x95, 0x16, 0xB4, 0x38, 0,   ',',
                                  0x15, 0x95, 0x16, 0xB4, 0x28, 0, ',', 0x15, 0x6A, 0x21, 0x0F, 0xAF, 0xA0});
  const std::string listed_reals = "1e+06,1.23457e+06,1.23456e+06,1.5e-07";
  Scratch scratch;
  scratch.write("s.mzt", image_of({{10, reals + body({',', 0x0B, 0xFF, 0xFF, ',', 0x11, 0xFF, 0x00})}}));
  expect_run(scratch.run({"s.mzt"}), {0, written("s.txt")});
  EXPECT_EQ(scratch.read("s.txt"), "   10 " + listed_reals + ",65535,$FF\n");
  // HuBASIC's own: a double whose low bytes lift the tie, and the words.
  scratch.write(
      "h.mzt",
      image_of({{10, reals + body({',',  0x18, 0x95, 0x16, 0xB4, 0x28, 0x00, 0x80, 0x00, 0x00, ',',  0x12, 0x00,
                                   0x80, ',',  0x0F, 0xFF, 0xFF, ',',  0x0D, 0x08, 0x00, ',',  0x0E, 0x05, 0x00})}}));
  expect_run(scratch.run({"-h", "h.mzt"}), {0, written("h.txt")});
  EXPECT_EQ(scratch.read("h.txt"), "   10 " + listed_reals + ",1.23457e+06,-32768,&HFFFF,&O10,&B101\n");
}

// With -x, reals as typed, with the digits that make them come back: more
// than six where needed (1.0027379, from a real program), the point and the
// zeros where a shorter text would be read as another kind of number in
// HuBASIC (a single real holding 5, a double holding 1.5).
TEST(Listing, ExactReals) {
  Scratch scratch;
  scratch.write("s.mzt", image_of({{10, body({0x15, 0x81, 0x00, 0x59, 0xB7, 0x2B, ',',  0x15, 0x6A, 0x21,
                                              0x0F, 0xAF, 0xA1, ',',  0x15, 0x94, 0x74, 0x24, 0x00, 0x00})}}));
  expect_run(scratch.run({"-x", "s.mzt"}), {0, written("s.txt")});
  EXPECT_EQ(scratch.read("s.txt"), "   10 1.0027379,1.5e-07,1e+06\n");
  scratch.write("h.mzt", image_of({{10, body({0x15, 0x83, 0x20, 0x00, 0x00, 0x00, ',', 0x18, 0x81, 0x40, 0x00, 0x00,
                                              0x00, 0x00, 0x00, 0x00, ',', 0x06})}}));
  expect_run(scratch.run({"-h", "-x", "h.mzt"}), {0, written("h.txt")});
  EXPECT_EQ(scratch.read("h.txt"), "   10 5.00000,1.5000000,5\n");
}

// The shipped examples list as their committed listings say.
TEST(Examples, ListAsCommitted) {
  const std::filesystem::path examples = examples_dir();
  for (const auto& [option, name] : {std::pair{"-s", "sbasic_demo"}, std::pair{"-h", "hubasic_demo"}}) {
    SCOPED_TRACE(name);
    Scratch scratch;
    std::filesystem::copy_file(examples / (std::string(name) + ".mzt"), scratch.dir() / "demo.mzt");
    expect_run(scratch.run({option, "demo.mzt"}), {0, written("demo.txt")});
    EXPECT_EQ(scratch.read("demo.txt"), read_file(examples / (std::string(name) + ".expected.txt")));
  }
}

// Line 70 of the S-BASIC example, "X=$C000:Y=$FF:Z=PEEK($1200)+0.5", and
// the bytes the machine stores for it (spelled out from the format: the
// hexadecimal words after code 11, PEEK as FF 89, 0.5 as the real 80 00 00
// 00 00): each program makes the one of the other.
TEST(Examples, HexadecimalConstantsAsStored) {
  const std::string text = "X=$C000:Y=$FF:Z=PEEK($1200)+0.5";
  const Bytes image =
      image_of({{70, body({'X',  0xF4, 0x11, 0x00, 0xC0, ':',  'Y', 0xF4, 0x11, 0xFF, 0x00, ':', 'Z', 0xF4,
                           0xFF, 0x89, '(',  0x11, 0x00, 0x12, ')', 0xF7, 0x15, 0x80, 0,    0,   0,   0})}});
  Scratch scratch;
  scratch.write("line.mzt", image);
  expect_run(scratch.run({"line.mzt"}), {0, written("line.txt")});
  EXPECT_EQ(scratch.read("line.txt"), "   70 " + text + "\n");
  expect_run(scratch.run({"-t", "line.mzt", "-o", "again.mzt", "line.txt"}, kRetoken), {0, written("again.mzt")});
  EXPECT_EQ(scratch.read("again.mzt").substr(128), std::string(image.begin() + 128, image.end()));
}

// Real programs saved on the machine (data/corpus): each lists every line
// with nothing on standard error.
TEST(Corpus, RealProgramsListCompletely) {
  for (const auto& [name, lines] : kCorpusPrograms) {
    SCOPED_TRACE(name);
    Scratch scratch;
    scratch.write("p.mzt", corpus_image(name));
    expect_run(scratch.run({"p.mzt"}), {0, written("p.txt")});
    const std::string listing = scratch.read("p.txt");
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), static_cast<long>(lines));
    EXPECT_EQ(listing.back(), '\n');
  }
}

// The real programs were written on European machines: listed with -e their
// texts read as English, in UTF-8 (-u) with the machine's graphics, and no
// line holds a half-width katakana (U+FF61 to U+FF9F, EF BD A1 to EF BE 9F).
TEST(Corpus, EuropeanProgramsReadAsEnglish) {
  const std::pair<const char*, const char*> phrases[] = {
      {"drinking_game_v2", "Drinking game puzzle"},
      {"gnu_blat_2000", "have donated £335 so far!"},
      {"gnu_blat_2000", "↑     Brake"},
      {"moonlander_v4", "Moonlander v4 30 August 2021"},
      {"sunrise_v2", "Sunrise & sunset program"},
      {"advent_2021_25_v6", "Advent of code 2021-25"},
  };
  for (const auto& [name, phrase] : phrases) {
    SCOPED_TRACE(name);
    Scratch scratch;
    scratch.write("p.mzt", corpus_image(name));
    expect_run(scratch.run({"-e", "-u", "p.mzt"}), {0, "'p.txt'を出力しました\r\n"});
    const std::string listing = scratch.read("p.txt");
    EXPECT_NE(listing.find(phrase), std::string::npos) << phrase;
    EXPECT_EQ(listing.find("\xEF\xBD"), std::string::npos);
    EXPECT_EQ(listing.find("\xEF\xBE"), std::string::npos);
  }
}

}  // namespace
}  // namespace detoken::testing
