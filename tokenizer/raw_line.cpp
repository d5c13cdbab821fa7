#include "tokenizer/raw_line.h"

#include "charsets/character_sets.h"

namespace detoken {

char* read_raw_line(std::string_view text, char* out) {
  constexpr std::size_t kEscape = 4;
  if (text.empty() || text.size() % kEscape != 0) return nullptr;
  char* at = out;
  for (std::size_t i = 0; i < text.size(); i += kEscape) {
    const int high = hex_digit(text[i + 1]);
    const int low = hex_digit(text[i + 2]);
    if (text[i] != '{' || text[i + 3] != '}' || high < 0 || low < 0) return nullptr;
    *at++ = static_cast<char>(high << 4 | low);
  }
  return at;
}

}  // namespace detoken
