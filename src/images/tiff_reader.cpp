#include "images/tiff_reader.h"

#include <tiffio.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "common/error.h"
#include "common/fs.h"
#include "images/orient.h"
#include "images/pixel_limit.h"

namespace fw {
namespace {

// libtiff reads the file from memory through these procedures; it never writes.
struct MemoryFile {
  const std::string& bytes;
  toff_t at = 0;
  std::string error;  // libtiff's first error message
};

tsize_t ReadProc(thandle_t h, tdata_t out, tsize_t n) {
  auto* f = static_cast<MemoryFile*>(h);
  if (n < 0 || f->at >= f->bytes.size()) return 0;
  const std::size_t count = std::min<std::size_t>(std::size_t(n), f->bytes.size() - f->at);
  std::memcpy(out, f->bytes.data() + f->at, count);
  f->at += count;
  return tsize_t(count);
}

tsize_t WriteProc(thandle_t, tdata_t, tsize_t) { return 0; }

toff_t SeekProc(thandle_t h, toff_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(h);
  const toff_t base = whence == SEEK_CUR ? f->at : whence == SEEK_END ? f->bytes.size() : 0;
  if (offset > UINT64_MAX - base) return toff_t(-1);
  f->at = base + offset;
  return f->at;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t h) { return static_cast<MemoryFile*>(h)->bytes.size(); }
int MapProc(thandle_t, tdata_t*, toff_t*) { return 0; }
void UnmapProc(thandle_t, tdata_t, toff_t) {}

int KeepError(TIFF*, void* user, const char*, const char* format, va_list args) {
  auto* f = static_cast<MemoryFile*>(user);
  if (f->error.empty()) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    f->error = text;
  }
  return 1;  // handled: nothing goes to stderr
}

int DropWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

// The largest single buffer libtiff may take for one strip or tile: no more than a picture.
constexpr tmsize_t kMaxTiffAllocation = tmsize_t(kPictureMemoryLimit);

struct TiffCloser {
  void operator()(TIFF* t) const { TIFFClose(t); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

[[noreturn]] void Fail(const MemoryFile& f, const char* fallback) {
  throw Error(f.error.empty() ? fallback : f.error);
}

TiffHandle Open(MemoryFile& file) {
  std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(),
                                                                       TIFFOpenOptionsFree);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), KeepError, &file);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), DropWarning, &file);
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxTiffAllocation);
  TiffHandle tif(TIFFClientOpenExt("picture", "rm", &file, ReadProc, WriteProc, SeekProc, CloseProc,
                                   SizeProc, MapProc, UnmapProc, options.get()));
  if (!tif) Fail(file, "Not a TIFF picture");
  return tif;
}

TiffInfo Tags(TIFF* tif, const MemoryFile& file) {
  std::uint32_t width = 0, height = 0;
  std::uint16_t orientation = 1;
  if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height))
    Fail(file, "The TIFF picture has no size");
  CheckPixelLimit(width, height);
  TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
  TiffInfo info;
  info.orientation = orientation >= 1 && orientation <= 8 ? orientation : 1;
  const bool swap = SwapsSides(info.orientation);
  info.width = int(swap ? height : width);
  info.height = int(swap ? width : height);
  std::uint32_t iccSize = 0;
  void* icc = nullptr;
  if (TIFFGetField(tif, TIFFTAG_ICCPROFILE, &iccSize, &icc) && icc)
    info.icc.assign(static_cast<const char*>(icc), iccSize);
  return info;
}

// A colour stored beside unassociated alpha would be multiplied by it; read as associated,
// every pixel keeps its stored colour.
void KeepStoredColours(TIFF* tif) {
  std::uint16_t count = 0;
  std::uint16_t* kinds = nullptr;
  if (!TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &count, &kinds) || count == 0) return;
  if (kinds[0] != EXTRASAMPLE_UNASSALPHA) return;
  std::vector<std::uint16_t> associated(kinds, kinds + count);
  associated[0] = EXTRASAMPLE_ASSOCALPHA;
  TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, count, associated.data());
}

struct RgbaImage {
  TIFFRGBAImage img{};
  bool begun = false;
  ~RgbaImage() {
    if (begun) TIFFRGBAImageEnd(&img);
  }
};

// Rows in the file's own order, band by band of whole strips or tiles, so no strip is
// decoded twice and the 32-bit buffer stays small.
Raster StoredRows(TIFF* tif, MemoryFile& file) {
  KeepStoredColours(tif);
  RgbaImage rgba;
  char message[1024] = "";
  if (!TIFFRGBAImageOK(tif, message) || !TIFFRGBAImageBegin(&rgba.img, tif, 0, message))
    throw Error(message[0] ? message : "Unsupported TIFF picture");
  rgba.begun = true;
  TIFFRGBAImage& img = rgba.img;
  img.req_orientation = img.orientation;  // no flips: libtiff keeps the stored row order
  const std::uint32_t w = img.width, h = img.height;
  CheckPixelLimit(w, h);

  std::uint32_t unit = 0;
  if (!TIFFGetField(tif, TIFFIsTiled(tif) ? TIFFTAG_TILELENGTH : TIFFTAG_ROWSPERSTRIP, &unit))
    unit = h;
  unit = std::clamp<std::uint32_t>(unit, 1, std::max<std::uint32_t>(h, 1));
  const std::uint32_t wanted =
      std::max<std::uint32_t>(1, (1u << 20) / std::max<std::uint32_t>(w, 1));
  const std::uint32_t band =
      std::min<std::uint32_t>(h, unit * std::max<std::uint32_t>(1, wanted / unit));

  // Beside the raster: the band's 32-bit pixels and the strip or tile libtiff decodes.
  const std::uint64_t unitBytes = TIFFIsTiled(tif) ? TIFFTileSize64(tif) : TIFFStripSize64(tif);
  PictureMemory claim(RasterBytes(w, h) + std::uint64_t(w) * band * 4 + unitBytes,
                      TooLargeToDecode(w, h));
  Raster out = NewRaster(w, h, claim);
  std::vector<std::uint32_t> buffer(std::size_t(w) * band);
  for (std::uint32_t y = 0; y < h; y += band) {
    const std::uint32_t rows = std::min(band, h - y);
    img.row_offset = int(y);
    img.col_offset = 0;
    if (!TIFFRGBAImageGet(&img, buffer.data(), w, rows)) Fail(file, "Damaged TIFF picture");
    for (std::uint32_t r = 0; r < rows; ++r) {
      const std::uint32_t* in = buffer.data() + std::size_t(r) * w;
      std::uint8_t* o = out.row(int(y + r));
      for (std::uint32_t x = 0; x < w; ++x, o += 3) {
        o[0] = std::uint8_t(TIFFGetR(in[x]));
        o[1] = std::uint8_t(TIFFGetG(in[x]));
        o[2] = std::uint8_t(TIFFGetB(in[x]));
      }
    }
  }
  return out;
}

}  // namespace

TiffInfo TiffSizeFromMemory(const std::string& bytes) {
  MemoryFile file{bytes, 0, {}};
  TiffHandle tif = Open(file);
  return Tags(tif.get(), file);
}

Raster DecodeTiff(const std::string& bytes, TiffInfo* info) {
  MemoryFile file{bytes, 0, {}};
  TiffHandle tif = Open(file);
  const TiffInfo tags = Tags(tif.get(), file);
  if (info) *info = tags;
  Raster stored = StoredRows(tif.get(), file);
  return tags.orientation == 1 ? stored : TurnRaster(stored, tags.orientation);
}

TiffInfo ReadTiffSize(const std::string& path) { return TiffSizeFromMemory(fs::ReadFile(path)); }

Raster ReadTiff(const std::string& path) { return DecodeTiff(fs::ReadFile(path)); }

}  // namespace fw
