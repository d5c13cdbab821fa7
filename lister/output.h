#pragma once

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "charsets/character_sets.h"

namespace detoken {

// How a listing writes what it lists, where there is a choice.
struct ListingStyle {
  // The machine's characters: which set, in which encoding (-e, -u). The
  // keywords, the line breaks and the findings follow the encoding.
  CharMode characters;
  // Reals with the digits that make them come back as the same bytes, rather
  // than "%g"'s six (-x).
  bool exact_reals = false;
  // The language of the findings.
  Language language = Language::Japanese;

  Wording wording() const { return {language, characters.encoding}; }
};

// Where the lister writes: the listing, byte for byte (Shift_JIS text with a
// single 0x0A per line, never translated), and its findings about the
// program, which the program sends to standard error.
//
// With a file, the listing is collected in a block and written out whenever
// the block is full, so memory stays small whatever the program's size;
// without one, the whole listing stays in memory (tests, fuzzing). Without a
// report function the findings are kept in memory too.
class Output {
 public:
  using ReportFn = void (*)(std::string_view text);

  // Room always kept for one short item, so that the writes of up to this
  // many bytes need no length check of their own.
  static constexpr std::size_t kShortWrite = kCharTextSize;
  // The size of the blocks written to a file.
  static constexpr std::size_t kBlockSize = 64 * 1024;

  explicit Output(std::FILE* file = nullptr, ReportFn report = nullptr, const ListingStyle& style = {});
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void put(char c) {
    *end_++ = static_cast<char8_t>(c);
    if (end_ >= limit_) make_room();
  }

  // Writes the first `length` (at most kShortWrite) bytes of `bytes`. All
  // kShortWrite bytes are copied whatever the length, which the array type
  // makes safe to read.
  void put_short(const char (&bytes)[kShortWrite], std::size_t length) {
    assert(length <= kShortWrite);
    std::memcpy(end_, bytes, kShortWrite);
    end_ += length;
    if (end_ >= limit_) make_room();
  }

  // Room for `count` bytes (at most a block: a debug build checks) at the
  // returned place, and the end of what was written there: for writers that
  // fill many bytes at once.
  char8_t* reserve(std::size_t count) {
    assert(count <= kBlockSize);  // all a file's block can take
    if (static_cast<std::size_t>(limit_ - end_) < count) make_room_for(count);
    return end_;
  }
  void commit(char8_t* end) {
    assert(end >= end_ && end <= buffer_.get() + capacity_);
    end_ = end;
    if (end_ >= limit_) make_room();
  }

  void write(std::string_view bytes) {
    if (bytes.size() <= static_cast<std::size_t>(limit_ - end_)) {
      std::memcpy(end_, bytes.data(), bytes.size());
      end_ += bytes.size();
      if (end_ >= limit_) make_room();
    } else {
      write_long(bytes);
    }
  }

  // Hands a finding to the report function, after writing out to the file
  // what the listing holds so far.
  void report(std::string_view text);

  // Writes out what is held for the file and flushes it; false when this or
  // any earlier write to the file failed.
  bool flush();

  // The listing held in memory: all of it when there is no file.
  std::string_view text() const {
    return {reinterpret_cast<const char*>(buffer_.get()), static_cast<std::size_t>(end_ - buffer_.get())};
  }
  // The findings, when there is no report function.
  const std::string& reports() const { return reports_; }

  // The code a syntax error stopped at (its prefix FE or FF, or 0 for a
  // one-byte code), for what is said after the report; set by the lister.
  struct Stop {
    bool stopped = false;
    std::uint8_t prefix = 0;
    std::uint8_t code = 0;
  };
  void stopped_at(const Stop& stop) { stop_ = stop; }
  const Stop& stop() const { return stop_; }

  const ListingStyle& style() const { return style_; }
  Encoding encoding() const { return style_.characters.encoding; }
  // Every code's text, as the style writes characters.
  const CharTable& characters() const { return *characters_; }

 private:
  // Called when fewer than kShortWrite bytes are left: writes the block out
  // to the file, or grows the buffer in memory.
  void make_room();
  void make_room_for(std::size_t count);
  void write_long(std::string_view bytes);

  std::FILE* file_;
  ReportFn report_;
  // char8_t, not char: a store through it cannot change the cursor or the
  // pointers here, so the compiler keeps them in registers in the loops.
  // Not cleared when it is made: every byte of it is written before it is
  // read or written out.
  std::unique_ptr<char8_t[]> buffer_;
  std::size_t capacity_;
  char8_t* end_;    // where the next byte goes
  char8_t* limit_;  // kShortWrite bytes before the end of the buffer
  std::string reports_;
  Stop stop_;
  ListingStyle style_;
  const CharTable* characters_;
  bool failed_ = false;
};

}  // namespace detoken
