#include "images/gif_reader.h"

#include "common/error.h"

namespace fw {

GifInfo ReadGifSize(const std::string& path) {
  throw Error("GIF pictures are not supported yet: " + path);
}
Raster ReadGif(const std::string& path) {
  throw Error("GIF pictures are not supported yet: " + path);
}

}  // namespace fw
