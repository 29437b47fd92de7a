#include "cli/demo.h"

#include <algorithm>
#include <cmath>

#include "cli/gallery.h"
#include "common/error.h"
#include "common/fs.h"
#include "common/paths.h"
#include "generator/generation_run.h"
#include "generator/layout.h"
#include "images/jpeg_writer.h"
#include "settings/catalogue.h"
#include "settings/textblock.h"

namespace fw::cli {
namespace {

struct DemoPicture {
  const char* name;
  int width, height;
};

// Landscape, portrait and square pictures of a few sizes.
constexpr DemoPicture kPictures[] = {
    {"harbour_at_dawn.jpg", 640, 480},  {"old_lighthouse.jpg", 360, 540},
    {"meadow.jpg", 800, 450},           {"red_door.jpg", 400, 600},
    {"market_day.jpg", 500, 500},       {"river_bend.jpg", 720, 405},
    {"tower.jpg", 300, 640},            {"sunflowers.jpg", 600, 400},
    {"snowy_peak.jpg", 1024, 683},      {"alley_cat.jpg", 480, 640},
    {"lanterns.jpg", 560, 560},         {"evening_sky.jpg", 900, 300},
};

// A sky-to-ground gradient with a sun whose colour and place depend on the picture's number.
Raster Synthesize(int index, int width, int height) {
  Raster r{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
  double hue = index * 0.52;
  double sunX = width * (0.2 + 0.06 * index), sunY = height * 0.3, radius = height * 0.12;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = r.row(y);
    double t = double(y) / height;
    for (int x = 0; x < width; ++x) {
      bool ground = t > 0.62 + 0.05 * std::sin(x * 0.02 + index);
      double d = std::hypot(x - sunX, y - sunY);
      double red = ground ? 60 + 80 * std::sin(hue) : 120 + 100 * t;
      double green = ground ? 110 + 60 * std::cos(hue + x * 0.01) : 150 + 60 * t;
      double blue = ground ? 50 : 230 - 80 * t;
      if (d < radius) red = 250, green = 200 + 40 * std::sin(hue), blue = 90;
      row[x * 3] = std::uint8_t(std::clamp(red, 0.0, 255.0));
      row[x * 3 + 1] = std::uint8_t(std::clamp(green, 0.0, 255.0));
      row[x * 3 + 2] = std::uint8_t(std::clamp(blue, 0.0, 255.0));
    }
  }
  return r;
}

void WritePictures(const std::string& folder) {
  if (!fs::MakeFolders(folder)) throw Error("Could not create the folder " + folder);
  int index = 0;
  for (const DemoPicture& p : kPictures) {
    std::string path = AddBackslash(folder) + p.name;
    std::string jpeg = EncodeJpeg(Synthesize(index++, p.width, p.height), 85, false);
    fs::WriteFile(path, jpeg);
  }
}

void WriteProfile(Context& c, const std::string& site) {
  std::string key = c.galleryKey("Demo");
  Store& s = c.store();
  s.CreateKey(key);
  s.RegWriteString(key, "BaseDir", site);
  s.RegWriteString(key, "GalleryTitle", "Framewright demo");
  s.RegWriteString(key, "ImageTitle", "Framewright demo");
  s.RegWriteString(key, "IndexTitle", "Framewright demo: index");
  s.RegWriteBool(key, "Sorted", true);
  s.RegWriteBool(key, "ShowImageName", true);
  if (!fs::MakeFolders(c.appFolder())) throw Error("Could not create the folder " + c.appFolder());
  std::string file = c.appFolder() + "Demo.dat";
  WriteSection(file, "Gallery Header", {"<H2 ALIGN=\"center\">A demo gallery</H2>"});
  WriteSection(file, "Index Header", {"<H2 ALIGN=\"center\">Framewright demo</H2>"});
}

// The responsive pages show the title as their heading; the texts add a line under it, and
// the page buttons get colours that read well on the gallery's navy.
void MakeResponsive(Context& c) {
  std::string key = c.galleryKey("Demo");
  Store& s = c.store();
  s.RegWriteInteger(key, "Template", kResponsiveTemplate);
  s.RegWriteInteger(key, "NavPageBackcolor", 0xC0C0C0);
  s.RegWriteInteger(key, "NavPageFontColor", 0x800000);
  s.RegWriteInteger(key, "NavActivePageBackcolor", 0xFFFFFF);
  s.RegWriteInteger(key, "NavActivePageFontColor", 0x000000);
  std::string file = c.appFolder() + "Demo.dat";
  WriteSection(file, "Gallery Header", {"<p>A demo gallery of synthesized pictures.</p>"});
  WriteSection(file, "Index Header", {"<p>One card for every gallery page.</p>"});
}

}  // namespace

std::string MakeDemo(Context& outer, const std::string& dir, bool responsive) {
  if (dir.empty()) throw UsageError{"DIR must not be empty"};
  std::string folder = AddBackslash(fs::RealPath(dir));
  if (!fs::MakeFolders(folder)) throw Error("Could not create the folder " + folder);
  Options options = outer.options();
  if (options.storeFile.empty()) options.storeFile = folder + "settings.db";
  if (!options.appFolderGiven) options.appFolder = folder;
  Context c(options, outer.args(), outer.out(), outer.err());

  std::string site = folder + "site";
  WritePictures(site + "/images");
  WriteProfile(c, site);
  if (responsive) MakeResponsive(c);

  auto gallery = OpenGallery(c, "Demo");
  RunGo(*gallery, c.host(), RunControls{});
  return AddBackslash(site) + gallery->text(value::IndexFile);
}

}  // namespace fw::cli
