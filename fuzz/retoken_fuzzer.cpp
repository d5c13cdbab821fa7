// Listings through the tokenizer and back through the lister. The first byte
// chooses the dialect, the character mode and what the rest is: either a listing as it stands
// (anything at all: whatever is read must settle after one pass), or the
// choices that build a well-formed listing of every notation (which must be
// read, and settle).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/listing_generator.h"

namespace {

// Choices from the fuzzer's bytes; zeros once they run out.
struct FuzzedChoices {
  const std::uint8_t* data;
  std::size_t size;
  unsigned pick(unsigned n) {
    unsigned value = 0;
    for (int i = 0; i < 3 && size > 0; ++i, ++data, --size) value = value << 8 | *data;
    return value % n;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto all = detoken::dialects();
  const detoken::Dialect dialect = all[(data[0] >> 4) % all.size()]->dialect;
  const bool generated = (data[0] & 2) != 0;
  const detoken::CharMode characters{(data[0] & 4) != 0 ? detoken::CharSet::European : detoken::CharSet::Japanese,
                                     (data[0] & 8) != 0 ? detoken::Encoding::Utf8 : detoken::Encoding::ShiftJis};
  const detoken::ListingOptions options(dialect, characters);
  std::string listing;
  if (generated) {
    FuzzedChoices choices{data + 1, size - 1};
    listing = detoken::testing::ListingGenerator<FuzzedChoices>(options, choices).listing(16);
  } else {
    listing.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string program;
    detoken::ListingFault fault{};
    if (!detoken::tokenize_listing(listing, options, program, fault)) return 0;
  }
  const std::string failure = detoken::testing::check_settles(listing, options);
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
