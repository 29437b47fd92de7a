// The thumbnail benchmark's worker: makes the reproducible corpus and times our thumbnail paths
// over it. bench/run.sh drives it and sets its figures beside other tools' on the same files.
//   bench_thumbs corpus DIR        40 photo-like 4000 x 3000 JPEGs and an 8000 x 6000 baseline
//                                  and progressive one (only those missing are made)
//   bench_thumbs thumbs DIR SIZE   MakeScaledJpeg over the 40 into DIR/thumbs (ms for the run)
//   bench_thumbs full DIR SIZE     the same through the full decode and whole-raster sampling
//   bench_thumbs run DIR SIZE N    the Thumbs run over the 40 on N worker threads
//   bench_thumbs resize DIR SIZE N "Resize large images" over a copy of the 40 into a SIZE box
//   bench_thumbs one FILE SIZE     one thumbnail; prints ms and the process's peak memory
//   bench_thumbs probe FILE        1000 size probes: headers only, and the whole file in memory
// A last word "smooth" makes thumbs, run, resize and one scale smoothly (thumbs then writes
// into DIR/thumbs-smooth); "allscans" makes thumbs and one scale smoothly through libjpeg's 1/8
// decode of every scan even where the DC scans would do (thumbs writes into DIR/thumbs-allscans).
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/fs.h"
#include "common/gallery_values.h"
#include "bench/quiet_host.h"
#include "common/host.h"
#include "images/image_io.h"
#include "images/jpeg_reader.h"
#include "images/jpeg_smooth.h"
#include "images/jpeg_writer.h"
#include "images/resize_run.h"
#include "images/scaler.h"
#include "images/srgb.h"
#include "images/thumbnail_run.h"
#include "settings/catalogue.h"

namespace {

using fw::bench::QuietHost;

// The corpus folder as a gallery whose thumbnails go to DIR/thumbs, "Smooth pictures" as asked;
// catalogue defaults else.
class CorpusGallery : public fw::GalleryValues {
 public:
  CorpusGallery(std::string dir, int size, bool smooth)
      : dir_(std::move(dir)), size_(size), smooth_(smooth) {}
  std::string text(std::string_view name) const override {
    if (name == "BaseDir") return dir_;
    if (name == "ImageDir") return "";
    if (name == "ThumbsDir") return "thumbs";
    const fw::CatalogueEntry* e = fw::FindGalleryValue(name);
    return e ? e->defaultText : std::string();
  }
  int integer(std::string_view name) const override {
    if (name == "ThumbSize" || name == "MaxImageWidth" || name == "MaxImageHeight") return size_;
    if (name == "SmoothPictures") return smooth_;
    const fw::CatalogueEntry* e = fw::FindGalleryValue(name);
    return e ? e->defaultInt : 0;
  }
  bool flag(std::string_view name) const override { return integer(name) != 0; }
  std::string section(std::string_view) const override { return ""; }
  std::vector<std::string> images() const override;
  void reloadImages() override {}
  std::string galleryName() const override { return "Bench"; }
  std::string galleryKey() const override { return "Galleries\\Bench"; }
  std::string appFolder() const override { return "/tmp/"; }

 private:
  std::string dir_;
  int size_;
  bool smooth_;
};

// Smooth shading, edges and sensor-like noise, so the entropy coder works as hard as on a photo.
fw::Raster Photo(int w, int h, unsigned seed) {
  fw::Raster r{w, h, std::vector<std::uint8_t>(std::size_t(w) * h * 3)};
  unsigned s = seed * 2654435761u + 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1103515245u + 12345u;
      const int n = int((s >> 16) & 15) - 8;
      const int band = ((x / 97 + y / 61 + int(seed)) & 3) * 24;
      std::uint8_t* p = r.row(y) + std::size_t(x) * 3;
      p[0] = std::uint8_t(std::clamp(x * 200 / w + band + n, 0, 255));
      p[1] = std::uint8_t(std::clamp(y * 180 / h + 40 + n, 0, 255));
      p[2] = std::uint8_t(std::clamp(((x + y) * 150) / (w + h) + band / 2 + n, 0, 255));
    }
  return r;
}

std::string Name(int i) {
  char b[32];
  std::snprintf(b, sizeof b, "p%02d.jpg", i);
  return b;
}

double Millis(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

std::vector<std::string> CorpusGallery::images() const {
  std::vector<std::string> list;
  for (int i = 0; i < 40; ++i) list.push_back(Name(i));
  return list;
}

// The smooth thumbnail as it was made before the DC scans could stand for libjpeg's decode.
void AllScansThumbnail(const std::string& src, const std::string& dst, int size, fw::Host& host) {
  fw::Raster r = *fw::SmoothJpegFromScaledDecode(src, size, 1, host);
  fw::ConvertToSrgb(r);
  fw::fs::ReplaceAtomically(dst, fw::EncodeJpeg(r, 75, true), false);
}

void MakeMissing(const std::string& path, int w, int h, unsigned seed, bool progressive) {
  if (!std::filesystem::exists(path))
    fw::fs::ReplaceAtomically(path, fw::EncodeJpeg(Photo(w, h, seed), 90, progressive), false);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string last = argc > 1 ? argv[argc - 1] : "";
  const bool allScans = last == "allscans";
  const bool smooth = last == "smooth" || allScans;
  const fw::Sampler sampler = smooth ? fw::Sampler::Smooth : fw::Sampler::Point;
  if (smooth) --argc;
  if (argc < 3) return 2;
  const std::string mode = argv[1], where = argv[2];
  const int size = argc > 3 ? std::atoi(argv[3]) : 100;
  QuietHost host;
  if (mode == "corpus") {
    std::filesystem::create_directories(where);
    for (int i = 0; i < 40; ++i) MakeMissing(where + "/" + Name(i), 4000, 3000, unsigned(i), i % 2 == 1);
    MakeMissing(where + "/big48.jpg", 8000, 6000, 99, false);
    MakeMissing(where + "/big48p.jpg", 8000, 6000, 99, true);
    return 0;
  }
  if (mode == "probe") {
    auto t = std::chrono::steady_clock::now();
    long sum = 0;
    for (int i = 0; i < 1000; ++i) sum += fw::ReadJpegSize(where).width;
    const double headers = Millis(t);
    t = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) sum += fw::JpegSizeFromMemory(fw::fs::ReadFile(where)).width;
    std::printf("%.3f ms headers only, %.3f ms whole file (%ld)\n", headers / 1000,
                Millis(t) / 1000, sum);
    return 0;
  }
  const unsigned threads = argc > 4 ? unsigned(std::atoi(argv[4])) : 0;
  const std::string work = where + "/resize-work";
  if (mode == "resize") {  // the copy is not timed
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work);
    for (int i = 0; i < 40; ++i)
      std::filesystem::copy_file(where + "/" + Name(i), work + "/" + Name(i));
  }
  const auto t0 = std::chrono::steady_clock::now();
  if (mode == "thumbs" || mode == "full") {
    const std::string out =
        where + (allScans ? "/thumbs-allscans" : smooth ? "/thumbs-smooth" : "/thumbs");
    std::filesystem::create_directories(out);
    for (int i = 0; i < 40; ++i) {
      const std::string src = where + "/" + Name(i), dst = out + "/" + Name(i);
      if (mode == "thumbs" && allScans)
        AllScansThumbnail(src, dst, size, host);
      else if (mode == "thumbs")
        fw::MakeScaledJpeg(host, src, dst, size, 75, true, sampler);
      else
        fw::fs::ReplaceAtomically(
            dst, fw::EncodeJpeg(fw::PointSample(fw::ReadJpeg(src), size, host), 75, true), false);
    }
  } else if (mode == "run") {
    CorpusGallery g(where, size, smooth);
    fw::RunControls busy;
    busy.enter = [] {};
    busy.leave = [] {};
    fw::RunThumbnails(g, host, busy, threads);
  } else if (mode == "resize") {
    CorpusGallery g(work, size, smooth);
    fw::RunResizeImages(g, host, {}, {}, threads);
  } else if (mode == "one") {
    // A new thumbnail, as a first Thumbs run writes it: replacing one waits for the disk.
    std::filesystem::remove("/tmp/fw-bench-one.jpg");
    if (allScans)
      AllScansThumbnail(where, "/tmp/fw-bench-one.jpg", size, host);
    else
      fw::MakeScaledJpeg(host, where, "/tmp/fw-bench-one.jpg", size, 75, true, sampler);
  } else {
    return 2;
  }
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  std::printf("%.1f ms, peak %.1f MiB\n", Millis(t0), u.ru_maxrss / 1024.0);
  return 0;
}
