// The machine's characters in each mode of listing (the Japanese or the
// European set, in Shift_JIS or UTF-8), against what the descriptions of the
// two sets in data/charsets say, read here on their own: every code
// lists as its row says and comes back as itself.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "charsets/character_sets.h"
#include "tape/image_format.h"
#include "tests/files.h"
#include "tests/image.h"
#include "tests/run_program.h"
#include "tokenizer/tokenizer.h"

namespace detoken {
namespace {

std::filesystem::path charsets_dir() { return testing::data_dir() / "charsets"; }

// A row of a set's description: the character (UTF-8) where its status is
// "established", else empty.
std::vector<std::string> established_characters(const char* file) {
  std::vector<std::string> characters(256);
  std::ifstream rows(charsets_dir() / file);
  for (std::string line; std::getline(rows, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() >= 5 && fields[4] == "established") characters.at(std::stoul(fields[0], nullptr, 16)) = fields[1];
  }
  return characters;
}

// Where code page 932 has `character`: its bytes, which iconv turns back into
// it; or those of its full-width form, as the listing writes ¥ and £.
std::optional<std::string> in_code_page_932(const std::string& character) {
  for (const std::string& form : {character, std::string(character == "£" ? "￡" : character == "¥" ? "￥" : "")}) {
    if (form.empty()) continue;
    const std::optional<std::string> bytes = testing::converted(form, "UTF-8", "CP932");
    if (bytes && testing::converted(*bytes, "CP932", "UTF-8") == form) return bytes;
  }
  return std::nullopt;
}

// What a code is written as: its character, or the {XX} escape.
std::string expected_text(unsigned code, const std::string& character, CharMode mode) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "{%02X}", code);
  if (character.empty() || character == "{" || character == "}") return escape;
  if (mode.encoding == Encoding::Utf8) return character;
  const bool default_listing =
      (code >= 0x20 && code <= 0x5D) || (code >= 0x70 && code <= 0x7E) || (code >= 0x81 && code <= 0xBF);
  if (mode.set == CharSet::Japanese && !default_listing) return escape;
  return in_code_page_932(character).value_or(escape);
}

// Every code 01-FF in a string literal, a line each: listed as the set's
// description says, and read back as the same program.
TEST(CharacterSets, EveryCodeListsAsItsRowSaysAndComesBack) {
  ASSERT_TRUE(std::filesystem::is_directory(charsets_dir())) << charsets_dir();
  for (const CharSet set : {CharSet::Japanese, CharSet::European}) {
    const std::vector<std::string> characters =
        established_characters(set == CharSet::Japanese ? "japanese.tsv" : "european.tsv");
    for (const Encoding encoding : {Encoding::ShiftJis, Encoding::Utf8}) {
      const CharMode mode{set, encoding};
      SCOPED_TRACE(::testing::Message() << (set == CharSet::Japanese ? "Japanese" : "European") << " in "
                                        << (encoding == Encoding::Utf8 ? "UTF-8" : "Shift_JIS"));
      std::string program;
      std::string expected;
      for (unsigned code = 0x01; code <= 0xFF; ++code) {
        tape::append_line(program, static_cast<std::uint16_t>(code), testing::body({0x22, code, 0x22}));
        char number[8];
        std::snprintf(number, sizeof number, "%5u ", code);
        expected += number + ("\"" + expected_text(code, characters[code], mode) + "\"\n");
      }
      tape::append_end(program);
      const testing::Listed listed = testing::list_program_area(program, Dialect::SBasic, {.characters = mode});
      EXPECT_EQ(listed.text, expected);
      std::string again;
      ListingFault fault{};
      ASSERT_TRUE(tokenize_listing(listed.text, {Dialect::SBasic, mode}, again, fault))
          << "line " << fault.line << " column " << fault.column;
      EXPECT_EQ(again, program);
    }
  }
}

}  // namespace
}  // namespace detoken
