// Tapes of the other machines' BASICs, both ways, as a user runs the
// programs on them.

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

using std::string_literals::operator""s;

// The MZ-80K's BASIC both ways (-k): its header (attribute 02, load address
// 4806), lines ended by 0D, numbers as typed, the European set's letters.
TEST(Retoken, Mz80kTapesBothWays) {
  const std::string image =
      "\x02"
      "GAME\x0D" +
      std::string(12, ' ') + "\x1D\x00\x06\x48"s + std::string(106, '\0') +
      "\x12\x00\x0A\x00\x85\x20\x22\xB8\xA6\x22\x3B\xD0\x31\x29\xCF\x2E\x35\x0D"
      "\x09\x00\x14\x00\x89\x20\x31\x30\x0D\x00\x00"s;
  const std::string listing = "   10 PRINT \"li\";RND(1)^.5\n   20 GOTO 10\n";
  Scratch scratch;
  scratch.write("game.mzt", image);
  expect_run(scratch.run({"-k", "-e", "-o", "game.txt", "game.mzt"}), {0, written("game.txt")});
  EXPECT_EQ(scratch.read("game.txt"), listing);
  scratch.write("game.txt", "20 goto 10\n10 print \"li\";rnd(1)^.5\n");
  expect_run(scratch.run({"-k", "-e", "-o", "new.mzt", "game.txt"}, kRetoken),
             {0, written("new.mzt"), console_text("game.txt: 並べ替えた行: 1、置き換えた行: 0、削除した行: 0\n")});
  EXPECT_EQ(scratch.read("new.mzt"), image);
}

// The MZ-800's BASIC both ways (-m): its header (attribute 05, load and
// execution address 0000), its European letters, a line of machine code;
// listed as S-BASIC, it stops where the dialect's own code stands, naming
// the option.
TEST(Retoken, Mz800TapesBothWays) {
  const std::string image = "\x05GAME\x0D" + std::string(12, ' ') + "\x18\x00"s + std::string(108, '\0') +
                            "\x0D\x00\x0A\x00\x8F\x22\x9D\xB7\x22\x3A\xC2\x9B\x00"
                            "\x09\x00\x14\x00\x00\x3E\xC9\x00\x00\x00\x00"s;
  const std::string listing = "   10 PRINT\"ro\"ELSECLS\n   20 {00}{3E}{C9}{00}\n";
  Scratch scratch;
  scratch.write("game.mzt", image);
  expect_run(scratch.run({"-m", "-e", "game.mzt"}), {0, written("game.txt")});
  EXPECT_EQ(scratch.read("game.txt"), listing);
  expect_run(scratch.run({"-m", "-e", "-o", "new.mzt", "game.txt"}, kRetoken), {0, written("new.mzt")});
  EXPECT_EQ(scratch.read("new.mzt"), image);
  expect_run(scratch.run({"-e", "-o", "s.txt", "game.mzt"}),
             {0, written("s.txt"),
              console_text("Syntax error in 10 (C2)\nMZ-800のBASICではこのコードはELSEです(-mを付けてください)\n")});
}

}  // namespace
}  // namespace detoken::testing
