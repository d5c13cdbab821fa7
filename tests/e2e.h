#pragma once

// What the end-to-end tests of both programs share: the exit status of a
// failure, the commonest messages, and the check of a whole run.

#include <gtest/gtest.h>

#include <string>

#include "tests/image.h"
#include "tests/run_program.h"

namespace detoken::testing {

constexpr int kFailure = 255;  // the exit status -1 as the shell sees it
const Start kRetoken{.retoken = true};

// A tape name as a listing writes its characters (katakana 81-BF, {13}, 日
// 70), and its codes.
inline const std::string kTypedName = "ｱﾄﾞﾍﾞﾝﾁｬｰ{13}日";
inline const std::string kTypedNameCodes = "\x91\xA4\xBE\xAD\xBE\xBD\xA1\x8C\x90\x13\x70";

inline const std::string kNameTooLong = console_text("出力ファイル名が長すぎます\n");
inline const std::string kNoMemory = console_text("メモリが確保できません\n");

// A small program and its listing.
inline const Bytes kProgram = image_of({{10, "\x8F \"HI\""}, {20, body({0x80, ' ', 0x0B, 0x0A, 0x00})}});
inline const std::string kListing = "   10 PRINT \"HI\"\n   20 GOTO 10\n";

inline std::string written(const std::string& name) { return console_text("'" + name + "'を出力しました\n"); }
inline std::string read_failed(const std::string& name) {
  return console_text("'" + name + "'の読み込みに失敗しました\n");
}

// What a run should end with.
struct Expected {
  int status;
  std::string out;
  std::string err = "";
};

inline void expect_run(const RunResult& result, const Expected& expected) {
  EXPECT_EQ(result.status, expected.status);
  EXPECT_EQ(result.out, expected.out);
  EXPECT_EQ(result.err, expected.err);
}

}  // namespace detoken::testing
