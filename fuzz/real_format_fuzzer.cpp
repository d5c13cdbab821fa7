// The real-number writer against printf's "%g", which it must match byte for
// byte: for the reals read from the machine's formats, and for any double.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

#include "format/byte_cursor.h"
#include "lister/numbers.h"
#include "lister/output.h"

namespace {

void expect_printf_text(double value) {
  if (!std::isfinite(value)) return;  // the machine's reals are always finite
  char expected[64];
  const int length = std::snprintf(expected, sizeof expected, "%g", value);
  detoken::Output out;
  detoken::write_real(out, value);
  if (out.text() != std::string_view(expected, static_cast<std::size_t>(length))) {
    std::fprintf(stderr, "%a: %g written as %.*s\n", value, value, static_cast<int>(out.text().size()),
                 out.text().data());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  {
    detoken::ByteCursor cursor(bytes);
    expect_printf_text(detoken::read_single_real(cursor));
  }
  {
    detoken::ByteCursor cursor(bytes);
    expect_printf_text(detoken::read_double_real(cursor));
  }
  if (size >= 8) {
    std::uint64_t bits;
    std::memcpy(&bits, data, sizeof bits);
    expect_printf_text(std::bit_cast<double>(bits));
  }
  return 0;
}
