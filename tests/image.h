#pragma once

// Builds tape images for the tests: a 128-byte header, the program lines,
// and the end marker.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace detoken::testing {

using Bytes = std::vector<std::uint8_t>;

struct Line {
  std::uint16_t number;
  std::string body;  // the bytes between the line number and the terminating zero
};

inline void append_word(Bytes& bytes, unsigned word) {
  bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

inline void append_line(Bytes& bytes, const Line& line) {
  append_word(bytes, static_cast<unsigned>(line.body.size() + 5));
  append_word(bytes, line.number);
  bytes.insert(bytes.end(), line.body.begin(), line.body.end());
  bytes.push_back(0);
}

// The header alone: what comes after it is up to the caller.
inline Bytes header() {
  Bytes bytes(128, 0);
  bytes[0] = 0x05;
  return bytes;
}

inline Bytes image_of(const std::vector<Line>& lines) {
  Bytes bytes = header();
  for (const Line& line : lines) append_line(bytes, line);
  append_word(bytes, 0);
  return bytes;
}

// One line's body as a string of bytes, so that zeros can be written in it.
inline std::string body(std::initializer_list<unsigned> codes) {
  std::string text;
  for (const unsigned code : codes) text.push_back(static_cast<char>(code));
  return text;
}

}  // namespace detoken::testing
