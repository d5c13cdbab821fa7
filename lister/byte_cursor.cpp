#include "lister/byte_cursor.h"

#include <algorithm>

namespace detoken {

bool ByteCursor::run_out(std::span<std::uint8_t> into) {
  std::fill(into.begin(), into.end(), std::uint8_t{0});
  position_ = bytes_.size();
  exhausted_ = true;
  return false;
}

bool ByteCursor::is_zero_at(std::ptrdiff_t offset) const {
  const auto size = static_cast<std::ptrdiff_t>(bytes_.size());
  const std::ptrdiff_t at = static_cast<std::ptrdiff_t>(position_) + offset;
  return at >= 0 && at < size && bytes_[static_cast<std::size_t>(at)] == 0;
}

}  // namespace detoken
