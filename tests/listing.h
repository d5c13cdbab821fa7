#pragma once

// Lists images in memory, for the tests of the lister and the decoders.

#include <gtest/gtest.h>

#include <string>

#include "lister/line_walker.h"
#include "tests/image.h"
#include "tests/keyword_pairs.h"
#include "tests/run_program.h"

namespace detoken::testing {

// The abnormal-file report as the lister writes it (no console translation).
inline const std::string kAbnormalReport = shift_jis("異常なBASICファイルです\n");

// Cutting a program anywhere lists a prefix of its full listing and reports
// the abnormal file; nothing past the cut is read (the sanitizer build checks).
inline void expect_every_prefix_lists_a_prefix(TokenDecoder decoder, const Bytes& image) {
  const Listed full = list(decoder, image);
  ASSERT_EQ(full.reports, "");
  for (std::size_t size = 0; size < image.size(); ++size) {
    const Listed listed = list(decoder, Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size)));
    EXPECT_EQ(full.text.compare(0, listed.text.size(), listed.text), 0) << "cut at " << size;
    EXPECT_EQ(listed.reports, kAbnormalReport) << "cut at " << size;
  }
}

// Every token of a dialect's tables alone on line 10: it lists its keyword,
// or only the line number and the report naming its code.
inline void expect_every_token_lists(TokenDecoder decoder, const Vocabulary& vocabulary) {
  for (const Token& token : every_token(vocabulary)) {
    const Listed listed = list(decoder, image_of({{10, token.bytes()}}));
    const bool keyword = !token.keyword.empty();
    SCOPED_TRACE("code " + code_name(token.prefix, token.code));
    EXPECT_EQ(listed.text, keyword ? "   10 " + token.keyword + "\n" : "   10 ");
    EXPECT_EQ(listed.reports, keyword ? "" : token.report());
  }
}

}  // namespace detoken::testing
