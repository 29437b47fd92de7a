#include "images/heif_reader.h"

#include <libheif/heif.h>

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

}  // namespace

HeifInfo HeifSizeFromMemory(const std::string& bytes) { return Open(bytes).info; }

Raster DecodeHeif(const std::string& bytes, HeifInfo* info) {
  Primary p = Open(bytes);
  if (info) *info = p.info;
  // libheif holds its decoded planes (two bytes a sample past 8 bits) and their RGB
  // conversion; then the planes go, and the raster is copied from the conversion.
  const std::uint64_t w = std::uint64_t(p.info.width), h = std::uint64_t(p.info.height);
  const int bits = heif_image_handle_get_luma_bits_per_pixel(p.handle.get());
  const std::uint64_t planes = w * h * 3 * (bits > 8 ? 2 : 1);
  PictureMemory claim(RasterBytes(w, h) + std::max(planes, RasterBytes(w, h)),
                      TooLargeToDecode(w, h));
  HeifPtr<heif_decoding_options> options(heif_decoding_options_alloc());
  options->convert_hdr_to_8bit = 1;  // 10- and 12-bit pictures come out as 8-bit RGB too
  heif_image* decoded = nullptr;
  Check(heif_decode_image(p.handle.get(), &decoded, heif_colorspace_RGB,
                          heif_chroma_interleaved_RGB, options.get()));
  HeifPtr<const heif_image> image(decoded);
  int stride = 0;
  const std::uint8_t* plane =
      heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
  const int width = heif_image_get_width(decoded, heif_channel_interleaved);
  const int height = heif_image_get_height(decoded, heif_channel_interleaved);
  if (!plane || width != p.info.width || height != p.info.height || stride < width * 3)
    throw Error("The HEIF picture is damaged");

  Raster out = NewRaster(w, h, claim);
  for (int y = 0; y < height; ++y)
    std::memcpy(out.row(y), plane + std::size_t(y) * std::size_t(stride), std::size_t(width) * 3);
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
