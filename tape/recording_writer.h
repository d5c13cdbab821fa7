#pragma once

// Writing a recording of a tape image that the machine loads: a WAV file
// (44100 Hz, 16-bit, mono) of the signal the machine itself saves, with its
// whole layout: the long gap, the long tapemark, the header and its copy,
// the short gap, the short tapemark, the data and its copy (no data part when
// the image holds no data), between half a second of silence each side. The
// pulses have the documented lengths, the high half (positive) first, and
// each edge stands at the sample nearest its exact time, counted from the
// start, so that rounding never drifts.
//
// The file is written through a sink in pieces of at most 64 KB, for a
// large program's recording runs to tens of megabytes; its sizes are worked
// out before the first byte.

#include <cstdint>
#include <functional>
#include <span>

namespace detoken::tape {

// Takes the next piece of the file; false when it cannot (a full disc, say).
using RecordingSink = std::function<bool(std::span<const std::uint8_t>)>;

// The size in bytes of the file write_recording makes of `image` (0 when it
// makes none).
std::uint64_t recording_size(std::span<const std::uint8_t> image);

// Writes the recording of `image`: its 128-byte header, then as many bytes
// of data as the header's size says (any more are not the file's). False
// when the image holds less than that, or the sink fails.
bool write_recording(std::span<const std::uint8_t> image, const RecordingSink& sink);

}  // namespace detoken::tape
