#pragma once

// The tape stage: what the user named, turned into a tape (its header and
// program bytes), and a tape written out as an image or a recording. The
// console programs and the page reach tapes only through here.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace detoken::tape {

// What a tape is kept in: an image (an MZT file: the header, then the
// program), or a recording of the signal (a WAV file).
enum class TapeForm { Image, Recording };

enum class TapeStatus {
  Read,      // the tape is there
  Empty,     // the file holds nothing
  NoMemory,  // an image too large to hold
};

// Reads a tape as its file's bytes come in, in pieces of any size: an image
// is held whole; a recording is decoded as it streams in.
class TapeReader {
 public:
  // `size`: the file's size, which an image takes in one piece.
  explicit TapeReader(std::uint64_t size);
  TapeReader(const TapeReader&) = delete;
  TapeReader& operator=(const TapeReader&) = delete;

  // The next bytes; false once there is no room for them (nothing more is
  // taken then).
  bool feed(std::span<const std::uint8_t> bytes);
  // The file has ended: what was read.
  TapeStatus finish();

  TapeForm form() const { return TapeForm::Image; }
  // The tape: its header and program, as an image holds them.
  std::span<const std::uint8_t> image() const { return {bytes_.get(), filled_}; }

 private:
  std::uint64_t size_;
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t filled_ = 0;
  bool failed_ = false;
};

// Where a tape is written: pieces of it in order; false when one could not be
// written.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;

// Writes the tape `image` (its header and program) in `form` through `sink`;
// false when the sink failed.
bool write_tape(std::span<const std::uint8_t> image, TapeForm form, const ByteSink& sink);

}  // namespace detoken::tape
