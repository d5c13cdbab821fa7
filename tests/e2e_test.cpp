// The built program, run as a user runs it: arguments, console messages,
// exit statuses and the listing file, byte for byte.

#include <gtest/gtest.h>
#include <locale.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/files.h"
#include "tests/image.h"
#include "tests/keyword_pairs.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

constexpr int kFailure = 255;  // the exit status -1 as the shell sees it

const std::string kUsage = console_text(
    "DETOKEN ─ MZ-700のS-BASIC/HuBASICのMZTイメージをテキストに変換します\n\n"
    "使い方: DETOKEN [オプション] MZTファイル\n"
    "  -oxxx 出力ファイル名\n"
    "        (省略時は拡張子を'.txt'に置き換えたファイル名で出力します)\n"
    "  -h    MZTイメージをHuBASICのプログラムとみなして変換する\n"
    "  -s    MZTイメージをS-BASICのプログラムとみなして変換する(デフォルト動作)\n");
const std::string kNameTooLong = console_text("出力ファイル名が長すぎます\n");
const std::string kNoMemory = console_text("メモリが確保できません\n");
const std::string kAbnormal = console_text("異常なBASICファイルです\n");

std::string written(const std::string& name) { return console_text("'" + name + "'を出力しました\n"); }
std::string read_failed(const std::string& name) { return console_text("'" + name + "'の読み込みに失敗しました\n"); }

// A small program and its listing.
const Bytes kProgram = image_of({{10, "\x8F \"HI\""}, {20, body({0x80, ' ', 0x0B, 0x0A, 0x00})}});
const std::string kListing = "   10 PRINT \"HI\"\n   20 GOTO 10\n";

struct Expected {
  int status;
  std::string out;
  std::string err = "";
};

void expect_run(const RunResult& result, const Expected& expected) {
  EXPECT_EQ(result.status, expected.status);
  EXPECT_EQ(result.out, expected.out);
  EXPECT_EQ(result.err, expected.err);
}

TEST(CommandLine, UsageWhenThereIsNoSingleInputName) {
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  scratch.write("b.mzt", kProgram);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {}, {"-h"}, {"a.mzt", "b.mzt"}, {"a.mzt", "b.mzt", "-x"}, {"a.mzt", "-o"}}) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    expect_run(scratch.run(arguments), {0, kUsage});
    EXPECT_EQ(scratch.names(), (std::vector<std::string>{"a.mzt", "b.mzt"}));
  }
}

TEST(CommandLine, InvalidOptionsEndTheRunAtOnce) {
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  const std::pair<std::string, std::string> cases[] = {
      {"-x", "x"}, {"-H", "H"}, {"-", std::string(1, '\0')}, {"-?", "?"}};
  for (const auto& [option, letter] : cases) {
    SCOPED_TRACE(option);
    expect_run(scratch.run({"a.mzt", option, "b.mzt"}),
               {kFailure, console_text("無効なオプション: -" + letter + "\n")});
    EXPECT_EQ(scratch.names(), std::vector<std::string>{"a.mzt"});
  }
}

TEST(CommandLine, OutputNameFromTheOptionOrTheInput) {
  struct Case {
    std::vector<std::string> arguments;
    std::string output;
  };
  const Case cases[] = {
      {{"a.mzt"}, "a.txt"},
      {{"-oout.txt", "a.mzt"}, "out.txt"},
      {{"-o", "out.txt", "a.mzt"}, "out.txt"},
      {{"-o", "-h", "a.mzt"}, "-h"},
      {{"-ofirst", "a.mzt", "-o", "second"}, "second"},
      {{"./a.mzt"}, "./a.txt"},
      {{"v1.2/PROG"}, "v1.2/PROG.txt"},
      {{"v1.2/PROG.MZT"}, "v1.2/PROG.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    Scratch scratch;
    scratch.write("a.mzt", kProgram);
    std::filesystem::create_directory(scratch.dir() / "v1.2");
    scratch.write("v1.2/PROG", kProgram);
    scratch.write("v1.2/PROG.MZT", kProgram);
    expect_run(scratch.run(c.arguments), {0, written(c.output)});
    EXPECT_EQ(scratch.read(c.output), kListing);
  }
}

TEST(CommandLine, OutputNamesUpTo255Characters) {
  Scratch scratch;
  const std::string stem251(251, 'n');
  scratch.write(stem251, kProgram);
  expect_run(scratch.run({stem251}), {0, written(stem251 + ".txt")});
  EXPECT_EQ(scratch.read(stem251 + ".txt"), kListing);

  const std::string name255(255, 'o');
  expect_run(scratch.run({"-o" + name255, stem251}), {0, written(name255)});
  EXPECT_EQ(scratch.read(name255), kListing);

  const std::string stem255(255, 'm');
  scratch.write(stem255, kProgram);
  const auto before = scratch.names();
  expect_run(scratch.run({stem255}), {kFailure, kNameTooLong});
  expect_run(scratch.run({stem251 + "m"}), {kFailure, kNameTooLong});
  expect_run(scratch.run({"-o" + name255 + "o", "-x", stem251}), {kFailure, kNameTooLong});
  EXPECT_EQ(scratch.names(), before);
}

// On Windows, names come in the ANSI code page: in 932, 表 is 95 5C and ソ
// 83 5C, whose second byte is not the folder separator '\'.
TEST(CommandLine, JapaneseNamesInCodePage932) {
  if (!testing_windows_build()) GTEST_SKIP() << "on POSIX systems names are plain bytes";
  locale_t japanese = newlocale(LC_ALL_MASK, "ja_JP.UTF-8", nullptr);
  if (japanese == nullptr) {
    GTEST_SKIP() << "no ja_JP.UTF-8 locale to run Wine in code page 932 (localedef -i ja_JP -f UTF-8 ja_JP.UTF-8)";
  }
  freelocale(japanese);
  for (const auto& [input, output] : {std::pair{"A.表", "A.txt"}, std::pair{"表.ソ", "表.txt"}}) {
    SCOPED_TRACE(input);
    Scratch scratch;
    scratch.write(input, kProgram);
    expect_run(scratch.run({input}, {.environment = {"LC_ALL=ja_JP.UTF-8"}}), {0, written(output)});
    EXPECT_EQ(scratch.read(output), kListing);
  }
}

TEST(Files, InputThatCannotBeReadLeavesNoOutput) {
  Scratch scratch;
  scratch.write("empty.mzt", "");
  std::filesystem::create_directory(scratch.dir() / "folder.mzt");
  expect_run(scratch.run({"missing.mzt"}), {kFailure, read_failed("missing.mzt")});
  expect_run(scratch.run({"empty.mzt"}), {kFailure, kNoMemory});
  expect_run(scratch.run({"folder.mzt"}), {kFailure, read_failed("folder.mzt")});
  EXPECT_EQ(scratch.names(), (std::vector<std::string>{"empty.mzt", "folder.mzt"}));
}

TEST(Files, PipesAndDevicesAreNotRead) {
  if (testing_windows_build()) GTEST_SKIP() << "/dev/stdin, /dev/null and named pipes are POSIX things";
  // A pipe (standard input here) and a device have no length to measure; a
  // named pipe with no writer is refused without waiting for one.
  Scratch scratch;
  ASSERT_EQ(mkfifo((scratch.dir() / "fifo.mzt").c_str(), 0644), 0);
  expect_run(scratch.run({"/dev/stdin", "-o", "pipe.txt"}), {kFailure, read_failed("/dev/stdin")});
  expect_run(scratch.run({"/dev/null", "-o", "null.txt"}), {kFailure, read_failed("/dev/null")});
  expect_run(scratch.run({"fifo.mzt"}, {.kill_after_seconds = 10}), {kFailure, read_failed("fifo.mzt")});
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"fifo.mzt"});
}

TEST(Files, InputTooLargeToHoldIsNotReadInPart) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "AddressSanitizer cannot start within a limit on address space";
#endif
  // A sparse 4 GiB + 812 bytes, where a 32-bit length sees 812 bytes, read
  // with 2 GiB of address space.
  Scratch scratch;
  scratch.write("big.mzt", kProgram);
  std::filesystem::resize_file(scratch.dir() / "big.mzt", (std::uintmax_t{4} << 30) + 812);
  expect_run(scratch.run({"big.mzt"}, {.limits = {{RLIMIT_AS, 2L << 30}}}), {kFailure, kNoMemory});
  EXPECT_EQ(scratch.names(), std::vector<std::string>{"big.mzt"});
}

TEST(Files, OutputThatCannotBeCreated) {
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  // This message alone has no line break.
  expect_run(scratch.run({"-o", "no/such/folder.txt", "a.mzt"}),
             {kFailure, console_text("書き込みファイル'no/such/folder.txt'が準備できません")});
}

TEST(Files, OutputThatIsTheInputIsRefused) {
  Scratch scratch;
  scratch.write("a.txt", kProgram);
  scratch.write("b.mzt", kProgram);
  std::filesystem::create_hard_link(scratch.dir() / "b.mzt", scratch.dir() / "link.txt");
  const std::string same_a = console_text("出力ファイル'a.txt'は入力ファイルと同じです\n");
  expect_run(scratch.run({"a.txt"}), {kFailure, same_a});
  expect_run(scratch.run({"-o", "./b.mzt", "b.mzt"}),
             {kFailure, console_text("出力ファイル'./b.mzt'は入力ファイルと同じです\n")});
  expect_run(scratch.run({"-olink.txt", "b.mzt"}),
             {kFailure, console_text("出力ファイル'link.txt'は入力ファイルと同じです\n")});
  EXPECT_EQ(scratch.read("a.txt"), std::string(kProgram.begin(), kProgram.end()));
  EXPECT_EQ(scratch.read("b.mzt"), std::string(kProgram.begin(), kProgram.end()));
}

// Lines 1 to `count` of PRINT and a string, then `last` as the next line.
Bytes long_program(unsigned count, const std::string& last = "") {
  std::vector<Line> lines;
  for (unsigned n = 1; n <= count + 1; ++n) {
    lines.push_back({static_cast<std::uint16_t>(n), n > count ? last : "\x8F \"" + std::string(20, 'X') + "\""});
  }
  return image_of(lines);
}

TEST(Files, FailedRunLeavesTheNamedFileAsItWas) {
  if (testing_windows_build()) {
    GTEST_SKIP() << "the file size limit would pass to the wineserver the run starts, which then cannot save "
                    "Wine's registry";
  }
  // 140 KB of listing written with files limited to 64 KiB, over a file named
  // directly and through a symbolic link; then without the limit.
  const std::string old_listing(1700, 'o');
  for (const std::string name : {"d/old.txt", "link.txt"}) {
    SCOPED_TRACE(name);
    Scratch scratch;
    scratch.write("a.mzt", long_program(4000));
    std::filesystem::create_directory(scratch.dir() / "d");
    scratch.write("d/old.txt", old_listing);
    std::filesystem::create_symlink("d/old.txt", scratch.dir() / "link.txt");
    expect_run(scratch.run({"-o", name, "a.mzt"}, {.limits = {{RLIMIT_FSIZE, 64 * 1024}}}),
               {kFailure, console_text("'" + name + "'の書き込みに失敗しました\n")});
    EXPECT_EQ(scratch.read("d/old.txt"), old_listing);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.dir() / "d"), {}), 1);
    expect_run(scratch.run({"-o", name, "a.mzt"}), {0, written(name)});
    expect_run(scratch.run({"a.mzt"}), {0, written("a.txt")});
    EXPECT_EQ(scratch.read("d/old.txt"), scratch.read("a.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(scratch.dir() / "link.txt"));
  }
}

// A new file gets the permissions of any new file (0666 less the umask); a
// file that is replaced keeps its own. Both programs, with umask 022.
TEST(Files, NewFilesTakeTheUmaskReplacedFilesKeepTheirMode) {
  if (testing_windows_build()) GTEST_SKIP() << "permissions are the POSIX build's";
  const mode_t old_mask = umask(022);
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  scratch.write("kept.txt", "old");
  std::filesystem::permissions(scratch.dir() / "kept.txt", std::filesystem::perms(0640));
  const auto mode = [&](const char* name) {
    struct stat status {};
    stat((scratch.dir() / name).c_str(), &status);
    return status.st_mode & 07777;
  };
  expect_run(scratch.run({"a.mzt"}), {0, written("a.txt")});
  expect_run(scratch.run({"-o", "kept.txt", "a.mzt"}), {0, written("kept.txt")});
  EXPECT_EQ(scratch.run({"-o", "b.mzt", "a.txt"}, {.retoken = true}).status, 0);
  EXPECT_EQ(scratch.run({"-f", "-o", "kept.txt", "a.txt"}, {.retoken = true}).status, 0);
  umask(old_mask);
  EXPECT_EQ(mode("a.txt"), 0644u);
  EXPECT_EQ(mode("b.mzt"), 0644u);
  EXPECT_EQ(mode("kept.txt"), 0640u);
}

TEST(Files, ListingThatCannotBeWritten) {
  if (testing_windows_build()) GTEST_SKIP() << "Windows has no /dev/full to fill";
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  expect_run(scratch.run({"-o", "/dev/full", "a.mzt"}),
             {kFailure, console_text("'/dev/full'の書き込みに失敗しました\n")});
}

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

struct ConsoleCase {
  const char* name;
  Start start;
  std::string out;
  std::string err;
};

// 1000 lines and a code with no keyword: the program lists the same whatever
// its console streams are, and no console text gets into the file.
void expect_same_listing(const std::vector<ConsoleCase>& cases) {
  Scratch scratch;
  scratch.write("a.mzt", long_program(1000, "\x82"));
  scratch.run({"-o", "plain.txt", "a.mzt"});
  for (const ConsoleCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(scratch.dir() / "a.txt");
    expect_run(scratch.run({"a.mzt"}, c.start), {0, c.out, c.err});
    EXPECT_EQ(scratch.read("a.txt"), scratch.read("plain.txt"));
    EXPECT_EQ(scratch.names(), (std::vector<std::string>{"a.mzt", "a.txt", "plain.txt"}));
  }
}

TEST(Console, ReportsAndMessagesDoNotCostTheListing) {
  const std::string report = console_text("Syntax error in 1001 (82)\n");
  expect_same_listing({
      {"standard error a pipe whose reader has gone", {.error_reader_gone = true}, written("a.txt"), ""},
      {"standard output into the listing's own file", {.output_to = "a.txt"}, "", report},
  });
}

TEST(Console, ClosedDescriptorsAreNotTakenByTheListing) {
  if (testing_windows_build()) {
    GTEST_SKIP() << "Wine started without descriptors 0 to 2 gives them to its own files (the folder, its server's "
                    "socket)";
  }
  expect_same_listing({
      {"standard output and error closed", {.closed = kOutput | kError}, "", ""},
      {"standard input and error closed", {.closed = kInput | kError}, written("a.txt"), ""},
  });
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
    expect_run(scratch.run({dialect_option, "a.mzt"}), {0, written("a.txt"), console_text(token.report())});
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
  EXPECT_EQ(scratch.read("s.txt"), "   10 " + listed_reals + ",65535,FF\n");
  // HuBASIC's own: a double whose low bytes lift the tie, and the words.
  scratch.write(
      "h.mzt",
      image_of({{10, reals + body({',',  0x18, 0x95, 0x16, 0xB4, 0x28, 0x00, 0x80, 0x00, 0x00, ',',  0x12, 0x00,
                                   0x80, ',',  0x0F, 0xFF, 0xFF, ',',  0x0D, 0x08, 0x00, ',',  0x0E, 0x05, 0x00})}}));
  expect_run(scratch.run({"-h", "h.mzt"}), {0, written("h.txt")});
  EXPECT_EQ(scratch.read("h.txt"), "   10 " + listed_reals + ",1.23457e+06,-32768,&HFFFF,&O10,&B101\n");
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

// Real programs saved on the machine, from the shared corpus beside the
// repository: each lists every line with nothing on standard error.
TEST(Corpus, RealProgramsListCompletely) {
  DETOKEN_NEED_CORPUS();
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

}  // namespace
}  // namespace detoken::testing
