#include "tape/stage.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "tape/image_format.h"
#include "tape/recording_writer.h"
#include "tape/wav.h"

namespace detoken::tape {
namespace {

// Enough of a file's start to tell a recording: "RIFF", a size, "WAVE".
constexpr std::size_t kTelling = 12;

}  // namespace

TapeReader::TapeReader(std::uint64_t size, std::size_t wanted) : size_(size), wanted_(wanted) {}

bool TapeReader::feed(std::span<const std::uint8_t> bytes) {
  if (failed_) return false;
  if (!started_) {
    const std::size_t taken = std::min(bytes.size(), kTelling - start_.size());
    start_.insert(start_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    bytes = bytes.subspan(taken);
    if (start_.size() < kTelling) return true;
    if (!start(start_)) return false;
  }
  if (recording_) {
    recording_->feed(bytes);
    return true;
  }
  return hold(bytes);
}

bool TapeReader::start(std::span<const std::uint8_t> first) {
  started_ = true;
  if (looks_like_wav(first)) {
    recording_.emplace(wanted_);
    recording_->feed(first);
    return true;
  }
  return hold(first);
}

bool TapeReader::hold(std::span<const std::uint8_t> bytes) {
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
  if (!started_ && !failed_ && !start_.empty() && !start(start_)) return TapeStatus::NoMemory;
  if (failed_) return TapeStatus::NoMemory;
  if (!recording_) return filled_ == 0 ? TapeStatus::Empty : TapeStatus::Read;
  recording_->finish();
  switch (recording_->status()) {
    case RecordingStatus::Read: break;
    case RecordingStatus::NotWav:
    case RecordingStatus::Malformed: return TapeStatus::Malformed;
    case RecordingStatus::NoTape: return TapeStatus::NoTape;
  }
  if (wanted_ >= recording_->files().size()) return TapeStatus::NoSuchFile;
  const RecordedFile& file = recording_->files()[wanted_];
  recorded_ = file.header.bytes;
  recorded_.resize(kHeaderSize);
  recorded_.insert(recorded_.end(), file.data.bytes.begin(), file.data.bytes.end());
  return TapeStatus::Read;
}

std::span<const std::uint8_t> TapeReader::image() const {
  if (recording_) return recorded_;
  return {bytes_.get(), filled_};
}

bool can_write_tape(std::span<const std::uint8_t> image, TapeForm form) {
  return form == TapeForm::Image || recording_size(image) != 0;
}

bool write_tape(std::span<const std::uint8_t> image, TapeForm form, const ByteSink& sink) {
  switch (form) {
    case TapeForm::Image: return sink(image);
    case TapeForm::Recording: return write_recording(image, sink);
  }
  return false;
}

}  // namespace detoken::tape
