#pragma once

// The tape stage: what the user named, turned into a tape (its header and
// program bytes), and a tape written out as an image or a recording. The
// console programs and the page reach tapes only through here.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "tape/recording_reader.h"

namespace detoken::tape {

// What a tape is kept in: an image (an MZT file: the header, then the
// program), or a recording of the signal (a WAV file).
enum class TapeForm { Image, Recording };

enum class TapeStatus {
  Read,        // the tape is there (for a recording: as well as it could be read, see recording())
  Empty,       // the file holds nothing
  NoMemory,    // an image too large to hold
  Malformed,   // a WAV file that cannot be read (problem() says why)
  NoTape,      // a recording that holds no tape
  NoSuchFile,  // a recording that holds fewer files than the one asked for
};

// Reads a tape as its file's bytes come in, in pieces of any size: by its
// content, a recording (RIFF, WAVE) is decoded as it streams in, anything
// else is an image, held whole.
class TapeReader {
 public:
  // `size`: the file's size, which an image takes in one piece; `wanted`:
  // which file of a recording (0 for the first).
  explicit TapeReader(std::uint64_t size, std::size_t wanted = 0);
  TapeReader(const TapeReader&) = delete;
  TapeReader& operator=(const TapeReader&) = delete;

  // The next bytes; false once there is no room for them (nothing more is
  // taken then).
  bool feed(std::span<const std::uint8_t> bytes);
  // The file has ended: what was read.
  TapeStatus finish();

  TapeForm form() const { return recording_ ? TapeForm::Recording : TapeForm::Image; }
  // The tape: its header and program, as an image holds them.
  std::span<const std::uint8_t> image() const;
  // A recording's reader, with every file it found and how each was read;
  // null for an image.
  const RecordingReader* recording() const { return recording_ ? &*recording_ : nullptr; }
  std::size_t wanted() const { return wanted_; }
  // How far the reading has come, in seconds of a recording.
  double seconds_read() const { return recording_ ? recording_->seconds_read() : 0; }

 private:
  bool start(std::span<const std::uint8_t> first);
  bool hold(std::span<const std::uint8_t> bytes);

  std::uint64_t size_;
  std::size_t wanted_;
  // The first bytes, until there are enough to tell a recording.
  std::vector<std::uint8_t> start_;
  bool started_ = false;
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::size_t filled_ = 0;
  bool failed_ = false;
  std::optional<RecordingReader> recording_;
  std::vector<std::uint8_t> recorded_;  // the wanted file as an image
};

// Whether a recorded block's reading can be trusted whole.
inline bool trusted(const BlockReading& block) {
  return block.state == BlockReading::State::Good || block.state == BlockReading::State::FromCopy;
}

// Where a tape is written: pieces of it in order; false when one could not be
// written.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;

// Whether `image` can be written in `form`: a recording needs the whole
// header and as much data as the header's size says.
bool can_write_tape(std::span<const std::uint8_t> image, TapeForm form);

// Writes the tape `image` (its header and program) in `form` through `sink`;
// false when the sink failed.
bool write_tape(std::span<const std::uint8_t> image, TapeForm form, const ByteSink& sink);

}  // namespace detoken::tape
