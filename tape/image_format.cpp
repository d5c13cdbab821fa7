#include "tape/image_format.h"

namespace detoken::tape {
namespace {

constexpr std::size_t kNameField = kNameLength + 1;

}  // namespace

std::string header(std::string_view name, std::size_t program_size, const HeaderKind& kind) {
  std::string bytes(kHeaderSize, '\0');
  bytes[kAttributeAt] = static_cast<char>(kind.attribute);
  set_name(bytes, name);
  set_program_size(bytes, program_size);
  put_word(bytes.data() + kLoadAddressAt, kind.load_address);
  put_word(bytes.data() + kExecutionAddressAt, kind.execution_address);
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
  put_word(header.data() + kSizeAt, static_cast<unsigned>(program_size));
}

}  // namespace detoken::tape
