// MakeScaledJpeg on a large generated picture: decode, point-sample, encode and write.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/quiet_host.h"
#include "common/host.h"
#include "images/image_io.h"
#include "images/jpeg_writer.h"

namespace {

using fw::bench::QuietHost;

// A 4000 x 3000 photograph-sized picture with smooth gradients and some texture.
const std::string& SourcePath() {
  static const std::string path = [] {
    fw::Raster r{4000, 3000, std::vector<std::uint8_t>(std::size_t(4000) * 3000 * 3)};
    for (int y = 0; y < r.height; ++y)
      for (int x = 0; x < r.width; ++x) {
        std::uint8_t* p = r.row(y) + x * 3;
        p[0] = std::uint8_t(x / 16), p[1] = std::uint8_t(y / 12), p[2] = std::uint8_t((x ^ y) & 63);
      }
    const std::string p = (std::filesystem::temp_directory_path() / "fw-bench-source.jpg").string();
    const std::string jpeg = fw::EncodeJpeg(r, 90, false);
    std::FILE* f = std::fopen(p.c_str(), "wb");
    std::fwrite(jpeg.data(), 1, jpeg.size(), f);
    std::fclose(f);
    return p;
  }();
  return path;
}

void BM_MakeScaledJpeg(benchmark::State& state) {
  QuietHost host;
  const std::string target =
      (std::filesystem::temp_directory_path() / "fw-bench-target.jpg").string();
  const int size = static_cast<int>(state.range(0));
  const bool progressive = state.range(1) != 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(fw::MakeScaledJpeg(host, SourcePath(), target, size, 75, progressive));
  std::filesystem::remove(target);
}
BENCHMARK(BM_MakeScaledJpeg)->Args({120, 1})->Args({1024, 0})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
