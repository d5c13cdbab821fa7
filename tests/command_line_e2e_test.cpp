// detoken's command line, run as a user runs it: its arguments, the output
// name, the usage text and the messages in both languages.

#include <gtest/gtest.h>
#include <locale.h>

#include <filesystem>
#include <string>

#include "tests/e2e.h"
#include "tests/image.h"
#include "tests/run_program.h"

namespace detoken::testing {
namespace {

const std::string kUsage = console_text(
    "DETOKEN ─ MZ-700のS-BASIC/HuBASIC/MZ-80KのBASIC(SP-5025)/MZ-800のBASICのMZTイメージをテキストに変換します\n\n"
    "使い方: DETOKEN [オプション] MZTファイル\n"
    "  -oxxx 出力ファイル名\n"
    "        (省略時は拡張子を'.txt'に置き換えたファイル名で出力します)\n"
    "  -h    MZTイメージをHuBASICのプログラムとみなして変換する\n"
    "  -s    MZTイメージをS-BASICのプログラムとみなして変換する(デフォルト動作)\n"
    "  -x    実数を、テープに戻したとき同じ値になる桁数で書く\n"
    "  -e    ヨーロッパ版の文字セットで変換する(英小文字など)\n"
    "  -u    リストとメッセージをUTF-8で書く\n"
    "  -k    MZTイメージをMZ-80KのBASIC(SP-5025)のプログラムとみなして変換する\n"
    "  -l    メッセージを英語で書く(環境変数DETOKEN_LANG=enと同じ)\n"
    "  -m    MZTイメージをMZ-800のBASICのプログラムとみなして変換する\n"
    "  -pN   録音のN番目のファイルを変換する(省略時は1番目)\n"
    "  MZTファイルの代わりにテープのWAV録音も読めます。-oの名前が.wavなら録音を、\n"
    "  .mzt/.mzfならイメージを書きます\n");
TEST(CommandLine, UsageWhenThereIsNoSingleInputName) {
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  scratch.write("b.mzt", kProgram);
  for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
           {}, {"-h"}, {"a.mzt", "b.mzt"}, {"a.mzt", "b.mzt", "-q"}, {"a.mzt", "-o"}}) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    expect_run(scratch.run(arguments), {0, kUsage});
    EXPECT_EQ(scratch.names(), (std::vector<std::string>{"a.mzt", "b.mzt"}));
  }
}

TEST(CommandLine, InvalidOptionsEndTheRunAtOnce) {
  Scratch scratch;
  scratch.write("a.mzt", kProgram);
  const std::pair<std::string, std::string> cases[] = {
      {"-q", "q"}, {"-H", "H"}, {"-", std::string(1, '\0')}, {"-?", "?"}};
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
  expect_run(scratch.run({"-o" + name255 + "o", "-q", stem251}), {kFailure, kNameTooLong});
  EXPECT_EQ(scratch.names(), before);
}

// On Windows, names come in the ANSI code page: in 932, 表 is 95 5C and ソ
// 83 5C, whose second byte is not the folder separator '\'; a tape name
// given with -n is read from it.
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
  Scratch scratch;
  scratch.write("g.txt", kListing);
  expect_run(scratch.run({"-n", kTypedName, "g.txt"}, {.environment = {"LC_ALL=ja_JP.UTF-8"}, .retoken = true}),
             {0, written("g.mzt")});
  EXPECT_EQ(scratch.read("g.mzt").substr(1, 12), kTypedNameCodes + "\x0D");
}

// With DETOKEN_LANG=en in the environment, or -l, the usage, the messages
// and the reports are English: the same streams and statuses. Any other
// value of the variable leaves them Japanese.
TEST(CommandLine, EnglishWithTheEnvironmentOrAnOption) {
  Scratch scratch;
  scratch.write("cut.mzt", std::string(kProgram.begin(), kProgram.end() - 2));
  const Start english{.environment = {"DETOKEN_LANG=en"}};
  const RunResult usage = scratch.run({}, english);
  EXPECT_EQ(usage.status, 0);
  EXPECT_TRUE(usage.out.starts_with("DETOKEN - turns MZT images of MZ-700 S-BASIC/HuBASIC/")) << usage.out;
  EXPECT_NE(usage.out.find("\r\n  -l    write the messages in English"), std::string::npos) << usage.out;
  for (const Start& start : {english, Start{.environment = {"DETOKEN_LANG=en_GB.UTF-8"}}, Start{}}) {
    const auto with = [&](std::string name) {
      return start.environment.empty() ? std::vector<std::string>{"-l", name} : std::vector<std::string>{name};
    };
    expect_run(scratch.run(with("missing.mzt"), start), {kFailure, "Reading 'missing.mzt' failed\r\n"});
    expect_run(scratch.run(with("cut.mzt"), start), {0, "'cut.txt' written\r\n", "Abnormal BASIC file\r\n"});
  }
  expect_run(scratch.run({"missing.mzt"}, {.environment = {"DETOKEN_LANG=ja"}}),
             {kFailure, read_failed("missing.mzt")});
  expect_run(scratch.run({"-q", "-l"}, english), {kFailure, "Invalid option: -q\r\n"});
}

}  // namespace
}  // namespace detoken::testing
