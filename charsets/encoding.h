#pragma once

#include <string_view>

namespace detoken {

// What the text a program writes is encoded in: Shift_JIS (code page 932),
// the programs' own, or UTF-8 (-u).
enum class Encoding { ShiftJis, Utf8 };

// A text the programs write, in both encodings.
struct Message {
  std::string_view shift_jis;
  std::string_view utf8;

  constexpr std::string_view in(Encoding encoding) const { return encoding == Encoding::Utf8 ? utf8 : shift_jis; }
};

}  // namespace detoken
