#include "lister/tape_format.h"

namespace detoken::tape {
namespace {

constexpr std::size_t kNameField = kNameLength + 1;

void put_word(std::string& bytes, std::size_t at, unsigned word) {
  bytes[at] = static_cast<char>(word & 0xFF);
  bytes[at + 1] = static_cast<char>(word >> 8 & 0xFF);
}

}  // namespace

std::string header(std::string_view name, std::size_t program_size, const HeaderKind& kind) {
  std::string bytes(kHeaderSize, '\0');
  bytes[kAttributeAt] = static_cast<char>(kind.attribute);
  set_name(bytes, name);
  set_program_size(bytes, program_size);
  put_word(bytes, kLoadAddressAt, kind.load_address);
  put_word(bytes, kExecutionAddressAt, kind.execution_address);
  return bytes;
}

std::string_view name_in(std::string_view header) {
  const std::string_view field = header.substr(kNameAt, kNameLength);
  return field.substr(0, field.find(static_cast<char>(kNameEnd)));
}

void set_name(std::string& header, std::string_view name) {
  name = name.substr(0, kNameLength);
  header.replace(kNameAt, kNameField, kNameField, ' ');
  header.replace(kNameAt, name.size(), name);
  header[kNameAt + name.size()] = static_cast<char>(kNameEnd);
}

void set_program_size(std::string& header, std::size_t program_size) {
  put_word(header, kSizeAt, static_cast<unsigned>(program_size));
}

}  // namespace detoken::tape
