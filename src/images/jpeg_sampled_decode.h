// Lets libjpeg do only the work that a point-sampled thumbnail reads: its inverse DCT
// transforms only the blocks the kept pixels are made from, and its colour conversion runs
// only for the kept rows. Every other block is filled with mid-grey instead: no kept pixel
// depends on it, because upsampling and colour conversion work on a pixel's own samples and
// their direct neighbours, so the kept pixels come out as the full decode makes them. Rows
// that are not kept are left unconverted: whatever a read of one gives is not to be used.
#pragma once

// jpeglib.h needs size_t and FILE declared before it.
// clang-format off
#include <cstddef>
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <vector>

namespace fw {

class SampledDecode {
 public:
  // After jpeg_start_decompress, before the first row is read: `rows` and `columns` are the
  // output rows and columns that are kept. Uses cinfo->client_data until destroyed; the
  // decompressor must not read another picture afterwards.
  SampledDecode(j_decompress_ptr cinfo, const std::vector<int>& rows,
                const std::vector<int>& columns);
  ~SampledDecode();
  SampledDecode(const SampledDecode&) = delete;
  SampledDecode& operator=(const SampledDecode&) = delete;

 private:
  using Idct = void (*)(j_decompress_ptr, jpeg_component_info*, JCOEFPTR, JSAMPARRAY,
                        JDIMENSION);
  using Convert = void (*)(j_decompress_ptr, JSAMPIMAGE, JDIMENSION, JSAMPARRAY, int);
  struct Component {
    Idct idct = nullptr;
    std::vector<char> imcuRow;   // per iMCU row: holds a sample some kept pixel reads
    std::vector<char> blockCol;  // per block column: likewise
  };

  static void Transform(j_decompress_ptr cinfo, jpeg_component_info* comp, JCOEFPTR coef,
                        JSAMPARRAY out, JDIMENSION col);
  static void ConvertRows(j_decompress_ptr cinfo, JSAMPIMAGE in, JDIMENSION inRow,
                          JSAMPARRAY out, int rows);

  j_decompress_ptr cinfo_;
  void* clientData_;
  std::vector<Component> components_;
  Convert convert_ = nullptr;
  std::vector<char> keptRow_;  // per output row
};

}  // namespace fw
