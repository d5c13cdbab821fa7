#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace detoken {

// Where the lister writes: the listing, byte for byte (Shift_JIS text with a
// single 0x0A per line, never translated), and its findings about the
// program, which the program sends to standard error.
//
// With a file, the listing is collected in blocks and written out whenever a
// block is full, so memory stays small whatever the program's size; without
// one, the whole listing stays in memory (tests, fuzzing). Without a report
// function the findings are kept in memory too.
class Output {
 public:
  using ReportFn = void (*)(std::string_view text);

  explicit Output(std::FILE* file = nullptr, ReportFn report = nullptr);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  void put(char c) {
    text_.push_back(c);
    if (file_ != nullptr && text_.size() >= kBlockSize) spill();
  }

  void write(std::string_view bytes) {
    text_.append(bytes);
    if (file_ != nullptr && text_.size() >= kBlockSize) spill();
  }

  void report(std::string_view text);

  // Writes out what is held for the file and flushes it; false when this or
  // any earlier write to the file failed.
  bool flush();

  // The listing held in memory: all of it when there is no file.
  const std::string& text() const { return text_; }
  // The findings, when there is no report function.
  const std::string& reports() const { return reports_; }

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  void spill();

  std::FILE* file_;
  ReportFn report_;
  std::string text_;
  std::string reports_;
  bool failed_ = false;
};

}  // namespace detoken
