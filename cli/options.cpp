#include "cli/options.h"

#include <cstdlib>
#include <cstring>

#include "cli/platform.h"

namespace detoken {
namespace {

// Room before the extension: 251 characters for ".txt" and ".mzt".
constexpr std::size_t kExtensionLength = 4;
constexpr std::size_t kExtensionRoom = kOutputNameSize - kExtensionLength - 1;

// The text of an option that takes a value (-oNAME, -o NAME), or null when
// it is the last argument with nothing attached.
const char* option_value(int argc, const char* const* argv, int& i) {
  const char* value = argv[i] + 2;
  if (*value != '\0') return value;
  if (i + 1 >= argc) return nullptr;
  return argv[++i];
}

// The N of -pN, 1 or more, as the index from 0.
bool read_part(const char* text, std::size_t& part) {
  std::size_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + static_cast<std::size_t>(*text - '0');
    if (value > 65535) return false;
  }
  if (*text != '\0' || value == 0) return false;
  part = value - 1;
  return true;
}

}  // namespace

bool copy_output_name(RunOptions& options, const char* name) {
  const std::size_t length = strnlen(name, kOutputNameSize);
  std::memcpy(options.output_name, name, length);
  std::memset(options.output_name + length, 0, kOutputNameSize - length);
  options.has_output_name = true;
  return options.output_name[kOutputNameSize - 1] == '\0';
}

bool derive_output_name(RunOptions& options, const char* extension) {
  if (!copy_output_name(options, options.input_name)) return false;
  char* const name = options.output_name;
  char* const file_name = name + file_name_start(name);
  char* extension_at = std::strrchr(file_name, '.');
  if (extension_at == nullptr) extension_at = file_name + std::strlen(file_name);
  if (static_cast<std::size_t>(extension_at - name) > kExtensionRoom) return false;
  std::memcpy(extension_at, extension, kExtensionLength + 1);
  return true;
}

Language language_from_environment() {
  const char* language = std::getenv("DETOKEN_LANG");
  return language != nullptr && std::strncmp(language, "en", 2) == 0 ? Language::English : Language::Japanese;
}

ScanOutcome scan_arguments(int argc, const char* const* argv, RunOptions& options, Program program) {
  const bool retoken = program == Program::Retoken;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (argument[0] != '-') {
      if (options.input_name != nullptr) return {ScanResult::ShowUsage};
      options.input_name = argument;
      continue;
    }
    if (const DialectInfo* dialect = dialect_by_option(argument[1])) {
      options.dialect = dialect->dialect;
      continue;
    }
    switch (argument[1]) {
      case 'o': {
        const char* name = option_value(argc, argv, i);
        if (name == nullptr) return {ScanResult::ShowUsage};
        if (!copy_output_name(options, name)) return {ScanResult::NameTooLong};
        break;
      }
      case 'x': options.exact_reals = true; break;
      case 'e': options.characters.set = CharSet::European; break;
      case 'u': options.characters.encoding = Encoding::Utf8; break;
      case 'l': options.language = Language::English; break;
      case 'p': {
        const char* number = option_value(argc, argv, i);
        if (number == nullptr) return {ScanResult::ShowUsage};
        if (!read_part(number, options.part)) return {ScanResult::InvalidOption, argument[1]};
        break;
      }
      case 'n':
        if (!retoken) return {ScanResult::InvalidOption, argument[1]};
        options.tape_name = option_value(argc, argv, i);
        if (options.tape_name == nullptr) return {ScanResult::ShowUsage};
        break;
      case 't':
        if (!retoken) return {ScanResult::InvalidOption, argument[1]};
        options.tape = option_value(argc, argv, i);
        if (options.tape == nullptr) return {ScanResult::ShowUsage};
        break;
      case 'f':
        if (!retoken) return {ScanResult::InvalidOption, argument[1]};
        options.replace_existing = true;
        break;
      default: return {ScanResult::InvalidOption, argument[1]};
    }
  }
  if (options.input_name == nullptr) return {ScanResult::ShowUsage};
  // retoken writes to the tape that -t names, unless -o says otherwise.
  if (!options.has_output_name && options.tape != nullptr && !copy_output_name(options, options.tape)) {
    return {ScanResult::NameTooLong};
  }
  if (!options.has_output_name && !derive_output_name(options, retoken ? ".mzt" : ".txt")) {
    return {ScanResult::NameTooLong};
  }
  return {ScanResult::Convert};
}

}  // namespace detoken
