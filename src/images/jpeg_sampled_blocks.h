// Lets libjpeg's inverse DCT transform only the blocks that a point-sampled thumbnail reads.
// Every other block is filled with mid-grey instead: no sampled pixel depends on it, because
// upsampling and colour conversion work on a pixel's own samples and their direct neighbours,
// so the sampled pixels come out as the full decode makes them.
#pragma once

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <vector>

namespace fw {

class SampledBlocks {
 public:
  // After jpeg_start_decompress, before the first row is read: `rows` and `columns` are the
  // output rows and columns that are kept. Uses cinfo->client_data until destroyed; the
  // decompressor must not read another picture afterwards.
  SampledBlocks(j_decompress_ptr cinfo, const std::vector<int>& rows,
                const std::vector<int>& columns);
  ~SampledBlocks();
  SampledBlocks(const SampledBlocks&) = delete;
  SampledBlocks& operator=(const SampledBlocks&) = delete;

  // Blocks that went through the inverse DCT, and those that did not.
  long transformed() const { return transformed_; }
  long filled() const { return filled_; }

 private:
  using Idct = void (*)(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                        JDIMENSION);
  struct Component {
    Idct idct = nullptr;
    std::vector<char> imcuRow;   // per iMCU row: holds a sample some kept pixel reads
    std::vector<char> blockCol;  // per block column: likewise
  };

  static void Transform(j_decompress_ptr cinfo, jpeg_component_info* comp, JCOEFPTR coef,
                        JSAMPARRAY out, JDIMENSION col);

  j_decompress_ptr cinfo_;
  void* clientData_;
  std::vector<Component> components_;
  long transformed_ = 0;
  long filled_ = 0;
};

}  // namespace fw
