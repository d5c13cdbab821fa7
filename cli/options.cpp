#include "cli/options.h"

#include <cstring>

#include "cli/platform.h"

namespace detoken {
namespace {

constexpr std::size_t kExtensionRoom = kOutputNameSize - sizeof ".txt";  // 251 characters

}  // namespace

bool copy_output_name(RunOptions& options, const char* name) {
  const std::size_t length = strnlen(name, kOutputNameSize);
  std::memcpy(options.output_name, name, length);
  std::memset(options.output_name + length, 0, kOutputNameSize - length);
  options.has_output_name = true;
  return options.output_name[kOutputNameSize - 1] == '\0';
}

bool derive_output_name(RunOptions& options) {
  if (!copy_output_name(options, options.input_name)) return false;
  char* const name = options.output_name;
  char* const file_name = name + file_name_start(name);
  char* extension = std::strrchr(file_name, '.');
  if (extension == nullptr) extension = file_name + std::strlen(file_name);
  if (static_cast<std::size_t>(extension - name) > kExtensionRoom) return false;
  std::strcpy(extension, ".txt");
  return true;
}

ScanOutcome scan_arguments(int argc, const char* const* argv, RunOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] != '-') {
      if (options.input_name != nullptr) return {ScanResult::ShowUsage};
      options.input_name = argument;
      continue;
    }
    switch (argument[1]) {
      case 'h':
        options.dialect = Dialect::HuBasic;
        break;
      case 's':
        options.dialect = Dialect::SBasic;
        break;
      case 'o': {
        const char* name = argument + 2;
        if (*name == '\0') {
          if (i + 1 >= argc) return {ScanResult::ShowUsage};
          name = argv[++i];
        }
        if (!copy_output_name(options, name)) return {ScanResult::NameTooLong};
        break;
      }
      default:
        return {ScanResult::InvalidOption, argument[1]};
    }
  }
  if (options.input_name == nullptr) return {ScanResult::ShowUsage};
  if (!options.has_output_name && !derive_output_name(options)) return {ScanResult::NameTooLong};
  return {ScanResult::Convert};
}

}  // namespace detoken
