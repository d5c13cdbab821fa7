#include "tape/stage.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace detoken::tape {

TapeReader::TapeReader(std::uint64_t size) : size_(size) {}

bool TapeReader::feed(std::span<const std::uint8_t> bytes) {
  if (failed_) return false;
  if (bytes_ == nullptr && size_ != 0) {
    // A size beyond what memory can address, or what it holds, is no memory.
    const auto size = static_cast<std::size_t>(size_);
    if (size == size_) bytes_.reset(new (std::nothrow) std::uint8_t[size]);
    failed_ = bytes_ == nullptr;
    if (failed_) return false;
  }
  const std::size_t taken = std::min<std::uint64_t>(bytes.size(), size_ - filled_);
  if (taken != 0) std::memcpy(bytes_.get() + filled_, bytes.data(), taken);
  filled_ += taken;
  return true;
}

TapeStatus TapeReader::finish() {
  if (failed_) return TapeStatus::NoMemory;
  return filled_ == 0 ? TapeStatus::Empty : TapeStatus::Read;
}

bool write_tape(std::span<const std::uint8_t> image, TapeForm form, const ByteSink& sink) {
  switch (form) {
    case TapeForm::Image: return sink(image);
    case TapeForm::Recording: break;
  }
  return false;
}

}  // namespace detoken::tape
