#include "convert/wording.h"

namespace detoken {

std::string format(const Message& message, const Wording& wording, std::initializer_list<std::string_view> values) {
  std::string text(message.in(wording));
  std::size_t at = 0;
  for (const std::string_view value : values) {
    at = text.find('%', at);
    if (at == std::string::npos) break;
    text.replace(at, 2, value);
    at += value.size();
  }
  return text;
}

}  // namespace detoken
