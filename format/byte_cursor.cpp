#include "format/byte_cursor.h"

#include <algorithm>

namespace detoken {

bool ByteCursor::run_out(std::span<std::uint8_t> into) {
  std::fill(into.begin(), into.end(), std::uint8_t{0});
  position_ = bytes_.size();
  exhausted_ = true;
  return false;
}

}  // namespace detoken
