#include "images/jpeg_sampled_blocks.h"

#include <jpegint.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace fw {
namespace {

// Marks, for every kept output index, the component samples it is made from: its own sample
// and, when the component is subsampled, the neighbours the upsampler blends in.
std::vector<char> MarkUnits(const std::vector<int>& kept, int samp, int maxSamp, int samples,
                            int unit, int units) {
  std::vector<char> marks(std::size_t(std::max(units, 1)), 0);
  const int reach = samp == maxSamp ? 0 : 1;
  for (int i : kept) {
    const int at = int((long long)i * samp / maxSamp);
    for (int s = std::max(at - reach, 0); s <= std::min(at + reach, samples - 1); ++s)
      marks[std::size_t(std::min(s / unit, units - 1))] = 1;
  }
  return marks;
}

}  // namespace

SampledBlocks::SampledBlocks(j_decompress_ptr cinfo, const std::vector<int>& rows,
                             const std::vector<int>& columns)
    : cinfo_(cinfo), clientData_(cinfo->client_data) {
  components_.resize(std::size_t(cinfo->num_components));
  for (int ci = 0; ci < cinfo->num_components; ++ci) {
    const jpeg_component_info& comp = cinfo->comp_info[ci];
    const int size = comp.DCT_scaled_size;
    Component& c = components_[std::size_t(ci)];
    c.idct = cinfo->idct->inverse_DCT[ci];
    c.imcuRow = MarkUnits(rows, comp.v_samp_factor, cinfo->max_v_samp_factor,
                          int(comp.downsampled_height), size * comp.v_samp_factor,
                          int(cinfo->total_iMCU_rows));
    c.blockCol = MarkUnits(columns, comp.h_samp_factor, cinfo->max_h_samp_factor,
                           int(comp.downsampled_width), size, int(comp.width_in_blocks));
    cinfo->idct->inverse_DCT[ci] = &SampledBlocks::Transform;
  }
  cinfo->client_data = this;
}

// The inverse DCT's table lives in libjpeg's image pool, which jpeg_finish_decompress frees:
// it is never touched again here, and the decompressor is not used for another picture.
SampledBlocks::~SampledBlocks() { cinfo_->client_data = clientData_; }

void SampledBlocks::Transform(j_decompress_ptr cinfo, jpeg_component_info* comp, JCOEFPTR coef,
                              JSAMPARRAY out, JDIMENSION col) {
  auto* self = static_cast<SampledBlocks*>(cinfo->client_data);
  const Component& c = self->components_[std::size_t(comp->component_index)];
  const std::size_t row = cinfo->output_iMCU_row;
  const std::size_t block = col / JDIMENSION(comp->DCT_scaled_size);
  const bool known = row < c.imcuRow.size() && block < c.blockCol.size();
  if (!known || (c.imcuRow[row] && c.blockCol[block])) {
    ++self->transformed_;
    c.idct(cinfo, comp, coef, out, col);
    return;
  }
  ++self->filled_;
  const int size = comp->DCT_scaled_size;
  if (size == DCTSIZE) {
    constexpr std::uint64_t kGrey = 0x0101010101010101ull * CENTERJSAMPLE;
    for (int r = 0; r < DCTSIZE; ++r) std::memcpy(out[r] + col, &kGrey, sizeof kGrey);
  } else {
    for (int r = 0; r < size; ++r) std::memset(out[r] + col, CENTERJSAMPLE, std::size_t(size));
  }
}

}  // namespace fw
