// Argument vectors (the input split at zero bytes) through the argument
// scanning and the output-name derivation. No file is opened.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/options.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments{"detoken"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  arguments.push_back(current);
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());

  detoken::RunOptions options;
  const detoken::ScanOutcome outcome = detoken::scan_arguments(static_cast<int>(argv.size()), argv.data(), options);
  if (outcome.result != detoken::ScanResult::Convert) return 0;
  check(options.input_name != nullptr && options.input_name[0] != '-');
  const std::size_t length = strnlen(options.output_name, detoken::kOutputNameSize);
  check(length < detoken::kOutputNameSize);
  bool named = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) named = named || arguments[i].starts_with("-o");
  if (named) return 0;
  // Derived: the input's directory and stem, then ".txt".
  const std::string input = options.input_name;
  const std::string output = options.output_name;
  check(output.ends_with(".txt"));
  const std::size_t stem = output.size() - 4;
  check(input.compare(0, stem, output, 0, stem) == 0);
  const std::size_t file_name = input.find_last_of("/\\") == std::string::npos ? 0 : input.find_last_of("/\\") + 1;
  check(stem >= file_name);
  check(input.size() == stem || input[stem] == '.');
  check(input.find('.', stem + 1) == std::string::npos);
  return 0;
}
