#pragma once

// Files the tests read: the project's examples and the real programs of the
// shared corpus beside the checkout.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace detoken::testing {

inline std::string read_file(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path examples_dir() { return std::filesystem::path(DETOKEN_SOURCE_DIR) / "examples"; }

// The real programs saved on the machine, where the shared folder is beside
// the checkout; a test that needs them skips when it is not.
inline std::filesystem::path corpus_dir() { return std::filesystem::path(DETOKEN_SOURCE_DIR) / "../shared/corpus"; }
inline bool have_corpus() { return std::filesystem::is_directory(corpus_dir()); }

// Its programs (all S-BASIC) and their number of lines.
struct CorpusProgram {
  const char* name;
  std::size_t lines;
};
inline constexpr CorpusProgram kCorpusPrograms[] = {
    {"drinking_game_v2", 83}, {"gnu_blat_2000", 363},    {"moonlander_v4", 257},
    {"sunrise_v2", 216},      {"advent_2021_25_v6", 77}, {"advent_2021_25_v7", 50},
};

inline std::string corpus_image(const char* name) { return read_file(corpus_dir() / (std::string(name) + ".mzt")); }

}  // namespace detoken::testing

// Skips the test, saying why, where the corpus is absent.
#define DETOKEN_NEED_CORPUS() \
  if (!::detoken::testing::have_corpus()) GTEST_SKIP() << "no corpus at " << ::detoken::testing::corpus_dir()
