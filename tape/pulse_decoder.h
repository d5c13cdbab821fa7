#pragma once

// The tape signal of one channel, read as the machine reads it, only more
// carefully. The samples become edges (EdgeDetector, the only work done per
// sample); the time between two edges is a half of a pulse; the halves of
// one polarity, timed as the machine times its high halves, are long or
// short pulses; nine pulses make a byte and a run of bytes after a tapemark
// or a gap makes a block (PulseReader, fed per edge). Which polarity carries
// the clean halves is a property of the recording, so a channel feeds the
// halves of each polarity to a PulseReader of its own, and the blocks tell
// which read well.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace detoken::tape {

// Where a channel's signal changes level. The signal must cross a threshold
// on the far side of a tracked middle to count (hysteresis), so hiss, hum and
// an offset make no edges; the thresholds follow the levels of the recent
// halves, so a quiet recording reads as well as a loud one, and are drawn in
// when no edge comes for a while. An edge's time is where the signal crossed
// the threshold, interpolated between the samples on either side, which
// keeps 11025 Hz recordings exact enough; two edges closer than a glitch are
// noise on a slope, and neither counts.
struct EdgeDetector {
  float up = 0;    // the level a low signal must rise above to turn high
  float down = 0;  // and a high one fall below to turn low
  // The same for integer samples, rounded towards zero.
  std::int32_t up_whole = 0;
  std::int32_t down_whole = 0;
  float high_level = 0;
  float low_level = 0;
  float floor = 0;  // the least hysteresis: quantization noise makes no edges
  float least = 0;  // the range an extreme is held to, against absurd float samples
  float most = 0;
  float extreme = 0;  // the highest sample of the current high half, or lowest of a low one
  float last = 0;     // the last sample scanned
  bool high = false;
  double last_edge = 0;   // the last edge passed on, in frames since the start
  float last_length = 0;  // the length of the half it ended
  bool pending = false;   // an edge held back until the next shows it is no glitch
  double pending_time = 0;
  double glitch = 0;      // halves shorter than this are glitches
  std::size_t quiet = 0;  // frames without an edge after which the thresholds are drawn in
};

// The thresholds stand 10 % of the way from the middle to the levels: real
// recordings hold weak pulses that reach not much further.
inline constexpr float kEdgeHysteresis = 0.05f;

// A detector for samples whose silence is `middle` and whose full scale
// reaches `full_scale` from it, at `rate` frames a second.
EdgeDetector edge_detector(float middle, float full_scale, unsigned rate);

// No edge for a while (a pause, a dropout, a quieter signal): halves the
// levels' distance from the middle.
void decay_edges(EdgeDetector& detector);

namespace detail {

// The levels follow each half's extreme by a quarter, quickly enough for mains hum.
inline constexpr float kFollowLevel = 0.25f;

// Moves `at` on to the first sample that crosses `threshold` out of the
// current level (or to `stop`), keeping the half's extreme.
template <bool kHigh, class Value, class Load>
const std::uint8_t* scan_half(const std::uint8_t* at, const std::uint8_t* stop, std::size_t stride, Value threshold,
                              Value& extreme, Load load) {
  Value v;
  if constexpr (kHigh) {
    for (; at != stop && !((v = load(at)) < threshold); at += stride) extreme = extreme > v ? extreme : v;
  } else {
    for (; at != stop && !((v = load(at)) > threshold); at += stride) extreme = extreme < v ? extreme : v;
  }
  return at;
}

// Takes the edge that ends a half of `extreme`: follows the level and turns
// the detector to the other one, whose threshold it sets (the other is set at
// the next edge).
template <bool kHigh, class Value>
void take_edge(EdgeDetector& d, Value extreme) {
  float level = static_cast<float>(extreme);
  if constexpr (std::is_floating_point_v<Value>) level = level > d.least ? (level < d.most ? level : d.most) : d.least;
  float& followed = kHigh ? d.high_level : d.low_level;
  followed += (level - followed) * kFollowLevel;
  const float middle = (d.high_level + d.low_level) * 0.5f;
  const float spread = (d.high_level - d.low_level) * kEdgeHysteresis;
  const float hysteresis = spread > d.floor ? spread : d.floor;
  // (A least step closer for integer samples is no matter.)
  if constexpr (kHigh) {
    d.up_whole = static_cast<std::int32_t>(d.up = middle + hysteresis);
  } else {
    d.down_whole = static_cast<std::int32_t>(d.down = middle - hysteresis);
  }
  d.high = !kHigh;
}

// Passes on the edge before this one at `time` (frames), unless the two are
// so close that the half between them is a glitch of noise on a slope: then
// neither is an edge, and the halves either side of them are one.
template <bool kHigh, class OnEdge>
void pass_edge(EdgeDetector& d, double time, OnEdge& on_edge) {
  if (d.pending && time - d.pending_time < d.glitch) {
    d.pending = false;
    return;
  }
  if (d.pending) {
    const float length = static_cast<float>(d.pending_time - d.last_edge);
    on_edge(!kHigh, d.pending_time, length, d.last_length);
    d.last_edge = d.pending_time;
    d.last_length = length;
  }
  d.pending = true;
  d.pending_time = time;
}

}  // namespace detail

// The recording has ended: passes on the edge held back.
template <class OnEdge>
void flush_edges(EdgeDetector& d, OnEdge&& on_edge) {
  if (!d.pending) return;
  d.pending = false;
  on_edge(!d.high, d.pending_time, static_cast<float>(d.pending_time - d.last_edge), d.last_length);
}

namespace detail {

// Where between the sample before and the one at `frame` the signal crossed `level`.
inline double crossing(double frame, float before, float after, float level) {
  float fraction = (before - level) / (before - after);
  fraction = fraction > 0.0f ? fraction : 0.0f;  // and so for a NaN
  fraction = fraction < 1.0f ? fraction : 1.0f;
  return frame - 1.0 + fraction;
}

}  // namespace detail

// Scans `frames` samples of one channel, `stride` bytes apart from `at`, the
// first of them frame number `first` of the recording; `load` reads a sample
// (as an int, or a float for float codings), and
// `on_edge(high_half, end, length, length_before)` takes each half that ends
// (all times in frames). The work per sample is a load and two comparisons.
template <class Load, class OnEdge>
void scan_edges(EdgeDetector& d, const std::uint8_t* at, std::size_t frames, std::size_t stride, double first,
                Load load, OnEdge&& on_edge) {
  using Value = decltype(load(at));
  // Integer samples are compared with integer thresholds (of at most 24 bits:
  // none runs out of range).
  constexpr bool integers = !std::is_floating_point_v<Value>;
  const std::uint8_t* const begin = at;
  const std::uint8_t* const end = at + frames * stride;
  const double frames_per_byte = 1.0 / static_cast<double>(stride);
  Value extreme = static_cast<Value>(d.extreme);
  // The edge at `at`, ending a half of the level kHigh.
  auto edge = [&]<bool kHigh>(std::bool_constant<kHigh>) {
    const double frame = first + static_cast<double>(at - begin) * frames_per_byte;
    const float before = at != begin ? static_cast<float>(load(at - stride)) : d.last;
    const float level = kHigh ? d.down : d.up;
    detail::take_edge<kHigh>(d, extreme);
    detail::pass_edge<kHigh>(d, detail::crossing(frame, before, static_cast<float>(load(at)), level), on_edge);
    extreme = load(at);
    at += stride;
  };
  // The thresholds are drawn in at whole multiples of d.quiet frames, where
  // they fall however the recording is split.
  const auto first_frame = static_cast<std::uint64_t>(first);
  while (at != end) {
    const std::uint64_t here = first_frame + static_cast<std::uint64_t>(at - begin) / stride;
    const std::uint64_t due = (here / d.quiet + 1) * d.quiet;
    const bool reaches_due = due - here <= static_cast<std::uint64_t>(end - at) / stride;
    const std::uint8_t* const stop = reaches_due ? at + (due - here) * stride : end;
    for (;;) {
      if (d.high) {
        at = detail::scan_half<true>(at, stop, stride, integers ? Value(d.down_whole) : Value(d.down), extreme, load);
        if (at == stop) break;
        edge(std::true_type());
      }
      at = detail::scan_half<false>(at, stop, stride, integers ? Value(d.up_whole) : Value(d.up), extreme, load);
      if (at == stop) break;
      edge(std::false_type());
    }
    const double latest = d.pending ? d.pending_time : d.last_edge;
    if (reaches_due && static_cast<double>(due) - latest > static_cast<double>(d.quiet)) decay_edges(d);
  }
  if (frames > 0) d.last = static_cast<float>(load(end - stride));
  d.extreme = static_cast<float>(extreme);
}

enum class BlockKind { Header, Data, Copy };

struct ByteRead {
  std::uint8_t value = 0;
  // How clearly its pulses read: the least clear one's distance from the
  // threshold between short and long, 255 at the length of either or beyond, 0
  // at the threshold (or for a pulse of no sensible length, or a short start).
  std::uint8_t clean = 0;
  float seconds = 0;  // where its start pulse begins
};

// From this clearness on, a byte that read alone is taken to have read right.
inline constexpr std::uint8_t kClean = 38;

// A block as read from one stretch of tape: after a tapemark (the header or
// the data) or, after a gap of short pulses alone, a copy of the block before.
struct Block {
  BlockKind kind = BlockKind::Copy;
  double seconds = 0;           // where its tapemark begins; for a copy, its first byte
  double ended = 0;             // where the reading stopped: the gap after it, a dropout or the end of the recording
  bool cut = false;             // the recording ended inside it
  std::vector<ByteRead> bytes;  // every byte read, its checksum (kChecksumSize bytes) too
};
inline constexpr std::size_t kChecksumSize = 2;

struct BlockReading;  // tape/recording_reader.h

// Whether the checksum after the first `size` bytes of `block` holds: the
// count of their 1 bits, high byte first.
bool holds(const Block& block, std::size_t size);

// The reading of a block of `size` bytes, from its first reading and its
// copy's, if any: the first whose checksum holds, or the two combined.
BlockReading settle(const Block& first, const Block* copy, std::size_t size);

// The halves of one polarity of one channel, into blocks. It learns the
// length of a short pulse from the first steady run of pulses (the gap before
// a tapemark), then follows the lengths of both kinds, so a deck running fast
// or slow, or wavering, still reads.
class PulseReader {
 public:
  explicit PulseReader(unsigned rate);

  // Takes the half that ended at `end` and lasted `length`, after one of the
  // other polarity that lasted `length_before` (all in frames). True when a
  // block ended: it is in block() until the next call.
  bool take(double end, float length, float length_before);
  // The recording has ended at `end`: true when it ended inside a block.
  bool finish(double end);
  // Forgets what was being read, to learn the speed again from the next gap.
  void restart();
  // The short pulses so far of the gap it is in (0 inside a block).
  int gap() const { return stage_ == Stage::Reading ? 0 : shorts_; }

  Block& block() { return block_; }

 private:
  enum class Stage { Seeking, Gap, Reading };

  void learn(float length);
  void derive();
  bool on_long(double start, float distance);
  void begin_block(BlockKind kind, double start);
  bool read_pulse(bool is_long, double start, float distance);
  void push_byte();
  bool end_by_gap();
  bool end_block(double at, std::size_t keep, bool cut);

  double seconds_per_frame_;
  float least_short_;  // the plausible lengths of a short pulse, to learn it from
  float most_short_;
  bool locked_ = false;
  float steady_mean_ = 0;  // of the run of steady halves while learning
  int steady_ = 0;
  float short_ = 0;  // the lengths followed, in frames
  float long_ = 0;
  // And what follows from them: the threshold between short and long, the
  // clearness a frame away from it is worth, the lengths that make no sense.
  float split_ = 0;
  float clearness_per_frame_ = 0;
  float too_short_ = 0;
  float too_long_ = 0;
  float gone_ = -1;
  unsigned followed_ = 0;  // pulses since those were worked out
  // The current run of long pulses (a stray short one does not end it) and
  // the run of short ones after it.
  int longs_ = 0;
  int shorts_ = 0;
  double longs_start_ = 0;
  Stage stage_ = Stage::Seeking;
  Block block_;
  double block_start_ = 0;
  unsigned pulse_in_byte_ = 0;
  unsigned value_ = 0;
  float byte_distance_ = 1e30f;   // of its pulse nearest the threshold
  double byte_start_ = 0;         // in frames, as the other times until stored
  std::size_t block_shorts_ = 0;  // before the current run
  // Where the current run of short pulses began in the block.
  std::size_t run_byte_ = 0;
  unsigned run_pulse_ = 0;
  double run_start_ = 0;
};

}  // namespace detoken::tape
