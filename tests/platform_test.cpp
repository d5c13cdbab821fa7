// The output file: put in place over a file already there only when that is
// allowed, and a discarded one changes nothing.

#include "cli/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/run_program.h"

namespace detoken {
namespace {

TEST(OutputFile, ReplacesOnlyWhenAllowedAndLeavesNoTemporaryFile) {
  struct Case {
    const char* old_content;  // null: no file there
    bool commit;
    bool replace;
    CommitResult result;
    const char* content;  // null: no file there
  };
  const Case cases[] = {
      {nullptr, true, false, CommitResult::Done, "new"},   {"old", true, false, CommitResult::Exists, "old"},
      {"old", true, true, CommitResult::Done, "new"},      {"old", false, true, CommitResult::Done, "old"},
      {nullptr, false, true, CommitResult::Done, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.old_content != nullptr) << c.commit << c.replace);
    testing::Scratch scratch;
    if (c.old_content != nullptr) scratch.write("f.txt", c.old_content);
    OutputFile file;
    ASSERT_TRUE(open_output(file, (scratch.dir() / "f.txt").c_str()));
    std::fputs("new", file.stream);
    if (c.commit) {
      EXPECT_EQ(commit_output(file, c.replace), c.result);
    } else {
      discard_output(file);
    }
    EXPECT_EQ(scratch.names(), c.content ? std::vector<std::string>{"f.txt"} : std::vector<std::string>{});
    if (c.content != nullptr) {
      EXPECT_EQ(scratch.read("f.txt"), c.content);
    }
  }
}

}  // namespace
}  // namespace detoken
