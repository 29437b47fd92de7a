#include "images/webp_reader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <memory>
#include <string_view>

#include "common/error.h"
#include "common/fs.h"
#include "images/exif.h"
#include "images/orient.h"
#include "images/pixel_limit.h"

namespace fw {
namespace {

struct DemuxFree {
  void operator()(WebPDemuxer* d) const { WebPDemuxDelete(d); }
};
struct AnimFree {
  void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
};

WebPData DataOf(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::string_view Chunk(WebPDemuxer* demux, const char* fourcc) {
  WebPChunkIterator it;
  if (!WebPDemuxGetChunk(demux, fourcc, 1, &it)) return {};
  std::string_view payload(reinterpret_cast<const char*>(it.chunk.bytes), it.chunk.size);
  WebPDemuxReleaseChunkIterator(&it);  // the payload lies in the caller's bytes
  return payload;
}

WebpInfo Describe(WebPDemuxer* demux) {
  const std::uint32_t width = WebPDemuxGetI(demux, WEBP_FF_CANVAS_WIDTH);
  const std::uint32_t height = WebPDemuxGetI(demux, WEBP_FF_CANVAS_HEIGHT);
  const std::uint32_t flags = WebPDemuxGetI(demux, WEBP_FF_FORMAT_FLAGS);
  CheckPixelLimit(width, height);
  WebpInfo info;
  info.animated = (flags & ANIMATION_FLAG) != 0;
  if (flags & EXIF_FLAG) info.orientation = TiffOrientation(Chunk(demux, "EXIF"));
  if (flags & ICCP_FLAG) info.icc = std::string(Chunk(demux, "ICCP"));
  const bool swap = SwapsSides(info.orientation);
  info.width = int(swap ? height : width);
  info.height = int(swap ? width : height);
  return info;
}

std::unique_ptr<WebPDemuxer, DemuxFree> Demux(const WebPData& data) {
  std::unique_ptr<WebPDemuxer, DemuxFree> demux(WebPDemux(&data));
  if (!demux) throw Error("Not a WebP picture, or a damaged one");
  return demux;
}

const char* StatusText(VP8StatusCode status) {
  switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
      return "Not enough memory to decode the WebP picture";
    case VP8_STATUS_UNSUPPORTED_FEATURE:
      return "The WebP picture uses a feature that cannot be decoded";
    case VP8_STATUS_NOT_ENOUGH_DATA:
      return "The WebP picture is cut short";
    default:
      return "The WebP picture is damaged";
  }
}

// What libwebp takes beside the raster: a lossless picture is decoded whole to ARGB first; an
// animation keeps its RGBA canvas and the previous one.
std::uint64_t DecoderBytes(int width, int height, bool animated) {
  return std::uint64_t(width) * std::uint64_t(height) * (animated ? 8 : 4);
}

Raster Still(const WebPData& data, int width, int height) {
  PictureMemory claim(RasterBytes(width, height) + DecoderBytes(width, height, false),
                      TooLargeToDecode(width, height));
  Raster out = NewRaster(width, height, claim);
  WebPDecoderConfig config;
  if (!WebPInitDecoderConfig(&config)) throw Error("WebP library mismatch");
  config.output.colorspace = MODE_RGB;  // alpha is left out, colours as stored
  config.output.is_external_memory = 1;
  config.output.u.RGBA.rgba = out.rgb.data();
  config.output.u.RGBA.stride = width * 3;
  config.output.u.RGBA.size = out.rgb.size();
  const VP8StatusCode status = WebPDecode(data.bytes, data.size, &config);
  WebPFreeDecBuffer(&config.output);
  if (status != VP8_STATUS_OK) throw Error(StatusText(status));
  if (config.output.width != width || config.output.height != height)
    throw Error("The WebP picture is damaged");
  return out;
}

Raster FirstFrame(const WebPData& data, int width, int height) {
  PictureMemory claim(RasterBytes(width, height) + DecoderBytes(width, height, true),
                      TooLargeToDecode(width, height));
  WebPAnimDecoderOptions options;
  if (!WebPAnimDecoderOptionsInit(&options)) throw Error("WebP library mismatch");
  options.color_mode = MODE_RGBA;  // unpremultiplied: a blended pixel keeps its colour
  options.use_threads = 0;
  std::unique_ptr<WebPAnimDecoder, AnimFree> decoder(WebPAnimDecoderNew(&data, &options));
  std::uint8_t* canvas = nullptr;
  int timestamp = 0;
  if (!decoder || !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp))
    throw Error("The WebP picture is damaged");
  Raster out = NewRaster(width, height, claim);
  const std::size_t pixels = std::size_t(width) * height;
  for (std::size_t i = 0; i < pixels; ++i)
    for (int c = 0; c < 3; ++c) out.rgb[i * 3 + c] = canvas[i * 4 + c];
  return out;
}

}  // namespace

WebpInfo WebpSizeFromMemory(const std::string& bytes) {
  const WebPData data = DataOf(bytes);
  return Describe(Demux(data).get());
}

Raster DecodeWebp(const std::string& bytes, WebpInfo* info) {
  const WebPData data = DataOf(bytes);
  const WebpInfo i = Describe(Demux(data).get());
  if (info) *info = i;
  const bool swap = SwapsSides(i.orientation);
  const int width = swap ? i.height : i.width, height = swap ? i.width : i.height;
  Raster stored = i.animated ? FirstFrame(data, width, height) : Still(data, width, height);
  return i.orientation == 1 ? stored : TurnRaster(stored, i.orientation);
}

WebpInfo ReadWebpSize(const std::string& path) { return WebpSizeFromMemory(fs::ReadFile(path)); }

Raster ReadWebp(const std::string& path) { return DecodeWebp(fs::ReadFile(path)); }

}  // namespace fw
