#include "lister/findings.h"

#include <iterator>
#include <string>
#include <string_view>

#include "charsets/digits.h"

namespace detoken {
namespace {

void append_hex_byte(std::string& text, std::uint8_t code) {
  char digits[2];
  text.append(digits_before<16>(std::end(digits), code, 2), std::size(digits));
}

void report_syntax_error(Output& out, std::uint16_t line_number, std::string_view token) {
  std::string text = "Syntax error in " + std::to_string(line_number) + " (";
  text.append(token);
  text.append(")\n");
  out.report(text);
}

}  // namespace

void report_abnormal_file(Output& out) { out.report(kAbnormalFile.in(out.style().wording())); }

void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t code) {
  out.stopped_at({true, 0, code});
  std::string token;
  append_hex_byte(token, code);
  report_syntax_error(out, line_number, token);
}

void report_syntax_error(Output& out, std::uint16_t line_number, std::uint8_t prefix, std::uint8_t code,
                         std::uint8_t stored) {
  out.stopped_at({true, prefix, stored});
  std::string token;
  append_hex_byte(token, prefix);
  token.push_back(' ');
  append_hex_byte(token, code);
  report_syntax_error(out, line_number, token);
}

}  // namespace detoken
