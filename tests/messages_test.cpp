// The messages: each one's Shift_JIS form is its UTF-8 form as the C library
// converts it to code page 932, and its English form says as much: plain
// ASCII, the same values in the same order, a line break where the Japanese
// has one.

#include "cli/messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/messages.h"
#include "format/dialects/dialect.h"
#include "lister/findings.h"
#include "tests/run_program.h"

namespace detoken {
namespace {

std::vector<const Message*> every_message() {
  std::vector<const Message*> all(std::begin(messages::kAll), std::end(messages::kAll));
  all.insert(all.end(), std::begin(messages::kAllReports), std::end(messages::kAllReports));
  all.push_back(&kAbnormalFile);
  for (const DialectInfo* dialect : dialects()) {
    all.insert(all.end(), {&dialect->title_name, &dialect->detoken_usage, &dialect->retoken_usage});
  }
  return all;
}

// The placeholders of a text, in order.
std::string placeholders(std::string_view text) {
  std::string found;
  for (std::size_t at = text.find('%'); at != std::string_view::npos; at = text.find('%', at + 2)) {
    found += text.substr(at, 2);
  }
  return found;
}

TEST(Messages, EveryFormSaysTheSame) {
  for (const Message* message : every_message()) {
    SCOPED_TRACE(std::string(message->utf8));
    EXPECT_EQ(message->shift_jis, testing::shift_jis(message->utf8));
    ASSERT_FALSE(message->english.empty());
    for (const char c : message->english) EXPECT_TRUE(c >= 0x20 || c == '\n') << message->english;
    for (const char c : message->english) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << message->english;
    EXPECT_EQ(placeholders(message->english), placeholders(message->utf8));
    EXPECT_TRUE(!message->utf8.ends_with('\n') || message->english.ends_with('\n'));
  }
}

}  // namespace
}  // namespace detoken
