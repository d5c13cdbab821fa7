#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "tape/words.h"

namespace detoken {

// The read position in a loaded program image. Every read is checked against
// the end of the loaded bytes: a read that does not fit consumes nothing more,
// yields zeros and marks the cursor exhausted, so that the line walker can
// report a file that ends too early instead of reading past it.
class ByteCursor {
 public:
  explicit ByteCursor(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint8_t next_byte() {
    if (position_ < bytes_.size()) return bytes_[position_++];
    exhausted_ = true;
    return 0;
  }

  // The byte at the position, or 0 at the end (without marking exhaustion:
  // looking ahead is not a read of the item's own bytes).
  std::uint8_t peek_byte() const { return position_ < bytes_.size() ? bytes_[position_] : 0; }

  // A word of the machine (tape/words.h).
  std::uint16_t next_word() {
    std::uint8_t bytes[tape::kWordSize];
    if (!next_bytes(bytes)) return 0;
    return tape::word_at(bytes);
  }

  // Fills `into` whole, or marks the cursor exhausted and leaves it zeroed.
  bool next_bytes(std::span<std::uint8_t> into) {
    if (bytes_.size() - position_ < into.size()) return run_out(into);
    std::memcpy(into.data(), bytes_.data() + position_, into.size());
    position_ += into.size();
    return true;
  }

  // Whether the byte `offset` bytes from the position (negative: behind it)
  // exists and is `byte`.
  bool holds_at(std::ptrdiff_t offset, std::uint8_t byte) const {
    const std::size_t at = position_ + static_cast<std::size_t>(offset);  // wraps below 0 to a huge value
    return at < bytes_.size() && bytes_[at] == byte;
  }

  bool exhausted() const { return exhausted_; }
  // How many bytes have been read.
  std::size_t position() const { return position_; }

  // The bytes from the position to the end, and a move past `count` of them
  // (no more than there are: a debug build checks), for the copiers that scan
  // a run of text at once.
  std::span<const std::uint8_t> rest() const { return bytes_.subspan(position_); }
  void skip(std::size_t count) {
    assert(count <= bytes_.size() - position_);
    position_ += count;
  }

 private:
  bool run_out(std::span<std::uint8_t> into);

  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
  bool exhausted_ = false;
};

}  // namespace detoken
