#include "lister/line_walker.h"

#include <algorithm>

#include "charsets/digits.h"
#include "lister/findings.h"

namespace detoken {
namespace {

// The line number right-aligned in five columns, then a space ("%5d ").
void write_line_number(Output& out, std::uint16_t line_number) {
  char text[Output::kShortWrite] = {};
  unsigned value = line_number;
  for (int at = 4; at >= 0; --at) {
    text[at] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  for (int at = 0; at < 4 && text[at] == '0'; ++at) text[at] = ' ';
  text[5] = ' ';
  out.put_short(text, 6);
}

// Decodes one line body up to its terminator. False when the listing must
// stop (a report has been written).
bool list_body(ByteCursor& cursor, Output& out, TokenDecoder decoder, std::uint16_t line_number) {
  for (;;) {
    const std::uint8_t code = cursor.next_byte();
    if (cursor.exhausted()) break;
    if (code == decoder.line_end()) {
      out.put('\n');
      return true;
    }
    if (decoder.decode_item(code, cursor, out, line_number) == DecodeResult::Stop) return false;
    if (cursor.exhausted()) break;
  }
  report_abnormal_file(out);
  return false;
}

// A line's bytes each as its escape: a line that no keyword, constant or
// character explains (machine code), listed so that it is read back as it
// is.
void write_raw_line(Output& out, std::span<const std::uint8_t> body) {
  for (const std::uint8_t code : body) {
    char escape[Output::kShortWrite] = {'{', '0', '0', '}'};
    digits_before<16>(escape + 3, code, 2);
    out.put_short(escape, 4);
  }
}

// Decodes a line stepped by its length: `body` holds its body and its
// terminator. A body that is not items up to that terminator (a terminator
// before it, an item running past it) is written raw. False when the
// listing must stop (a report has been written).
bool list_line_by_length(std::span<const std::uint8_t> body, Output& out, TokenDecoder decoder,
                         std::uint16_t line_number) {
  Output decoded(nullptr, nullptr, out.style());
  ByteCursor cursor(body);
  bool explained = false;
  for (;;) {
    const std::uint8_t code = cursor.next_byte();
    if (code == decoder.line_end()) {
      explained = cursor.position() == body.size();
      break;
    }
    if (decoder.decode_item(code, cursor, decoded, line_number) == DecodeResult::Stop) {
      out.write(decoded.text());
      out.stopped_at(decoded.stop());
      out.report(decoded.reports());
      return false;
    }
    if (cursor.exhausted()) break;
  }
  if (explained) {
    out.write(decoded.text());
  } else {
    write_raw_line(out, body.first(body.size() - 1));
  }
  out.put('\n');
  return true;
}

}  // namespace

std::size_t list_program(std::span<const std::uint8_t> image, Output& out, TokenDecoder decoder) {
  ByteCursor cursor(image.subspan(std::min(image.size(), kProgramStart)));
  for (;;) {
    const std::uint16_t length = cursor.next_word();
    if (cursor.exhausted()) break;
    if (length == 0) return kProgramStart + cursor.position();
    // The line's last byte, `length` - 1 from its start, must be its
    // terminator; the cursor stands 2 bytes into the line.
    if (!cursor.holds_at(std::ptrdiff_t{length} - 3, decoder.line_end())) break;
    const std::uint16_t line_number = cursor.next_word();
    if (cursor.exhausted()) break;
    if (decoder.lines_by_length()) {
      if (length < tape::kLineOverhead) break;
      write_line_number(out, line_number);
      const std::size_t rest = length - tape::kLineHeadSize;
      if (!list_line_by_length(cursor.rest().first(rest), out, decoder, line_number)) return 0;
      cursor.skip(rest);
      continue;
    }
    write_line_number(out, line_number);
    if (!list_body(cursor, out, decoder, line_number)) return 0;
  }
  report_abnormal_file(out);
  return 0;
}

}  // namespace detoken
