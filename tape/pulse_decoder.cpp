#include "tape/pulse_decoder.h"

#include <algorithm>
#include <cmath>

namespace detoken::tape {
namespace {

// Learning the speed: a run of this many halves within a quarter of their
// mean, a plausible short pulse (the documented 240 µs from 78 % of it, which
// loads badly, to 7 % slow, with room). Then the lengths are followed by a
// sixteenth of each pulse, what follows from them worked out every eighth.
constexpr int kSteadyToLock = 64;
constexpr float kSteady = 0.25f;
constexpr float kLeastShortSeconds = 120e-6f;
constexpr float kMostShortSeconds = 330e-6f;
constexpr float kLongToShort = 1.93f;  // a long high half is 464 µs, a short one 240
constexpr float kLeastLongToShort = 1.5f;
constexpr float kMostLongToShort = 2.6f;
constexpr float kFollowLength = 1.0f / 16;
constexpr unsigned kDeriveEvery = 8;
// Pulses of no sensible length: shorter than half a short, or longer than
// the machine's tolerance; beyond four long ones the signal is gone.
constexpr float kTooShort = 0.5f;
constexpr float kTooLong = 1.8f;
constexpr float kGone = 4.0f;
constexpr float kFar = 1e30f;  // a byte's pulses' least distance from the threshold, before any

// The layout: a tapemark is at least this many long pulses (40 before a
// header, 20 before data, a stray short one among them forgiven), then
// short ones, fewer than a gap; inside a block at most 8 are in a row.
constexpr int kLeastMarkLongs = 10;
constexpr int kHeaderMarkLongs = 30;
constexpr int kStrayShorts = 2;
constexpr int kMostMarkShorts = 80;
constexpr int kGapInBlock = 9;
constexpr int kLeastGap = 64;
constexpr unsigned kPulsesPerByte = 9;
constexpr std::size_t kLongestBlock = 0xFFFF + kChecksumSize;

void set_thresholds(EdgeDetector& d) {
  const float middle = (d.high_level + d.low_level) * 0.5f;
  const float hysteresis = std::max((d.high_level - d.low_level) * kEdgeHysteresis, d.floor);
  d.up = middle + hysteresis;
  d.down = middle - hysteresis;
  d.up_whole = static_cast<std::int32_t>(d.up);
  d.down_whole = static_cast<std::int32_t>(d.down);
}

}  // namespace

// The least hysteresis: a ten-thousandth of full scale, a step and a half of 8 bits.
EdgeDetector edge_detector(float middle, float full_scale, unsigned rate) {
  constexpr double kQuietSeconds = 0.02;
  constexpr double kGlitchSeconds = 50e-6;  // a fifth of a short half
  EdgeDetector d;
  d.high_level = d.low_level = d.extreme = d.last = middle;
  d.floor = std::max(full_scale * 1e-4f, middle > 0 ? 1.5f : 0.0f);
  d.least = middle - 2 * full_scale;
  d.most = middle + 2 * full_scale;
  d.quiet = static_cast<std::size_t>(kQuietSeconds * rate);
  d.glitch = kGlitchSeconds * rate;
  set_thresholds(d);
  return d;
}

void decay_edges(EdgeDetector& d) {
  const float middle = (d.high_level + d.low_level) * 0.5f;
  d.high_level = middle + (d.high_level - middle) * 0.5f;
  d.low_level = middle + (d.low_level - middle) * 0.5f;
  set_thresholds(d);
}

PulseReader::PulseReader(unsigned rate)
    : seconds_per_frame_(1.0 / rate),
      least_short_(kLeastShortSeconds * static_cast<float>(rate)),
      most_short_(kMostShortSeconds * static_cast<float>(rate)) {}

bool PulseReader::take(double end, float length, float length_before) {
  // Unlocked, gone_ is below any length: learning the speed, or the signal gone.
  if (length > gone_ || length_before > gone_) {
    if (!locked_) return learn(length), false;
    // The signal stopped (a pause, a dropout): what is being read ends where
    // it did, and the speed is learnt again from the next gap.
    const double stopped = end - length - (length > gone_ ? 0 : length_before);
    const bool reading = stage_ == Stage::Reading;
    restart();
    return reading && end_block(stopped, block_.bytes.size(), false);
  }
  const bool is_long = length >= split_;
  float distance = std::abs(length - split_);
  if (length >= too_short_ && length <= too_long_) {
    // Followed slowly enough that a misread pulse moves the lengths little.
    float& followed = is_long ? long_ : short_;
    followed += (length - followed) * kFollowLength;
    if (++followed_ == kDeriveEvery) derive();
  } else {
    distance = 0;
  }
  if (stage_ == Stage::Reading) return read_pulse(is_long, end - length, distance);
  if (is_long) return on_long(end - length, distance);
  if (++shorts_ >= kLeastGap) stage_ = Stage::Gap;  // between blocks, short pulses make a gap
  return false;
}

void PulseReader::derive() {
  followed_ = 0;
  long_ = std::clamp(long_, short_ * kLeastLongToShort, short_ * kMostLongToShort);
  split_ = (short_ + long_) / 2;
  clearness_per_frame_ = 2 * 255 / (long_ - short_);
  too_short_ = short_ * kTooShort;
  too_long_ = long_ * kTooLong;
  gone_ = long_ * kGone;
}

bool PulseReader::finish(double end) { return stage_ == Stage::Reading && end_block(end, block_.bytes.size(), true); }

void PulseReader::learn(float length) {
  if (std::abs(length - steady_mean_) <= steady_mean_ * kSteady) {
    steady_mean_ += (length - steady_mean_) / 8;
    ++steady_;
  } else {
    steady_mean_ = length;
    steady_ = 0;
  }
  if (steady_ < kSteadyToLock || steady_mean_ < least_short_ || steady_mean_ > most_short_) return;
  locked_ = true;
  short_ = steady_mean_;
  long_ = steady_mean_ * kLongToShort;
  derive();
  longs_ = 0;
  shorts_ = steady_;
  stage_ = Stage::Gap;
}

void PulseReader::restart() {
  locked_ = false;
  gone_ = -1;
  steady_ = 0;
  longs_ = shorts_ = 0;
  stage_ = Stage::Seeking;
}

bool PulseReader::on_long(double start, float distance) {
  const bool tapemark = longs_ >= kLeastMarkLongs && shorts_ >= kGapInBlock && shorts_ <= kMostMarkShorts;
  const BlockKind kind = longs_ >= kHeaderMarkLongs ? BlockKind::Header : BlockKind::Data;
  const double mark_start = longs_start_;
  const bool after_gap = stage_ == Stage::Gap;
  if (shorts_ > kStrayShorts) {
    longs_ = 0;
    longs_start_ = start;
  }
  ++longs_;
  shorts_ = 0;
  if (tapemark) {
    // This is the single long pulse after the tapemark: the bytes follow.
    begin_block(kind, mark_start);
  } else if (after_gap) {
    // After a gap alone, the start pulse of a copy's first byte.
    begin_block(BlockKind::Copy, start);
    return read_pulse(true, start, distance);
  }
  return false;
}

void PulseReader::begin_block(BlockKind kind, double start) {
  stage_ = Stage::Reading;
  block_.kind = kind;
  block_.seconds = start * seconds_per_frame_;
  block_start_ = start;
  block_.cut = false;
  block_.bytes.clear();
  pulse_in_byte_ = 0;
  byte_distance_ = kFar;
  block_shorts_ = 0;
}

// A byte is a start pulse (long; it is waited for, never checked by the
// machine) and eight bits, the highest first. A run of short pulses longer
// than a byte holds ends the block.
bool PulseReader::read_pulse(bool is_long, double start, float distance) {
  if (is_long) {
    block_shorts_ += static_cast<unsigned>(shorts_);
    shorts_ = 0;
  } else if (shorts_++ == 0) {
    run_byte_ = block_.bytes.size();
    run_pulse_ = pulse_in_byte_;
    run_start_ = start;
  } else if (shorts_ >= kGapInBlock) {
    return end_by_gap();
  }
  value_ = value_ << 1 | (is_long ? 1u : 0u);
  if (pulse_in_byte_ == 0) {
    byte_start_ = start;
    if (!is_long) distance = 0;
  }
  byte_distance_ = std::min(byte_distance_, distance);
  if (++pulse_in_byte_ < kPulsesPerByte) return false;
  push_byte();
  return block_.bytes.size() >= kLongestBlock && end_block(start, kLongestBlock, false);
}

void PulseReader::push_byte() {
  const float clearness = byte_distance_ * clearness_per_frame_;
  block_.bytes.push_back({static_cast<std::uint8_t>(value_ & 0xFF),
                          static_cast<std::uint8_t>(clearness < 255 ? clearness : 255),
                          static_cast<float>(byte_start_ * seconds_per_frame_)});
  pulse_in_byte_ = 0;
  byte_distance_ = kFar;
}

// A run of short pulses longer than any in a block: the block ended before
// it, and before the long pulse after the checksum, which began no byte (a
// run after a long bit of a byte follows a byte, which stays).
bool PulseReader::end_by_gap() {
  const bool run_after_bit = run_pulse_ >= 2 && block_.bytes.size() > run_byte_;
  const std::size_t keep = run_byte_ + (run_after_bit ? 1 : 0);
  // A "copy" that was long pulses and then this run was a tapemark.
  if (block_.kind == BlockKind::Copy && block_shorts_ <= kStrayShorts) {
    stage_ = Stage::Seeking;
    longs_ = static_cast<int>(run_byte_ * kPulsesPerByte + run_pulse_ - block_shorts_);
    longs_start_ = block_start_;
    return false;
  }
  return end_block(run_start_, keep, false);
}

bool PulseReader::end_block(double at, std::size_t keep, bool cut) {
  stage_ = Stage::Seeking;
  longs_ = 0;
  block_.bytes.resize(std::min(keep, block_.bytes.size()));
  block_.ended = at * seconds_per_frame_;
  block_.cut = cut;
  return !block_.bytes.empty();
}

}  // namespace detoken::tape
