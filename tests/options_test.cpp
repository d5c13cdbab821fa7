// Argument scanning and the output name, without running a conversion.

#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace detoken {
namespace {

struct Scanned {
  ScanOutcome outcome;
  RunOptions options;
};

// The input name points into `arguments`, which the caller keeps.
Scanned scan(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{"detoken"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  Scanned scanned{};
  scanned.outcome = scan_arguments(static_cast<int>(argv.size()), argv.data(), scanned.options);
  return scanned;
}

TEST(ScanArguments, InvalidOptionNamesTheLetterAfterTheDash) {
  const std::pair<std::string, char> cases[] = {{"-q", 'q'}, {"-H", 'H'}, {"-", '\0'}, {"--o", '-'}};
  for (const auto& [argument, letter] : cases) {
    const Scanned scanned = scan({argument, "a.mzt"});
    EXPECT_EQ(scanned.outcome.result, ScanResult::InvalidOption) << argument;
    EXPECT_EQ(scanned.outcome.invalid_letter, letter) << argument;
  }
}

TEST(DeriveOutputName, ReplacesTheExtensionOfTheFileItself) {
  const std::pair<std::string, std::string> cases[] = {
      {"PROG.MZT", "PROG.txt"},
      {"PROG", "PROG.txt"},
      {"a.b.mzt", "a.b.txt"},
      {"./PROG", "./PROG.txt"},
      {"v1.2/PROG", "v1.2/PROG.txt"},
      {"v1.2\\PROG", "v1.2\\PROG.txt"},
      {"dir.x/a.b.c", "dir.x/a.b.txt"},
      {".mzt", ".txt"},
      {std::string(251, 'n'), std::string(251, 'n') + ".txt"},
      {std::string(251, 'n') + ".mzt", std::string(251, 'n') + ".txt"},
  };
  for (const auto& [input, output] : cases) {
    RunOptions options;
    options.input_name = input.c_str();
    ASSERT_TRUE(derive_output_name(options)) << input;
    EXPECT_EQ(options.output_name, output);
  }
}

TEST(DeriveOutputName, RefusesNamesThatCannotTakeTheExtension) {
  for (const std::string& input : {std::string(252, 'n'), std::string(255, 'n'), std::string(256, 'n'),
                                   std::string(252, 'n') + ".m", std::string(300, 'n') + ".m"}) {
    RunOptions options;
    options.input_name = input.c_str();
    EXPECT_FALSE(derive_output_name(options)) << input.size();
  }
}

}  // namespace
}  // namespace detoken
