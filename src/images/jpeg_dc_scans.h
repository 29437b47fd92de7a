// The DC coefficients of a progressive JPEG without its AC data: every scan's header is read,
// the DC scans (the first ones and their refinements) are decoded, and the entropy-coded data
// of the AC scans is passed over byte by byte, marker to marker, never Huffman-decoded. Each
// block's DC, dequantised, is the mean of its 64 samples, i.e. what libjpeg's 1/8 scaled
// inverse DCT gives; only these planes (1/64 of the samples) are ever held.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "images/jpeg_errors.h"

namespace fw {

// One component's block means as 8-bit samples, one per block of the picture.
struct DcSamples {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> level;  // width * height, rows top to bottom
};

// After jpeg_read_header of a progressive Huffman-coded 8-bit picture: reads the rest of the
// stream through cinfo's source and gives each component's block means, in the frame's
// component order. Empty where libjpeg would decode otherwise than block means straight from
// well-formed data (damaged or cut-short data, a scan script it calls bogus, a marker or table
// it refuses, a DC it would smooth): the caller leaves such a picture to libjpeg. An AC scan
// whose data end early is not noticed, since it is not decoded; where it is the last scan,
// libjpeg smooths the blocks after the cut from the scans before, while here they keep their
// DC. Calls no libjpeg routine that can fail, only the source's refill.
std::optional<std::vector<DcSamples>> ReadDcSamples(j_decompress_ptr cinfo);
// The bytes ReadDcSamples holds at most for that picture, to be claimed before it is called.
std::uint64_t DcSampleBytes(j_decompress_ptr cinfo);
// The blocks of all its components: each one's DC takes at least one bit of the stream.
std::uint64_t DcBlockCount(j_decompress_ptr cinfo);

}  // namespace fw
