// Commands on single pictures and on a gallery's image list.
#include "cli/commands.h"
#include "cli/gallery.h"
#include "common/error.h"
#include "common/fs.h"
#include "images/image_io.h"

namespace fw::cli {
namespace {

int ParseInt(const std::string& text, const std::string& what) {
  if (const auto v = WholeNumber(text)) return *v;
  throw UsageError{what + " must be a whole number: '" + text + "'"};
}

void Images(Context& c) {
  auto p = Positional(c, 1, 1);
  auto values = OpenGallery(c, p[0]);
  for (const std::string& name : values->images()) c.out() << name << "\n";
}

void Probe(Context& c) {
  auto p = Positional(c, 1, 1);
  ImageSize s = GetImageSize(p[0], PictureKindOf(p[0]));
  c.out() << s.width << " " << s.height << "\n";
}

void Decode(Context& c) {
  auto p = Positional(c, 2, 2);
  Raster r = DecodePicture(p[0], AnyPictureKind(p[0]));
  const std::string head =
      "P6\n" + std::to_string(r.width) + " " + std::to_string(r.height) + "\n255\n";
  fs::WriteFile(p[1], head + std::string(r.rgb.begin(), r.rgb.end()));
}

void Scale(Context& c) {
  auto p = Positional(c, 3, 3, {"--quality"});
  int size = ParseInt(p[2], "SIZE");
  int quality = ParseInt(c.option("--quality", "75"), "Q");
  if (size < 1) throw UsageError{"SIZE must be at least 1"};
  if (quality < 1 || quality > 100) throw UsageError{"Q must lie between 1 and 100"};
  MakeScaledJpeg(c.host(), p[0], AnyPictureKind(p[0]), p[1], size, quality, c.has("--progressive"),
                 c.has("--smooth") ? Sampler::Smooth : Sampler::Point);
}

}  // namespace

void AddPictureCommands(std::vector<Command>& t) {
  t.push_back({"images", "GALLERY", "the image list as loaded, one name a line", Images});
  t.push_back({"probe", "FILE", "prints the picture's width and height: \"W H\"", Probe});
  t.push_back({"decode", "FILE OUT.ppm", "writes the decoded picture as binary PPM (P6)", Decode});
  t.push_back({"scale", "SRC DST SIZE [--quality Q] [--progressive] [--smooth]",
               "writes SRC scaled to SIZE on its longest side as a JPEG (quality 75 unless Q; "
               "filtered instead of point-sampled with --smooth)",
               Scale});
}

}  // namespace fw::cli
