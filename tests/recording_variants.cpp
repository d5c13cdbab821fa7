#include "tests/recording_variants.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <random>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace detoken::testing {

std::size_t heap_held() {
#if defined(__GLIBC__)
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#else
  return 0;
#endif
}

namespace {

void put_le(Bytes& bytes, std::uint64_t value, unsigned size) {
  for (unsigned i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> 8 * i & 0xFF));
}

template <class Real>
void put_real(Bytes& bytes, Real value) {
  std::uint8_t raw[sizeof value];
  std::memcpy(raw, &value, sizeof value);  // the tests run on little-endian machines
  bytes.insert(bytes.end(), raw, raw + sizeof value);
}

void put_sample(Bytes& bytes, float x, unsigned tag, unsigned bits) {
  x = std::clamp(x, -1.0f, 1.0f);
  if (tag == 3) return bits == 32 ? put_real(bytes, x) : put_real(bytes, static_cast<double>(x));
  const long value = std::lround(x * (std::ldexp(1.0, static_cast<int>(bits) - 1) - 1)) + (bits == 8 ? 128 : 0);
  put_le(bytes, static_cast<std::uint64_t>(value), bits / 8);
}

// The "fmt " chunk; the extensible one names integer PCM by its GUID.
Chunk format_chunk(unsigned tag, unsigned bits, unsigned channels, unsigned rate) {
  Bytes body = format_body(tag, channels, rate, bits, channels * bits / 8);
  if (tag != 0xFFFE) return {"fmt ", body};
  put_le(body, 22, 2);  // the extension's size, the valid bits, the channel mask, the GUID
  put_le(body, bits, 2);
  put_le(body, 4, 4);
  put_le(body, 0x0010000000000001, 8);
  put_le(body, 0x719B3800AA000080, 8);
  return {"fmt ", body};
}

}  // namespace

Bytes read_bytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

Signal signal_of(const Bytes& wav) {
  Signal signal{{}, static_cast<double>(wav[24] | wav[25] << 8 | wav[26] << 16)};
  const bool eight = wav[34] == 8;
  for (std::size_t at = 44; at + (eight ? 0 : 1) < wav.size(); at += eight ? 1 : 2) {
    signal.samples.push_back(eight ? (wav[at] - 128) / 128.0f
                                   : static_cast<std::int16_t>(wav[at] | wav[at + 1] << 8) / 32768.0f);
  }
  return signal;
}

Signal varied(const Signal& signal, const Variant& v) {
  Signal out{{}, v.rate > 0 ? v.rate : signal.rate};
  const std::vector<float>& in = signal.samples;
  const double step = signal.rate / out.rate * v.speed;
  const double dropout = v.dropout * static_cast<double>(in.size());
  for (double at = 0; at + 1 < static_cast<double>(in.size());) {
    const auto i = static_cast<std::size_t>(at);
    const double seconds = static_cast<double>(out.samples.size()) / out.rate;
    const bool dropped = v.dropout >= 0 && at >= dropout && at < dropout + 0.03 * signal.rate;
    out.samples.push_back(dropped ? 0.0f : static_cast<float>(in[i] + (in[i + 1] - in[i]) * (at - i)));
    at += step * (1 + v.wow * std::sin(2 * std::numbers::pi * 0.5 * seconds));
  }
  std::mt19937 random(2024);
  std::normal_distribution<float> hiss(0, v.hiss > 0 ? v.hiss : 1);
  for (std::size_t k = 0; k < out.samples.size(); ++k) {
    const double hum = v.hum * std::sin(2 * std::numbers::pi * 50 * static_cast<double>(k) / out.rate);
    out.samples[k] = out.samples[k] * v.gain + v.offset + static_cast<float>(hum) + (v.hiss > 0 ? hiss(random) : 0);
  }
  return out;
}

Bytes wav_of(const Signal& signal, const Variant& v) {
  const unsigned channels = v.other == Other::None ? 1 : 2;
  Bytes data;
  for (const float x : signal.samples) {
    const float other = v.other == Other::Inverted ? -x : 0;
    put_sample(data, channels == 2 && v.tape_on_right ? other : x, v.tag, v.bits);
    if (channels == 2) put_sample(data, v.tape_on_right ? x : other, v.tag, v.bits);
  }
  const Chunk format = format_chunk(v.tag, v.bits, channels, static_cast<unsigned>(signal.rate));
  const Chunk samples{"data", data, v.sizes};
  if (!v.extra_chunks) return riff({format, samples}, v.sizes);
  return riff({{"LIST", Bytes(5, 'x')}, format, {"junk", Bytes(3, 0)}, samples, {"id3 ", Bytes(7, 1)}}, v.sizes);
}

Bytes riff(const std::vector<Chunk>& chunks, std::uint32_t riff_size) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Chunk& chunk : chunks) {
    body.insert(body.end(), chunk.id.begin(), chunk.id.end());
    put_le(body, chunk.size == kTrueSize ? chunk.body.size() : chunk.size, 4);
    body.insert(body.end(), chunk.body.begin(), chunk.body.end());
    if (chunk.body.size() % 2 == 1) body.push_back(0);
  }
  Bytes file{'R', 'I', 'F', 'F'};
  put_le(file, riff_size == kTrueSize ? body.size() : riff_size, 4);
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes format_body(unsigned tag, unsigned channels, unsigned rate, unsigned bits, unsigned block_align) {
  Bytes body;
  put_le(body, tag, 2);
  put_le(body, channels, 2);
  put_le(body, rate, 4);
  put_le(body, static_cast<std::uint64_t>(rate) * block_align, 4);
  put_le(body, block_align, 2);
  put_le(body, bits, 2);
  return body;
}

tape::RecordingReader read_in_pieces(std::span<const std::uint8_t> wav, std::size_t wanted_file) {
  tape::RecordingReader reader(wanted_file);
  std::size_t piece = 1;
  for (std::size_t at = 0; at < wav.size(); at += piece, piece = (piece * 7 + 13) % 4099 + 1) {
    reader.feed(wav.subspan(at, std::min(piece, wav.size() - at)));
  }
  reader.finish();
  return reader;
}

// tape-audio.md, "One file on the tape".
Layout documented_layout(std::span<const std::uint8_t> image, bool copies, unsigned long_gap, unsigned short_gap) {
  Layout layout;
  std::string& p = layout.pulses;
  const auto byte = [&p](unsigned value) {
    p += 'L';
    for (int bit = 7; bit >= 0; --bit) p += (value >> bit & 1) != 0 ? 'L' : 'S';
  };
  const auto block = [&](std::span<const std::uint8_t> bytes, std::size_t& first, std::size_t& copy) {
    unsigned ones = 0;
    for (const std::uint8_t value : bytes) ones += static_cast<unsigned>(std::popcount(value));
    for (int pass = 0; pass < (copies ? 2 : 1); ++pass) {
      if (pass == 1) p.append(256, 'S');
      (pass == 0 ? first : copy) = p.size();
      for (const std::uint8_t value : bytes) byte(value);
      byte(ones >> 8 & 0xFF);
      byte(ones & 0xFF);
      p += 'L';
    }
  };
  p.append(long_gap, 'S').append(40, 'L').append(40, 'S').append(1, 'L');
  block(image.first(128), layout.header, layout.header_copy);
  if (image.size() == 128) return layout;
  p.append(short_gap, 'S').append(20, 'L').append(20, 'S').append(1, 'L');
  block(image.subspan(128), layout.data, layout.data_copy);
  return layout;
}

Signal rendered(const std::string& pulses) {
  Signal signal{std::vector<float>(22050, 0.0f), 44100};
  std::uint64_t microseconds = 0;
  const auto until = [&signal](std::uint64_t at, float level) {
    const auto end = static_cast<std::size_t>(22050 + std::llround(static_cast<double>(at) * 0.0441));
    signal.samples.resize(end, level);
  };
  for (const char pulse : pulses) {
    until(microseconds += static_cast<std::uint64_t>(pulse == 'L' ? kLongHigh : kShortHigh), 0.5f);
    until(microseconds += static_cast<std::uint64_t>(pulse == 'L' ? kLongLow : kShortLow), -0.5f);
  }
  signal.samples.resize(signal.samples.size() + 22050, 0.0f);
  return signal;
}

std::vector<Pulse> pulses_in(const Signal& signal) {
  std::vector<Pulse> pulses;
  const std::vector<float>& s = signal.samples;
  for (std::size_t k = 1; k < s.size(); ++k) {
    if (s[k] > 0 && s[k - 1] <= 0) pulses.push_back({k, 0, 0});
    if (pulses.empty()) continue;
    Pulse& pulse = pulses.back();
    if (s[k] < 0 && s[k - 1] >= 0) pulse.high = k - pulse.start;
    if (s[k] >= 0 && s[k - 1] < 0) pulse.low = k - pulse.start - pulse.high;
  }
  return pulses;
}

}  // namespace detoken::testing
