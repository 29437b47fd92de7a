#include "images/jpeg_icc.h"

#include <cstdlib>

namespace fw {

void KeepIccMarkers(j_decompress_ptr cinfo) { jpeg_save_markers(cinfo, JPEG_APP0 + 2, 0xFFFF); }

std::string EmbeddedIcc(j_decompress_ptr cinfo) {
  // Grey and CMYK pictures are not decoded to the RGB their profiles would have to describe.
  if (cinfo->out_color_space != JCS_RGB) return {};
  JOCTET* data = nullptr;
  unsigned int size = 0;
  if (!jpeg_read_icc_profile(cinfo, &data, &size)) return {};
  std::string icc(reinterpret_cast<const char*>(data), size);
  std::free(data);
  return icc;
}

}  // namespace fw
