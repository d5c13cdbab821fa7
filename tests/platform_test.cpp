// The output file: put in place over a file already there only when that is
// allowed.

#include "cli/platform.h"

#include <gtest/gtest.h>

#include "tests/run_program.h"

namespace detoken {
namespace {

TEST(OutputFile, ReplacesOnlyWhenAllowedAndLeavesNoTemporaryFile) {
  struct Case {
    bool file_there;
    bool replace;
    CommitResult result;
    const char* content;
  };
  for (const Case& c : {Case{false, false, CommitResult::Done, "new"}, Case{true, false, CommitResult::Exists, "old"},
                        Case{true, true, CommitResult::Done, "new"}}) {
    SCOPED_TRACE(::testing::Message() << c.file_there << c.replace);
    testing::Scratch scratch;
    if (c.file_there) scratch.write("f.txt", "old");
    OutputFile file;
    ASSERT_TRUE(open_output(file, (scratch.dir() / "f.txt").c_str()));
    std::fputs("new", file.stream);
    EXPECT_EQ(commit_output(file, c.replace), c.result);
    EXPECT_EQ(scratch.read("f.txt"), c.content);
    EXPECT_EQ(scratch.names(), std::vector<std::string>{"f.txt"});
  }
}

}  // namespace
}  // namespace detoken
