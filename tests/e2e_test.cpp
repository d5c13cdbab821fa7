// detoken, run as a user runs it: its files and its console streams, its
// messages and exit statuses, byte for byte.

#include "tests/e2e.h"

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

// Standard output named as the output holds the output alone: the message
// that it was written goes to standard error.
TEST(Console, StandardOutputNamedAsTheOutputHoldsOnlyIt) {
  if (testing_windows_build()) GTEST_SKIP() << "Windows has no /dev/stdout";
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  ASSERT_EQ(scratch.run({"-o", "a.txt", "a.mzt"}).status, 0);
  expect_run(scratch.run({"-o", "/dev/stdout", "a.mzt"}), {0, scratch.read("a.txt"), written("/dev/stdout")});
  ASSERT_EQ(scratch.run({"-o", "b.mzt", "a.txt"}, kRetoken).status, 0);
  expect_run(scratch.run({"-f", "-o", "/dev/stdout", "a.txt"}, kRetoken),
             {0, scratch.read("b.mzt"), written("/dev/stdout")});
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
      // (Under Wine, standard output as the test starts it is not known as
      // the named file: the message goes to the file's old self there.)
      {"standard output into the listing's own file",
       {.output_to = "a.txt"},
       "",
       testing_windows_build() ? report : report + written("a.txt")},
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

}  // namespace
}  // namespace detoken::testing
