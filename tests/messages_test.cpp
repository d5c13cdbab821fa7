// The messages: each one's Shift_JIS form is its UTF-8 form as the C library
// converts it to code page 932.

#include "cli/messages.h"

#include <gtest/gtest.h>

#include <string>

#include "lister/line_walker.h"
#include "tests/run_program.h"

namespace detoken {
namespace {

TEST(Messages, ShiftJisIsTheUtf8TextConverted) {
  for (const Message* message : messages::kAll) {
    EXPECT_EQ(message->shift_jis, testing::shift_jis(message->utf8)) << message->utf8;
  }
  EXPECT_EQ(kAbnormalFile.shift_jis, testing::shift_jis(kAbnormalFile.utf8));
}

}  // namespace
}  // namespace detoken
