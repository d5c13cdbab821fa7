#include "lister/output.h"

namespace detoken {

Output::Output(std::FILE* file, ReportFn report, const ListingStyle& style)
    : file_(file),
      report_(report),
      buffer_(new char8_t[file != nullptr ? kBlockSize : 256]),
      capacity_(file != nullptr ? kBlockSize : 256),
      style_(style),
      characters_(&char_table(style.characters)) {
  end_ = buffer_.get();
  limit_ = buffer_.get() + capacity_ - kShortWrite;
}

void Output::write_long(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t room = static_cast<std::size_t>(limit_ - end_) + 1;
    const std::size_t length = bytes.size() < room ? bytes.size() : room;
    std::memcpy(end_, bytes.data(), length);
    end_ += length;
    bytes.remove_prefix(length);
    if (end_ >= limit_) make_room();
  }
}

void Output::report(std::string_view text) {
  if (report_ != nullptr) {
    // What was listed reaches the file first, whatever becomes of the
    // console the report goes to.
    flush();
    report_(text);
  } else {
    reports_.append(text);
  }
}

void Output::make_room() {
  const auto used = static_cast<std::size_t>(end_ - buffer_.get());
  if (file_ == nullptr) {
    std::unique_ptr<char8_t[]> larger(new char8_t[capacity_ * 2]);
    std::memcpy(larger.get(), buffer_.get(), used);
    buffer_ = std::move(larger);
    capacity_ *= 2;
    end_ = buffer_.get() + used;
  } else {
    if (!failed_ && std::fwrite(buffer_.get(), 1, used, file_) != used) failed_ = true;
    end_ = buffer_.get();
  }
  limit_ = buffer_.get() + capacity_ - kShortWrite;
}

void Output::make_room_for(std::size_t count) {
  do {
    make_room();
  } while (static_cast<std::size_t>(limit_ - end_) < count && file_ == nullptr);
}

bool Output::flush() {
  if (file_ == nullptr) return true;
  const auto used = static_cast<std::size_t>(end_ - buffer_.get());
  if (!failed_ && used != 0 && std::fwrite(buffer_.get(), 1, used, file_) != used) failed_ = true;
  end_ = buffer_.get();
  if (std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace detoken
