// A block's reading from its two copies: the one whose checksum holds, or
// the best of both.

#include <bit>
#include <span>

#include "tape/pulse_decoder.h"
#include "tape/recording_reader.h"

namespace detoken::tape {
namespace {

using State = BlockReading::State;

BlockReading taken(const Block& block, std::size_t size, State state) {
  BlockReading reading{state, block.bytes[0].seconds, size, std::vector<std::uint8_t>(size)};
  for (std::size_t i = 0; i < size; ++i) reading.bytes[i] = block.bytes[i].value;
  return reading;
}

// Where a block whose readings all failed is damaged: its first untrusted byte.
struct Damage {
  std::size_t at = 0;
  double seconds = 0;
  bool at_end = false;  // where the readings end
};

// The first byte the readings disagree on, or the only one read unclearly;
// else where they end short of the block's `size`, or the least clear byte.
Damage damage_in(std::span<const ByteRead> a, std::span<const ByteRead> b, std::size_t reach, std::size_t size,
                 double ended) {
  Damage least;
  unsigned least_clean = 256;
  for (std::size_t i = 0; i < reach; ++i) {
    const ByteRead* x = i < a.size() ? &a[i] : nullptr;
    const ByteRead* y = i < b.size() ? &b[i] : nullptr;
    if (x && y && x->value != y->value) return {i, (x->clean < y->clean ? x : y)->seconds};
    const ByteRead& one = x ? *x : *y;
    if (!(x && y) && one.clean < kClean) return {i, one.seconds};
    if (one.clean < least_clean) least = {i, one.seconds}, least_clean = one.clean;
  }
  return a.size() < reach || b.size() < reach || reach < size ? Damage{reach, ended, true} : least;
}

// Each byte from the reading that read it more clearly.
BlockReading combined(const Block& first, const Block* copy, std::size_t size) {
  const std::span<const ByteRead> a = first.bytes;
  const std::span<const ByteRead> b = copy ? std::span<const ByteRead>(copy->bytes) : std::span<const ByteRead>();
  const std::size_t reach = std::min(size, std::max(a.size(), b.size()));
  BlockReading reading{State::Damaged, 0, 0, {}};
  for (std::size_t i = 0; i < reach; ++i) {
    const bool from_copy = i >= a.size() || (i < b.size() && b[i].clean > a[i].clean);
    reading.bytes.push_back((from_copy ? b[i] : a[i]).value);
  }
  // Cut off only where the reading that reaches further ends with the recording.
  const Block& further = a.size() >= b.size() ? first : *copy;
  const Damage damage = damage_in(a, b, reach, size, further.ended);
  if (damage.at_end && further.cut) reading.state = State::Cut;
  reading.trusted = damage.at;
  reading.seconds = damage.seconds;
  return reading;
}

}  // namespace

bool holds(const Block& block, std::size_t size) {
  if (block.bytes.size() < size + kChecksumSize) return false;
  unsigned ones = 0;
  for (std::size_t i = 0; i < size; ++i) ones += static_cast<unsigned>(std::popcount(block.bytes[i].value));
  return (ones & 0xFFFF) == static_cast<unsigned>(block.bytes[size].value << 8 | block.bytes[size + 1].value);
}

BlockReading settle(const Block& first, const Block* copy, std::size_t size) {
  if (holds(first, size)) return taken(first, size, State::Good);
  if (copy && holds(*copy, size)) return taken(*copy, size, State::FromCopy);
  return combined(first, copy, size);
}

}  // namespace detoken::tape
