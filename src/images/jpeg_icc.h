// The ICC colour profile a JPEG carries in its APP2 markers (one profile may span several).
#pragma once

#include <string>

#include "images/jpeg_errors.h"

namespace fw {

// Before jpeg_read_header: keeps the APP2 markers, where the profile's pieces lie.
void KeepIccMarkers(j_decompress_ptr cinfo);
// Once the output colour space is chosen: the profile joined from its pieces; empty without
// one, for pieces that do not make one whole profile, and for pictures not decoded as RGB.
std::string EmbeddedIcc(j_decompress_ptr cinfo);

}  // namespace fw
