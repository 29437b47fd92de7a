// Row-by-row JPEG decoding: the output set-up and row conversion that the full decode uses, and
// the thumbnail path that decodes a file straight into its point-sampled copy. That path holds
// one source row at a time and, where libjpeg reproduces the full decode exactly (colour
// pictures with its default fancy upsampling), lets libjpeg skip whole row groups that the
// sampler never reads. Its output is byte for byte the full decode's, point-sampled.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "images/jpeg_errors.h"
#include "images/raster.h"

namespace fw {

class Host;

// Raises fw::Error for a picture of more than kMaxPixels pixels.
void CheckJpegPixelLimit(std::uint64_t width, std::uint64_t height);
// After jpeg_read_header: the memory libjpeg itself takes to decode the picture (every
// coefficient of the picture when it comes in several scans, and a few row groups).
std::uint64_t JpegDecoderBytes(j_decompress_ptr cinfo);
// After jpeg_read_header: RGB out; grey through the one-pass quantizer (236 levels); CMYK and
// YCCK as CMYK, turned into RGB by ConvertJpegRow.
void ChooseJpegOutput(j_decompress_ptr cinfo);
// After jpeg_start_decompress: a buffer of one output scanline, freed with the decompressor.
JSAMPARRAY JpegLineBuffer(j_decompress_ptr cinfo);
// One decoded scanline of `cinfo`'s output to output_width RGB pixels.
void ConvertJpegRow(j_decompress_ptr cinfo, const JSAMPLE* in, std::uint8_t* out);

// The picture at `path` scaled to `size` on its longest side as PointSample(ReadJpeg(path))
// makes it (the embedded ICC profile handed on, unconverted), with the same errors and one
// host.processEvents() per output row. Empty when the full path must be taken instead (a size
// below 1, or an output over kMaxPixels, whose errors the full path raises only after decoding).
std::optional<Raster> SampleJpegFile(const std::string& path, int size, Host& host);

}  // namespace fw
