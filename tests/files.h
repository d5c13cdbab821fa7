#pragma once

// Files the tests read: the project's examples and its data: the real
// programs saved on the machine, the descriptions of its character sets and
// of the dialects' keyword codes.

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

inline std::filesystem::path data_dir() { return std::filesystem::path(DETOKEN_SOURCE_DIR) / "data"; }
// The real programs saved on the machine (and a recording of one).
inline std::filesystem::path corpus_dir() { return data_dir() / "corpus"; }

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
