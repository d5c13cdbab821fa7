#pragma once

// Builds tape images for the tests (a 128-byte header, the program lines,
// and the end marker) and lists them in memory.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/dialects/dialect.h"
#include "lister/line_walker.h"
#include "lister/output.h"
#include "tape/image_format.h"

namespace detoken::testing {

using Bytes = std::vector<std::uint8_t>;

struct Line {
  std::uint16_t number;
  std::string body;  // the bytes between the line number and the terminating zero
};

// The header alone: what comes after it is up to the caller.
inline Bytes header() {
  Bytes bytes(tape::kHeaderSize, 0);
  bytes[tape::kAttributeAt] = 0x05;  // the MZ-700's BASIC programs
  return bytes;
}

inline Bytes image_of(const std::vector<Line>& lines) {
  Bytes bytes = header();
  for (const Line& line : lines) tape::append_line(bytes, line.number, line.body);
  tape::append_end(bytes);
  return bytes;
}

// One line's body as a string of bytes, so that zeros can be written in it.
inline std::string body(std::initializer_list<unsigned> codes) {
  std::string text;
  for (const unsigned code : codes) text.push_back(static_cast<char>(code));
  return text;
}

// A listing and the findings reported on the way.
struct Listed {
  std::string text;
  std::string reports;
};

inline Listed list(TokenDecoder decoder, std::string_view image, const ListingStyle& style = {}) {
  Output out(nullptr, nullptr, style);
  list_program({reinterpret_cast<const std::uint8_t*>(image.data()), image.size()}, out, decoder);
  return {std::string(out.text()), out.reports()};
}

inline Listed list(TokenDecoder decoder, const Bytes& image) {
  return list(decoder, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
}

// A program text area (lines and end marker) behind a header, listed.
inline Listed list_program_area(const std::string& program, Dialect dialect, const ListingStyle& style = {}) {
  return list(decoder_for(dialect), tape::header("", program.size(), dialect_info(dialect).header) + program, style);
}

}  // namespace detoken::testing
