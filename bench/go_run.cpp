// A lower bound for Go: the run itself over 1000 pictures whose thumbnails all exist, on a
// snapshot made in memory (defaults, empty text blocks), without a store, a text-block file or
// a front end. bench/go_paths.sh times Go on the paths users run. Every picture and thumbnail
// is measured and every page written, but no thumbnail is made.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/quiet_host.h"
#include "common/gallery_values.h"
#include "common/host.h"
#include "generator/generation_run.h"
#include "generator/page_context.h"
#include "generator/page_hooks.h"
#include "generator/site_clashes.h"
#include "images/jpeg_writer.h"
#include "settings/catalogue.h"
#include "settings/gallery_snapshot.h"

namespace {

namespace sfs = std::filesystem;

using fw::bench::QuietHost;

class SiteGallery : public fw::GalleryValues {
 public:
  SiteGallery(std::string base, std::vector<std::string> list)
      : base_(std::move(base)), list_(std::move(list)) {}
  std::string text(std::string_view name) const override {
    if (name == "BaseDir") return base_;
    const fw::CatalogueEntry* e = fw::FindGalleryValue(name);
    return e ? e->defaultText : std::string();
  }
  int integer(std::string_view name) const override {
    const fw::CatalogueEntry* e = fw::FindGalleryValue(name);
    return e ? e->defaultInt : 0;
  }
  bool flag(std::string_view name) const override { return integer(name) != 0; }
  std::string section(std::string_view) const override { return ""; }
  std::vector<std::string> images() const override { return list_; }
  void reloadImages() override {}
  std::string galleryName() const override { return "Bench"; }
  std::string galleryKey() const override { return "Galleries\\Bench"; }
  std::string appFolder() const override { return "/tmp/"; }

 private:
  std::string base_;
  std::vector<std::string> list_;
};

std::string Jpeg(int w, int h) {
  fw::Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  for (std::size_t i = 0; i < r.rgb.size(); ++i) r.rgb[i] = std::uint8_t(i * 7);
  return fw::EncodeJpeg(r, 80, false);
}

// 1000 pictures of the default folders with their thumbnails made already: links to one
// 64 x 48 picture and one thumbnail, as bench/go_paths.sh makes its galleries.
std::vector<std::string> MakeSite(const std::string& base) {
  sfs::remove_all(base);
  sfs::create_directories(base + "/images");
  sfs::create_directories(base + "/thumbs");
  std::ofstream(base + "/p.jpg", std::ios::binary) << Jpeg(64, 48);
  std::ofstream(base + "/t.jpg", std::ios::binary) << Jpeg(64, 48);
  std::vector<std::string> list;
  for (int i = 0; i < 1000; ++i) {
    const std::string name = "pic" + std::to_string(i) + ".jpg";
    sfs::create_hard_link(base + "/p.jpg", base + "/images/" + name);
    sfs::create_hard_link(base + "/t.jpg", base + "/thumbs/Thumb-" + name);
    list.push_back(name);
  }
  return list;
}

void GoOverExistingThumbnails_LowerBound(benchmark::State& state) {
  const std::string base = (sfs::temp_directory_path() / "fw_bench_go").string();
  SiteGallery gallery(base, MakeSite(base));
  QuietHost host;
  fw::NoBanners banners;
  fw::RunValues run;
  fw::RunControls busy{[] {}, [] {}};
  const fw::GallerySnapshot snapshot = fw::TakeSnapshot(gallery);
  auto go = [&] {
    fw::PageContext c{snapshot, host, fw::LibraryPictures(), banners, run};
    fw::RunGeneration(c, nullptr, busy, [](int) { return 0; });
  };
  go();  // the pages exist from here on, as they do when a gallery is regenerated
  for (auto _ : state) go();
  state.counters["pages"] = run.pageCount;
  sfs::remove_all(base);
}
BENCHMARK(GoOverExistingThumbnails_LowerBound)->Unit(benchmark::kMillisecond)->Iterations(5);

// What Go spends before it writes anything, finding files that would fall on one another,
// against the whole run above.
void ClashCheckOf1000Pictures(benchmark::State& state) {
  const std::string base = (sfs::temp_directory_path() / "fw_bench_clash").string();
  SiteGallery gallery(base, MakeSite(base));
  const fw::GallerySnapshot snapshot = fw::TakeSnapshot(gallery);
  for (auto _ : state) benchmark::DoNotOptimize(fw::FindSiteClashes(snapshot).any());
  sfs::remove_all(base);
}
BENCHMARK(ClashCheckOf1000Pictures)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
