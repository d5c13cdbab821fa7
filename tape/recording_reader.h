#pragma once

// Reading a recording of a tape (a WAV file) into the files it holds, each as
// its header and data: what the machine would load, and where and how badly
// a block is damaged when it would not. The reader is a state machine fed
// the file in pieces, so that the console (reading a file piece by piece)
// and the page's worker share it; its memory does not grow with the
// recording's length.
//
//   RecordingReader reader;                 // or reader(n): keep the data of file n
//   while (more) reader.feed(next_piece);   // any split of the file's bytes
//   reader.finish();
//   if (reader.status() == RecordingStatus::Read) use(reader.files());
//
// Every channel is read apart (mixing them can cancel the signal) in both
// polarities (the machine times the high half of each pulse, but a recorder
// may invert the signal, and on real recordings only one polarity's halves
// are clean); the reading whose blocks came out best is the one given. A
// polarity that misread a file's header, or read it much less clearly than
// the other, rests while the other reads that file's data.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tape/wav.h"

namespace detoken::tape {

struct BlockReading {
  enum class State {
    Good,      // the first copy's checksum held
    FromCopy,  // the first copy's failed, the second's held
    Damaged,   // both failed (or the one there was)
    Cut,       // the recording ends inside the block (or before its copy, after the first failed)
    Missing,   // never found
  };
  State state = State::Missing;
  // Where in the recording (seconds from its start) the first byte of the
  // copy used begins; when Damaged or Cut, where the first untrusted byte lies.
  double seconds = 0;
  // Bytes from the start that can be trusted: all when Good or FromCopy.
  // Otherwise those on which both copies agree, or which the only copy that
  // reached them read clearly; when every byte did, the least clear one is
  // taken for the damage.
  std::size_t trusted = 0;
  // The reading: when Damaged or Cut, each byte from the copy that read it
  // more clearly, as far as either copy reached (the checksum left out).
  std::vector<std::uint8_t> bytes;
};

struct RecordedFile {
  double seconds = 0;   // where the header's tapemark begins
  BlockReading header;  // 128 bytes when found
  // As many bytes as the header's size says (Good and empty when that is 0,
  // for there is no data block); empty for the files that were not wanted.
  BlockReading data;
};

enum class RecordingStatus {
  Read,       // files() holds at least one file
  NotWav,     // the bytes are not a WAV file
  Malformed,  // a WAV file that cannot be read: problem() says why
  NoTape,     // no file's header was read through its checksum: silence, music, noise, or cut off before
};

class RecordingReader {
 public:
  // `wanted_file` is the file whose data is kept (0 for the first); the
  // others keep their header only, so that memory stays bounded however many
  // a recording of a whole cassette side holds.
  explicit RecordingReader(std::size_t wanted_file = 0);
  ~RecordingReader();
  RecordingReader(RecordingReader&&) noexcept;
  RecordingReader& operator=(RecordingReader&&) noexcept;

  // The WAV file's bytes, in order, split anywhere.
  void feed(std::span<const std::uint8_t> bytes);
  // The file has ended: a block it cuts off is settled now.
  void finish();

  // Before finish(), what has been read so far.
  RecordingStatus status() const;
  WavProblem problem() const { return wav_.problem(); }
  // Every file found, in the order of the recording.
  const std::vector<RecordedFile>& files() const;
  // How far the reading has come, for progress: seconds of the recording.
  double seconds_read() const;

 private:
  struct Channel;

  void start_channels();
  void take_samples(std::span<const std::uint8_t> bytes);
  void scan(const std::uint8_t* frames, std::size_t count);

  WavParser wav_;
  std::size_t wanted_file_;
  std::vector<Channel> channels_;
  // The bytes of a frame split between two pieces.
  std::uint8_t partial_[kMostChannels * 8] = {};
  std::size_t partial_size_ = 0;
  std::uint64_t frames_read_ = 0;
  bool finished_ = false;
};

}  // namespace detoken::tape
