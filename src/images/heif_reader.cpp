#include "images/heif_reader.h"

#include <libheif/heif.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "common/error.h"
#include "common/fs.h"
#include "images/pixel_limit.h"

namespace fw {
namespace {

struct HeifFree {
  void operator()(heif_context* c) const { heif_context_free(c); }
  void operator()(const heif_image_handle* h) const { heif_image_handle_release(h); }
  void operator()(const heif_image* i) const { heif_image_release(i); }
  void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
template <typename T>
using HeifPtr = std::unique_ptr<T, HeifFree>;

void Check(const heif_error& e) {
  if (e.code != heif_error_Ok)
    throw Error(e.message && *e.message ? e.message : "The HEIF picture is damaged");
}

// The bytes stay with the caller: libheif reads them where they are.
struct Primary {
  HeifPtr<heif_context> context;
  HeifPtr<const heif_image_handle> handle;
  HeifInfo info;
};

Primary Open(const std::string& bytes) {
  Primary p;
  p.context.reset(heif_context_alloc());
  if (!p.context) throw Error("Not enough memory to read the HEIF picture");
  Check(heif_context_read_from_memory_without_copy(p.context.get(), bytes.data(), bytes.size(),
                                                   nullptr));
  heif_image_handle* handle = nullptr;
  Check(heif_context_get_primary_image_handle(p.context.get(), &handle));
  p.handle.reset(handle);
  p.info.width = heif_image_handle_get_width(handle);
  p.info.height = heif_image_handle_get_height(handle);
  if (p.info.width <= 0 || p.info.height <= 0) throw Error("The HEIF picture has no size");
  CheckPixelLimit(std::uint64_t(p.info.width), std::uint64_t(p.info.height));
  const heif_color_profile_type profile = heif_image_handle_get_color_profile_type(handle);
  if (profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) {
    p.info.icc.resize(heif_image_handle_get_raw_color_profile_size(handle));
    Check(heif_image_handle_get_raw_color_profile(handle, p.info.icc.data()));
  }
  return p;
}

// libheif's decode in the given layout, 10- and 12-bit pictures brought to 8 bits.
HeifPtr<const heif_image> Decode(const Primary& p, heif_colorspace space, heif_chroma chroma) {
  HeifPtr<heif_decoding_options> options(heif_decoding_options_alloc());
  options->convert_hdr_to_8bit = 1;
  heif_image* decoded = nullptr;
  Check(heif_decode_image(p.handle.get(), &decoded, space, chroma, options.get()));
  return HeifPtr<const heif_image>(decoded);
}

// A plane of the decoded picture at the size the container told, or null.
const std::uint8_t* Plane(const heif_image* image, heif_channel channel, const HeifInfo& info,
                          int bytesPerPixel, int& stride) {
  const std::uint8_t* plane = heif_image_get_plane_readonly(image, channel, &stride);
  const bool fits = heif_image_get_width(image, channel) == info.width &&
                    heif_image_get_height(image, channel) == info.height &&
                    heif_image_get_bits_per_pixel_range(image, channel) == 8 &&
                    stride >= info.width * bytesPerPixel;
  return fits ? plane : nullptr;
}

// The three 8-bit planes of a planar RGB decode woven into one raster.
bool WeavePlanes(const heif_image* image, const HeifInfo& info, Raster& out) {
  int strides[3] = {};
  const std::uint8_t* planes[3] = {};
  const heif_channel channels[3] = {heif_channel_R, heif_channel_G, heif_channel_B};
  for (int c = 0; c < 3; ++c)
    if (!(planes[c] = Plane(image, channels[c], info, 1, strides[c]))) return false;
  for (int y = 0; y < info.height; ++y) {
    std::uint8_t* to = out.row(y);
    const std::uint8_t* r = planes[0] + std::size_t(y) * std::size_t(strides[0]);
    const std::uint8_t* g = planes[1] + std::size_t(y) * std::size_t(strides[1]);
    const std::uint8_t* b = planes[2] + std::size_t(y) * std::size_t(strides[2]);
    for (int x = 0; x < info.width; ++x, to += 3) to[0] = r[x], to[1] = g[x], to[2] = b[x];
  }
  return true;
}

bool CopyInterleaved(const heif_image* image, const HeifInfo& info, Raster& out) {
  int stride = 0;
  const std::uint8_t* plane = Plane(image, heif_channel_interleaved, info, 3, stride);
  if (!plane) return false;
  for (int y = 0; y < info.height; ++y)
    std::memcpy(out.row(y), plane + std::size_t(y) * std::size_t(stride),
                std::size_t(info.width) * 3);
  return true;
}

}  // namespace

HeifInfo HeifSizeFromMemory(const std::string& bytes) { return Open(bytes).info; }

Raster DecodeHeif(const std::string& bytes, HeifInfo* info) {
  Primary p = Open(bytes);
  if (info) *info = p.info;
  // libheif holds its decoded planes (two bytes a sample past 8 bits) and their conversion to
  // RGB; then the planes go, and the raster is made from the conversion. An 8-bit picture is
  // converted to planar RGB, which libheif makes straight from its planes where its
  // interleaved RGB would take one more copy of the picture, and woven here.
  const std::uint64_t w = std::uint64_t(p.info.width), h = std::uint64_t(p.info.height);
  const int bits = heif_image_handle_get_luma_bits_per_pixel(p.handle.get());
  const std::uint64_t planes = w * h * 3 * (bits > 8 ? 2 : 1);
  PictureMemory claim(RasterBytes(w, h) + std::max(planes, RasterBytes(w, h)),
                      TooLargeToDecode(w, h));
  const bool planar = bits == 8;
  HeifPtr<const heif_image> image =
      planar ? Decode(p, heif_colorspace_RGB, heif_chroma_444)
             : Decode(p, heif_colorspace_RGB, heif_chroma_interleaved_RGB);
  // The decoder's many smaller buffers are free by now but stay with the process until the
  // heap is trimmed; the raster is a fresh mapping of its own, so the process would hold both.
  malloc_trim(0);
  Raster out = NewRaster(w, h, claim);
  if (!(planar ? WeavePlanes(image.get(), p.info, out) : CopyInterleaved(image.get(), p.info, out)))
    throw Error("The HEIF picture is damaged");
  return out;
}

HeifInfo ReadHeifSize(const std::string& path) {
  const std::string bytes = fs::ReadFile(path);
  return HeifSizeFromMemory(bytes);
}

Raster ReadHeif(const std::string& path) {
  const std::string bytes = fs::ReadFile(path);
  return DecodeHeif(bytes);
}

}  // namespace fw
