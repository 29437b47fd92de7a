#include "images/jpeg_sampled_decode.h"

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

SampledDecode::SampledDecode(j_decompress_ptr cinfo, const std::vector<int>& rows,
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
    cinfo->idct->inverse_DCT[ci] = &SampledDecode::Transform;
  }
  keptRow_.assign(cinfo->output_height, 0);
  for (int y : rows)
    if (y >= 0 && std::size_t(y) < keptRow_.size()) keptRow_[std::size_t(y)] = 1;
  convert_ = cinfo->cconvert->color_convert;
  cinfo->cconvert->color_convert = &SampledDecode::ConvertRows;
  cinfo->client_data = this;
}

// The inverse DCT's and the colour converter's tables live in libjpeg's image pool, which
// jpeg_finish_decompress frees: they are never touched again here, and the decompressor is
// not used for another picture.
SampledDecode::~SampledDecode() { cinfo_->client_data = clientData_; }

void SampledDecode::Transform(j_decompress_ptr cinfo, jpeg_component_info* comp, JCOEFPTR coef,
                              JSAMPARRAY out, JDIMENSION col) {
  auto* self = static_cast<SampledDecode*>(cinfo->client_data);
  const Component& c = self->components_[std::size_t(comp->component_index)];
  const std::size_t row = cinfo->output_iMCU_row;
  const std::size_t block = col / JDIMENSION(comp->DCT_scaled_size);
  const bool known = row < c.imcuRow.size() && block < c.blockCol.size();
  if (!known || (c.imcuRow[row] && c.blockCol[block])) {
    c.idct(cinfo, comp, coef, out, col);
    return;
  }
  const int size = comp->DCT_scaled_size;
  if (size == DCTSIZE) {
    constexpr std::uint64_t kGrey = 0x0101010101010101ull * CENTERJSAMPLE;
    for (int r = 0; r < DCTSIZE; ++r) std::memcpy(out[r] + col, &kGrey, sizeof kGrey);
  } else {
    for (int r = 0; r < size; ++r) std::memset(out[r] + col, CENTERJSAMPLE, std::size_t(size));
  }
}

// Called for the row at output_scanline; several rows at once are all converted.
void SampledDecode::ConvertRows(j_decompress_ptr cinfo, JSAMPIMAGE in, JDIMENSION inRow,
                                JSAMPARRAY out, int rows) {
  auto* self = static_cast<SampledDecode*>(cinfo->client_data);
  const std::size_t y = cinfo->output_scanline;
  if (rows == 1 && y < self->keptRow_.size() && !self->keptRow_[y]) return;
  self->convert_(cinfo, in, inRow, out, rows);
}

}  // namespace fw
