#include "tokenizer/tape_image.h"

namespace detoken::tape {
namespace {

constexpr std::size_t kNameAt = 0x01;
constexpr std::size_t kNameField = kNameLength + 1;
constexpr char kNameEnd = 0x0D;
constexpr std::size_t kSizeAt = 0x12;
constexpr std::size_t kLoadAddressAt = 0x14;
constexpr unsigned kBasicLoadAddress = 0x6BCF;

void put_word(std::string& bytes, std::size_t at, unsigned word) {
  bytes[at] = static_cast<char>(word & 0xFF);
  bytes[at + 1] = static_cast<char>(word >> 8 & 0xFF);
}

}  // namespace

std::string header(std::string_view name, std::size_t program_size) {
  std::string bytes(kHeaderSize, '\0');
  bytes[0] = static_cast<char>(kBasicProgram);
  name = name.substr(0, kNameLength);
  bytes.replace(kNameAt, kNameField, kNameField, ' ');
  bytes.replace(kNameAt, name.size(), name);
  bytes[kNameAt + name.size()] = kNameEnd;
  put_word(bytes, kSizeAt, static_cast<unsigned>(program_size));
  put_word(bytes, kLoadAddressAt, kBasicLoadAddress);
  return bytes;
}

}  // namespace detoken::tape
