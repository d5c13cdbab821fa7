#pragma once

// Walks every code of a dialect's three keyword tables through the lister and
// compares each with the keyword tables as given to the test: rows of sixteen
// cells separated by spaces, "." for a code without a keyword.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "lister/line_walker.h"
#include "tests/image.h"

namespace detoken::testing {

inline std::vector<std::string> cells_of(std::initializer_list<const char*> rows) {
  std::vector<std::string> cells;
  for (const char* row : rows) {
    std::istringstream words(row);
    for (std::string word; words >> word;) cells.push_back(word == "." ? "" : word);
  }
  return cells;
}

inline std::string syntax_error(const char* token) { return std::string("Syntax error in 10 (") + token + ")\n"; }

// Lists a one-line program, line 10, whose body is `body`.
inline void expect_listing(TokenDecoder decoder, const std::string& line_body, const std::string& keyword,
                           const std::string& report) {
  Output out;
  list_program(image_of({{10, line_body}}), out, decoder);
  if (keyword.empty()) {
    EXPECT_EQ(out.text(), "   10 ") << "no keyword expected for " << ::testing::PrintToString(line_body);
    EXPECT_EQ(out.reports(), report);
  } else {
    EXPECT_EQ(out.text(), "   10 " + keyword + "\n");
    EXPECT_EQ(out.reports(), "");
  }
}

// Every main code 80-FD: its keyword, or the report naming the code.
inline void walk_main_table(TokenDecoder decoder, const std::vector<std::string>& keywords) {
  ASSERT_EQ(keywords.size(), 0x7Eu);
  for (unsigned code = 0x80; code <= 0xFD; ++code) {
    char token[8];
    std::snprintf(token, sizeof token, "%02X", code);
    expect_listing(decoder, body({code}), keywords[code - 0x80], syntax_error(token));
  }
}

// Every second byte 00-FF after `prefix`: its keyword, or the report naming
// it, where bytes past the table's last code are named as the code after it.
inline void walk_prefix_table(TokenDecoder decoder, unsigned prefix, const std::vector<std::string>& keywords) {
  const unsigned past_end = 0x80 + static_cast<unsigned>(keywords.size());
  for (unsigned code = 0x00; code <= 0xFF; ++code) {
    const bool in_table = code >= 0x80 && code < past_end;
    char token[8];
    std::snprintf(token, sizeof token, "%02X %02X", prefix, code < past_end ? code : past_end);
    expect_listing(decoder, body({prefix, code}), in_table ? keywords[code - 0x80] : "", syntax_error(token));
  }
}

}  // namespace detoken::testing
