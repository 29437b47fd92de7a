#include "images/png_reader.h"

#include "common/error.h"

namespace fw {

PngInfo ReadPngSize(const std::string& path) {
  throw Error("PNG pictures are not supported yet: " + path);
}
Raster ReadPng(const std::string& path) {
  throw Error("PNG pictures are not supported yet: " + path);
}

}  // namespace fw
