#include "cli/platform.h"

namespace detoken {

CommitResult commit_output(OutputFile& output, bool replace) {
  const bool written = std::ferror(output.stream) == 0;
  const bool closed = std::fclose(output.stream) == 0;
  output.stream = nullptr;
  CommitResult result = written && closed ? CommitResult::Done : CommitResult::Failed;
  if (output.temporary_name.empty()) return result;
  if (result == CommitResult::Done) {
    result = move_into_place(output.temporary_name.c_str(), output.final_name.c_str(), replace);
  }
  if (result != CommitResult::Done) remove_file(output.temporary_name.c_str());
  output.temporary_name.clear();
  return result;
}

OutputFile::~OutputFile() { discard_output(*this); }

void discard_output(OutputFile& output) {
  if (output.stream != nullptr) std::fclose(output.stream);
  output.stream = nullptr;
  if (!output.temporary_name.empty()) remove_file(output.temporary_name.c_str());
  output.temporary_name.clear();
}

}  // namespace detoken
