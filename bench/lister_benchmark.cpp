// The lister alone, image in memory to listing in memory, and the tokenizer
// alone, the listing's lines back to program bytes, in bytes per second of the
// image and of the listing; the three sizes show that the cost grows with the
// size and no faster.
//   lister_benchmark [google benchmark flags]   (images from DETOKEN_BENCH_IMAGES)

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "lister/decoding.h"
#include "lister/line_walker.h"
#include "tokenizer/tokenizer.h"

namespace {

std::vector<std::uint8_t> load(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void list_image(benchmark::State& state, const std::filesystem::path& path, detoken::TokenDecoder decoder) {
  const std::vector<std::uint8_t> image = load(path);
  if (image.empty()) {
    state.SkipWithError("image missing: run generate_images first");
    return;
  }
  for (auto _ : state) {
    detoken::Output out;
    detoken::list_program(image, out, decoder);
    benchmark::DoNotOptimize(out.text().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * image.size()));
}

// The tokenizer on every line of a listing. A large listing has more lines
// than one program can number (65536 at most), so its lines are tokenized
// one by one, as tokenize_listing does after reading each line's number.
void tokenize_lines(benchmark::State& state, const std::filesystem::path& path, detoken::TokenDecoder decoder,
                    detoken::Dialect dialect) {
  const std::vector<std::uint8_t> image = load(path);
  if (image.empty()) {
    state.SkipWithError("image missing: run generate_images first");
    return;
  }
  detoken::Output listed;
  detoken::list_program(image, listed, decoder);
  std::vector<std::string_view> lines;
  for (std::string_view listing = listed.text(); !listing.empty();) {
    const std::size_t end = listing.find('\n');
    lines.push_back(listing.substr(6, end - 6));  // after "%5d "
    listing.remove_prefix(end + 1);
  }
  std::string body;
  for (auto _ : state) {
    for (const std::string_view line : lines) {
      body.clear();
      detoken::ListingFault fault{};
      if (!detoken::tokenize_line(line, dialect, body, fault)) {
        state.SkipWithError("a line is not read back");
        return;
      }
      benchmark::DoNotOptimize(body.data());
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * listed.text().size()));
}

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("DETOKEN_BENCH_IMAGES");
  const std::filesystem::path images = folder != nullptr ? folder : "bench-images";
  for (const char* size : {"40k", "1m", "16m"}) {
    const std::string suffix = std::string("_") + size + ".mzt";
    benchmark::RegisterBenchmark(("realistic_sbasic" + suffix).c_str(), list_image,
                                 images / ("realistic_sbasic" + suffix),
                                 detoken::decoder_for(detoken::Dialect::SBasic));
    benchmark::RegisterBenchmark(("synthetic_sbasic" + suffix).c_str(), list_image,
                                 images / ("synthetic_sbasic" + suffix),
                                 detoken::decoder_for(detoken::Dialect::SBasic));
    benchmark::RegisterBenchmark(("synthetic_hubasic" + suffix).c_str(), list_image,
                                 images / ("synthetic_hubasic" + suffix),
                                 detoken::decoder_for(detoken::Dialect::HuBasic));
    // The synthetic images hold sequences no tokenizer makes (a word
    // followed by a digit lists as one larger number), so only the realistic
    // listing is read back.
    benchmark::RegisterBenchmark(("tokenize_realistic_sbasic" + suffix).c_str(), tokenize_lines,
                                 images / ("realistic_sbasic" + suffix), detoken::decoder_for(detoken::Dialect::SBasic),
                                 detoken::Dialect::SBasic);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
