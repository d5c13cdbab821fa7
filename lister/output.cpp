#include "lister/output.h"

namespace detoken {

Output::Output(std::FILE* file, ReportFn report) : file_(file), report_(report) {
  if (file_ != nullptr) text_.reserve(kBlockSize + 256);
}

void Output::report(std::string_view text) {
  if (report_ != nullptr) {
    report_(text);
  } else {
    reports_.append(text);
  }
}

void Output::spill() {
  if (!failed_ && !text_.empty() && std::fwrite(text_.data(), 1, text_.size(), file_) != text_.size()) {
    failed_ = true;
  }
  text_.clear();
}

bool Output::flush() {
  if (file_ == nullptr) return true;
  spill();
  if (std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace detoken
