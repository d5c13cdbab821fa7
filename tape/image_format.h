#pragma once

// The tape image of a BASIC program (an MZT file), as the lister reads it and
// the tokenizer writes it: the 128-byte header, then each program line as its
// length, its number, its body and its terminator, then a length of 0 that
// ends the program. `Bytes` is any container of byte-sized values with
// push_back and insert.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tape/words.h"

namespace detoken::tape {

// The header: what kind of file it is, the program's name, the size of the
// program area and where the machine loads and starts it; zeros after that,
// unless the machine that saved it put something there.
inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kAttributeAt = 0x00;
inline constexpr std::size_t kNameAt = 0x01;
// The longest name, in the machine's codes; the code 0D ends it, and spaces
// pad the field to 17 bytes.
inline constexpr std::size_t kNameLength = 16;
inline constexpr std::uint8_t kNameEnd = 0x0D;
inline constexpr std::size_t kSizeAt = 0x12;
inline constexpr std::size_t kLoadAddressAt = 0x14;
inline constexpr std::size_t kExecutionAddressAt = 0x16;
// The largest program area the size word can count.
inline constexpr std::size_t kLargestProgram = 0xFFFF;

// A program line: the length word, which counts the whole line (itself, the
// number word, the body and the terminator), the number word, the body, the
// terminator. The end marker is a length of 0.
inline constexpr std::size_t kLineHeadSize = 2 * kWordSize;
inline constexpr std::size_t kLineOverhead = kLineHeadSize + 1;
inline constexpr std::size_t kLongestLine = 0xFFFF;
inline constexpr std::size_t kEndMarkerSize = kWordSize;

// What a BASIC writes into the header of its programs, besides their name
// and size: the attribute and the addresses.
struct HeaderKind {
  std::uint8_t attribute;
  std::uint16_t load_address;
  std::uint16_t execution_address;

  friend constexpr bool operator==(const HeaderKind&, const HeaderKind&) = default;
};

// Frames a line whose body of `body_size` bytes stands at `line` +
// kLineHeadSize: writes its length and number before the body and its
// terminator after it, and answers where the line ends.
template <class Byte>
Byte* frame_line(Byte* line, std::size_t body_size, std::uint16_t number, std::uint8_t terminator = 0x00) {
  const std::size_t length = body_size + kLineOverhead;
  put_word(line, static_cast<unsigned>(length));
  put_word(line + kWordSize, number);
  line[kLineHeadSize + body_size] = static_cast<Byte>(terminator);
  return line + length;
}

template <class Bytes>
void append_line(Bytes& bytes, std::uint16_t number, std::string_view body, std::uint8_t terminator = 0x00) {
  append_word(bytes, static_cast<unsigned>(body.size() + kLineOverhead));
  append_word(bytes, number);
  bytes.insert(bytes.end(), body.begin(), body.end());
  bytes.push_back(static_cast<typename Bytes::value_type>(terminator));
}

template <class Bytes>
void append_end(Bytes& bytes) {
  append_word(bytes, 0);
}

// What a header (kHeaderSize bytes at `header`) says of its file.
template <class Byte>
constexpr HeaderKind kind_of(const Byte* header) {
  return {static_cast<std::uint8_t>(header[kAttributeAt]), word_at(header + kLoadAddressAt),
          word_at(header + kExecutionAddressAt)};
}
template <class Byte>
constexpr std::size_t program_size_in(const Byte* header) {
  return word_at(header + kSizeAt);
}

// A header as the machine saves one: the attribute, the name (its codes, at
// most 16 kept) ended by 0D and padded with spaces, the size of the program
// area, the addresses, zeros.
std::string header(std::string_view name, std::size_t program_size, const HeaderKind& kind);

// The name in a header (kHeaderSize bytes): its codes up to the end mark, at
// most 16.
std::string_view name_in(std::string_view header);

// Sets the name of a header (kHeaderSize bytes) as `header` writes it.
void set_name(std::string& header, std::string_view name);

// Sets the size of the program area in a header (the first kHeaderSize bytes
// of `header`, which may go on with the program).
void set_program_size(std::string& header, std::size_t program_size);

}  // namespace detoken::tape
