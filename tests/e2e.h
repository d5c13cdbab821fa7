#pragma once

// What the end-to-end tests of both programs share: the exit status of a
// failure, the commonest messages, and the check of a whole run.

#include <gtest/gtest.h>

#include <string>

#include "tests/run_program.h"

namespace detoken::testing {

constexpr int kFailure = 255;  // the exit status -1 as the shell sees it
const Start kRetoken{.retoken = true};

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
