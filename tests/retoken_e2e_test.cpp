// retoken, run as a user runs it: listings back into tape images, byte for
// byte, its refusals, and its messages.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

#include "tests/e2e.h"
#include "tests/files.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

using std::string_literals::operator""s;

// A header as the machine writes one, spelled out: attribute 05, the name
// ended by 0D and padded with spaces to 17 bytes, the size, load address
// 6BCF, execution address 0, zeros.
std::string header(const std::string& name, unsigned size) {
  std::string bytes = "\x05" + name + "\x0D" + std::string(16 - name.size(), ' ');
  bytes += {static_cast<char>(size & 0xFF), static_cast<char>(size >> 8), '\xCF', '\x6B'};
  return bytes + std::string(128 - bytes.size(), '\0');
}

// The examples both ways: each listing makes an image with the header the
// machine writes (spelled out here) that lists as the listing again, and so
// does the committed image.
TEST(Retoken, ExamplesBothWays) {
  const std::filesystem::path examples = examples_dir();
  for (const auto& [option, name, tape_name] :
       {std::tuple{"-s", "sbasic_demo", "SBASIC DEMO"}, std::tuple{"-h", "hubasic_demo", "HUBASIC DEMO"}}) {
    SCOPED_TRACE(name);
    Scratch scratch;
    const std::string listing = read_file(examples / (std::string(name) + ".expected.txt"));
    scratch.write("demo.txt", listing);
    EXPECT_EQ(scratch.run({option, "-n", tape_name, "demo.txt"}, kRetoken).out, written("demo.mzt"));
    const std::string image = scratch.read("demo.mzt");
    EXPECT_EQ(image.substr(0, 128), header(tape_name, static_cast<unsigned>(image.size() - 128)));
    EXPECT_EQ(scratch.run({option, "-o", "again.txt", "demo.mzt"}).out, written("again.txt"));
    EXPECT_EQ(scratch.read("again.txt"), listing);
    scratch.write("shipped.mzt", read_file(examples / (std::string(name) + ".mzt")));
    EXPECT_EQ(scratch.run({option, "-o", "shipped.txt", "shipped.mzt"}).out, written("shipped.txt"));
    EXPECT_EQ(scratch.read("shipped.txt"), listing);
  }
}

// The real programs, listed with exact reals (in each of the character
// modes their European authors would use), made back into images and listed
// again: the same listing, and the image the machine wrote but for the name
// in its header.
TEST(Retoken, RealProgramsComeBackWithExactReals) {
  for (const std::vector<std::string>& mode : {std::vector<std::string>{"-x"}, {"-x", "-e"}, {"-x", "-e", "-u"}}) {
    SCOPED_TRACE(::testing::PrintToString(mode));
    const auto with_mode = [&](std::vector<std::string> arguments) {
      arguments.insert(arguments.begin(), mode.begin(), mode.end());
      return arguments;
    };
    const std::string written_q = mode.size() == 3 ? "'q.mzt'を出力しました\r\n" : written("q.mzt");
    for (const auto& [name, lines] : kCorpusPrograms) {
      SCOPED_TRACE(name);
      Scratch scratch;
      scratch.write("p.mzt", corpus_image(name));
      ASSERT_EQ(scratch.run(with_mode({"-o", "p.txt", "p.mzt"})).status, 0);
      EXPECT_EQ(scratch.run(with_mode({"-o", "q.mzt", "p.txt"}), kRetoken).out, written_q);
      ASSERT_EQ(scratch.run(with_mode({"-o", "q.txt", "q.mzt"})).status, 0);
      EXPECT_EQ(scratch.read("q.txt"), scratch.read("p.txt"));
      const std::string original = scratch.read("p.mzt");
      EXPECT_EQ(scratch.read("q.mzt").substr(0x12), original.substr(0x12)) << "all but the name: the same bytes";
      // With the tape's own header kept, the whole image.
      EXPECT_EQ(scratch.run(with_mode({"-t", "p.mzt", "-o", "t.mzt", "p.txt"}), kRetoken).status, 0);
      EXPECT_EQ(scratch.read("t.mzt"), original);
    }
  }
}

TEST(Retoken, NamesAndRefusals) {
  const std::string listing = "   10 PRINT \"HI\"\n   20 GOTO 10\n";
  const std::string program = "\x0B\x00\x0A\x00\x8F\x20\x22HI\x22\x00\x0A\x00\x14\x00\x80\x20\x0B\x0A\x00\x00\x00\x00"s;
  Scratch scratch;
  scratch.write("game v2.txt", listing);
  // The default names: the image beside the listing, the tape name from it.
  EXPECT_EQ(scratch.run({"game v2.txt"}, kRetoken).out, written("game v2.mzt"));
  EXPECT_EQ(scratch.read("game v2.mzt"), header("GAME V2", 23) + program);
  // Never over an existing file without -f, never over the listing.
  scratch.write("game v2.mzt", "old");
  const RunResult refused = scratch.run({"-n", "X", "game v2.txt"}, kRetoken);
  EXPECT_EQ(refused.status, kFailure);
  EXPECT_EQ(refused.out, console_text("'game v2.mzt'は既にあります(置き換えるには-fを付けてください)\n"));
  EXPECT_EQ(scratch.read("game v2.mzt"), "old");
  // A name typed as the listing writes characters: katakana 81-BF, {13}, 日
  // 70 (a Windows build takes it in the ANSI code page: see
  // JapaneseNamesInCodePage932); 16 codes at most, the rest cut.
  if (!testing_windows_build()) {
    EXPECT_EQ(scratch.run({"-f", "-n", shift_jis(kTypedName), "game v2.txt"}, kRetoken).out, written("game v2.mzt"));
    EXPECT_EQ(scratch.read("game v2.mzt"), header(kTypedNameCodes, 23) + program);
  }
  for (const std::string name : {"SIXTEEN LETTERS!", "SIXTEEN LETTERS!?"}) {
    EXPECT_EQ(scratch.run({"-f", "-n", name, "game v2.txt"}, kRetoken).out, written("game v2.mzt"));
    EXPECT_EQ(scratch.read("game v2.mzt"), header("SIXTEEN LETTERS!", 23) + program);
  }
  EXPECT_EQ(scratch.run({"-f", "-o", "./game v2.txt", "game v2.txt"}, kRetoken).out,
            console_text("出力ファイル'./game v2.txt'は入力ファイルと同じです\n"));
  EXPECT_EQ(scratch.read("game v2.txt"), listing);
  // A name the machine cannot hold, an option detoken does not have.
  expect_run(scratch.run({"-n", "a", "game v2.txt"}, kRetoken),
             {kFailure, console_text("テープに記録できない名前です: a\n")});
  expect_run(scratch.run({"-n", "A"}), {kFailure, console_text("無効なオプション: -n\n")});
  EXPECT_EQ(scratch.names(), (std::vector<std::string>{"game v2.mzt", "game v2.txt"}));
}

// Listings as people type them and editors save them: any case, lines out
// of order, given again or deleted (told on standard error), a UTF-8 one
// read with -u (its messages too) or noticed without it, a tape name from a
// UTF-8 file name.
TEST(Retoken, ListingsAsPeopleTypeThem) {
  Scratch scratch;
  scratch.write("edited.txt", "20 print \"HI\"\n10 goto 20\n30 END\n30\n");
  expect_run(scratch.run({"edited.txt"}, kRetoken),
             {0, written("edited.mzt"), console_text("edited.txt: 並べ替えた行: 1、置き換えた行: 0、削除した行: 1\n")});
  EXPECT_EQ(scratch.read("edited.mzt"), header("EDITED", 23) +
                                            "\x0A\x00\x0A\x00\x80\x20\x0B\x14\x00\x00"
                                            "\x0B\x00\x14\x00\x8F\x20\x22HI\x22\x00\x00\x00"s);
  scratch.write("utf8.txt", "10 PRINT \"£\"\n");
  expect_run(
      scratch.run({"utf8.txt"}, kRetoken),
      {0, written("utf8.mzt"),
       console_text(
           "utf8.txt: UTF-8で保存されたリストのようですが、Shift_JISとして読みました(UTF-8なら-uを付けてください)\n")});
  if (!testing_windows_build()) {  // there names come in the ANSI code page
    scratch.write("ｹﾞｰﾑ.txt", "10 PRINT \"£\"\n");
    expect_run(scratch.run({"-u", "ｹﾞｰﾑ.txt"}, kRetoken), {0, "'ｹﾞｰﾑ.mzt'を出力しました\r\n"});
    EXPECT_EQ(scratch.read("ｹﾞｰﾑ.mzt"),
              header("\x99\xBE\x90\xB1", 12) + "\x0A\x00\x0A\x00\x8F\x20\x22\x7E\x22\x00\x00\x00"s);
  }
}

// -t keeps a tape's header, every byte of it but the size (and the name, with
// -n), and writes to that tape unless -o says otherwise, without -f.
TEST(Retoken, KeepsTheTapesHeader) {
  // An unusual header: a name with the machine's lower-case letters, load
  // address 6BDF, execution address 1234, and bytes where zeros usually are.
  std::string kept =
      "\x05"
      "Gnu \xA1\x9C\xAB\x0D"
      "           "
      "\x99\x99\xDF\x6B\x34\x12";
  kept += std::string(0x40 - kept.size(), '\0') + "NOTE" + std::string(128 - 0x44, '\0');
  const std::string program = "\x0B\x00\x0A\x00\x8F\x20\x22HI\x22\x00\x00\x00"s;  // 13 bytes: size 0D 00
  std::string expected = kept;
  expected[0x12] = '\x0D';
  expected[0x13] = '\x00';
  Scratch scratch;
  scratch.write("game.txt", "10 PRINT \"HI\"\n");
  scratch.write("game.mzt", kept + "\x06\x00\x05\x00\x98\x00\x00\x00"s);  // 5 END
  expect_run(scratch.run({"-t", "game.mzt", "game.txt"}, kRetoken), {0, written("game.mzt")});
  EXPECT_EQ(scratch.read("game.mzt"), expected + program);
  // -n sets the name; another output needs -f to be replaced.
  scratch.write("other.mzt", "old");
  expect_run(scratch.run({"-t", "game.mzt", "-n", "NEW", "-o", "other.mzt", "game.txt"}, kRetoken),
             {kFailure, console_text("'other.mzt'は既にあります(置き換えるには-fを付けてください)\n")});
  EXPECT_EQ(scratch.run({"-f", "-t", "game.mzt", "-n", "NEW", "-o", "other.mzt", "game.txt"}, kRetoken).status, 0);
  EXPECT_EQ(scratch.read("other.mzt"), expected.replace(1, 17, "NEW\x0D             ") + program);
  // Only a tape of a BASIC program: not a text, not machine code; each is
  // left as it was.
  scratch.write("short.mzt", "not a tape");
  expect_run(scratch.run({"-t", "short.mzt", "game.txt"}, kRetoken),
             {kFailure, console_text("'short.mzt'はテープイメージではありません\n")});
  const std::string notes(14000, 'n');
  const std::string code = "\x01" + kept.substr(1) + "\xC3\x00\x12";
  for (const auto& [name, bytes] : {std::pair{"notes.txt", notes}, std::pair{"code.mzt", code}}) {
    scratch.write(name, bytes);
    expect_run(scratch.run({"-t", name, "game.txt"}, kRetoken),
               {kFailure, console_text("'" + std::string(name) + "'はBASICのプログラムのテープではありません\n")});
    EXPECT_EQ(scratch.read(name), bytes);
  }
}

// The bytes a tape's data holds after its program's end marker (old program
// text left in memory) stay after the new end marker, counted in the size:
// an unedited listing gives the whole tape back. A header of another BASIC
// than the one asked for is told.
TEST(Retoken, KeepsWhatFollowsTheProgramAndTellsTheHeader) {
  const std::string program = "\x06\x00\x0A\x00\x98\x00\x00\x00"s;  // 10 END, the end marker
  const std::string tape = header("GAME", 8 + 4) + program + "TAIL" + "beyond the size";
  Scratch scratch;
  scratch.write("game.mzt", tape);
  expect_run(
      scratch.run({"game.mzt"}),
      {0, written("game.txt"), console_text("プログラムの終わりの印の後に4バイトあります(リストには出ません)\n")});
  EXPECT_EQ(scratch.read("game.txt"), "   10 END\n");
  expect_run(scratch.run({"-t", "game.mzt", "-o", "again.mzt", "game.txt"}, kRetoken), {0, written("again.mzt")});
  EXPECT_EQ(scratch.read("again.mzt"), tape.substr(0, 128 + 12));
  scratch.write("edited.txt", "10 END\n20 STOP\n");
  expect_run(scratch.run({"-t", "game.mzt", "-o", "edited.mzt", "edited.txt"}, kRetoken), {0, written("edited.mzt")});
  EXPECT_EQ(scratch.read("edited.mzt"),
            header("GAME", 14 + 4) + program.substr(0, 6) + "\x06\x00\x14\x00\x99\x00\x00\x00TAIL"s);
  std::string mz80k = tape;
  mz80k.replace(0, 1, "\x02").replace(0x14, 2, "\x06\x48");
  scratch.write("mz80k.mzt", mz80k);
  expect_run(scratch.run({"-t", "mz80k.mzt", "-o", "s.mzt", "game.txt"}, kRetoken),
             {0, written("s.mzt"),
              console_text("game.txt: ヘッダはMZ-80KのBASIC(SP-5025)のテープのものです(-kを付けてください)\n")});
}

// A tape replaced only by a listing that can hold its whole program: listed
// with another BASIC's option, a real program stops early, and that listing
// does not replace it.
TEST(Retoken, ATapeIsNotReplacedByAListingOfPartOfIt) {
  int refused = 0;
  for (const auto& [name, lines] : kCorpusPrograms) {
    for (const char* option : {"-h", "-k", "-m"}) {
      SCOPED_TRACE(std::string(name) + " " + option);
      Scratch scratch;
      scratch.write("p.mzt", corpus_image(name));
      ASSERT_EQ(scratch.run({option, "-o", "p.txt", "p.mzt"}).status, 0);
      const RunResult replaced = scratch.run({"-l", option, "-t", "p.mzt", "p.txt"}, kRetoken);
      EXPECT_EQ(scratch.read("p.mzt"), corpus_image(name));
      if (replaced.status == 0) continue;
      ++refused;
      EXPECT_TRUE(replaced.out.starts_with("'p.mzt' holds no whole program of ") &&
                  replaced.out.ends_with(": it is not written over (give -o to write elsewhere)\r\n"))
          << replaced.out;
    }
  }
  EXPECT_GT(refused, 0);
}

// What retoken cannot make a program of, and what it warns of while it makes
// the image: a last line without its line feed, a program larger than
// S-BASIC's free memory, a line longer than the machine's input line.
TEST(Retoken, EmptyListingsAndWarnings) {
  Scratch scratch;
  // An empty listing, and one that only deletes lines.
  for (const std::string listing : {"\r\n\n", "20\n10\n"}) {
    scratch.write("empty.txt", listing);
    expect_run(scratch.run({"empty.txt"}, kRetoken),
               {kFailure, "", console_text("empty.txt: リストに行がありません(空のプログラムは作りません)\n")});
  }
  scratch.write("cut.txt", "10 A=1\n20 B");
  expect_run(scratch.run({"cut.txt"}, kRetoken),
             {0, written("cut.mzt"),
              console_text("cut.txt: 最後の行に改行がありません(プログラムが途中で切れているかもしれません)\n")});
  std::string large;  // 400 lines of 92 bytes: 36,802 bytes with the end marker
  for (int line = 1; line <= 400; ++line) large += std::to_string(line) + " REM" + std::string(86, 'X') + "\n";
  scratch.write("large.txt", large);
  expect_run(scratch.run({"large.txt"}, kRetoken),
             {0, written("large.mzt"),
              console_text("large.txt: プログラムが36802バイトあり、BASICの空きメモリ36439バイトに入りません\n")});
  // 256 characters (flagged) and 255 (the most the machine takes; the escape
  // is one character).
  scratch.write("long.txt", "10 A\n20 REM" + std::string(250, 'X') + "\n30 REM{01}" + std::string(248, 'X') + "\n");
  expect_run(scratch.run({"long.txt"}, kRetoken),
             {0, written("long.mzt"),
              console_text("long.txt: MZ-700の入力行(255文字)より長い行が1行あります(最初はリストの2行目)\n")});
  EXPECT_EQ(scratch.names(), (std::vector<std::string>{"cut.mzt", "cut.txt", "empty.txt", "large.mzt", "large.txt",
                                                       "long.mzt", "long.txt"}));
  if (!testing_windows_build()) {  // a device is written to as it is, without -f
    expect_run(scratch.run({"-o", "/dev/null", "cut.txt"}, kRetoken),
               {0, written("/dev/null"),
                console_text("cut.txt: 最後の行に改行がありません(プログラムが途中で切れているかもしれません)\n")});
  }
}

TEST(Retoken, FaultsNameTheLineAndColumnAndWriteNothing) {
  Scratch scratch;
  scratch.write("a.txt", "   10 PRINT \"HI\"\r\n   20 A=1E99\r\n");
  const RunResult result = scratch.run({"a.txt"}, kRetoken);
  EXPECT_EQ(result.status, kFailure);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, console_text("a.txt:2:9: 数値が範囲を超えています: 1E99\n"));
  scratch.write("h.txt", "10 A=&HFFFF:B=&O200000\n");
  EXPECT_EQ(scratch.run({"-h", "h.txt"}, kRetoken).err,
            console_text("h.txt:1:15: 数値が範囲を超えています: &O200000\n"));
  // A byte that is no character is shown as its code.
  scratch.write("c.txt",
                "10 A=\x01"
                "B\n");
  EXPECT_EQ(scratch.run({"c.txt"}, kRetoken).err, console_text("c.txt:1:6: MZ-700にない文字です: {01}\n"));
  EXPECT_EQ(scratch.names(), (std::vector<std::string>{"a.txt", "c.txt", "h.txt"}));
}

}  // namespace
}  // namespace detoken::testing
