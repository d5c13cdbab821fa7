// The lister alone, image in memory to listing in memory, in bytes per second.
//   lister_benchmark [google benchmark flags]   (images from DETOKEN_BENCH_IMAGES)

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "lister/dialects/hubasic.h"
#include "lister/dialects/sbasic.h"
#include "lister/line_walker.h"

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

}  // namespace

int main(int argc, char** argv) {
  const char* folder = std::getenv("DETOKEN_BENCH_IMAGES");
  const std::filesystem::path images = folder != nullptr ? folder : "bench-images";
  for (const char* size : {"40k", "1m", "16m"}) {
    const std::string suffix = std::string("_") + size + ".mzt";
    benchmark::RegisterBenchmark(("realistic_sbasic" + suffix).c_str(), list_image, images / ("realistic_sbasic" + suffix),
                                 detoken::decode_sbasic_item);
    benchmark::RegisterBenchmark(("synthetic_sbasic" + suffix).c_str(), list_image, images / ("synthetic_sbasic" + suffix),
                                 detoken::decode_sbasic_item);
    benchmark::RegisterBenchmark(("synthetic_hubasic" + suffix).c_str(), list_image,
                                 images / ("synthetic_hubasic" + suffix), detoken::decode_hubasic_item);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
