#include "images/png_chunks.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "common/error.h"

namespace fw::png {
namespace {

constexpr unsigned char kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

bool IsKnown(std::string_view type) {
  static constexpr std::string_view kKnown[] = {"IHDR", "PLTE", "IDAT", "IEND",
                                                "gAMA", "tRNS", "tEXt"};
  return std::find(std::begin(kKnown), std::end(kKnown), type) != std::end(kKnown);
}

bool IsCritical(std::string_view type) {
  // Bit 5 of the first letter marks an ancillary chunk.
  return (static_cast<unsigned char>(type[0]) & 0x20) == 0;
}

std::uint32_t Crc(const char* typeAndData, std::size_t size) {
  // zlib's crc32 takes a uInt length; chunk data are bounded by the file size, which may
  // exceed it on some platforms, so feed it in pieces.
  uLong crc = crc32(0L, Z_NULL, 0);
  const auto* p = reinterpret_cast<const Bytef*>(typeAndData);
  while (size > 0) {
    const uInt piece = static_cast<uInt>(std::min<std::size_t>(size, 1u << 30));
    crc = crc32(crc, p, piece);
    p += piece;
    size -= piece;
  }
  return static_cast<std::uint32_t>(crc);
}

}  // namespace

std::uint32_t BigEndian32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return (std::uint32_t{u[0]} << 24) | (std::uint32_t{u[1]} << 16) | (std::uint32_t{u[2]} << 8) |
         std::uint32_t{u[3]};
}

static void CheckSignature(const std::string& bytes) {
  if (bytes.size() < 8 || std::memcmp(bytes.data(), kSignature, 8) != 0)
    throw Error("Invalid Portable Graphics Network image, it has an invalid file header.");
}

ChunkList ReadChunks(const std::string& bytes) {
  CheckSignature(bytes);
  ChunkList list;
  std::size_t pos = 8;
  const std::size_t size = bytes.size();
  while (pos < size) {
    if (size - pos < 8) throw Error("Can't read the PNG image, it has corrupted data. ");
    const std::uint32_t length = BigEndian32(bytes.data() + pos);
    std::string type(bytes.data() + pos + 4, 4);
    if (!IsKnown(type) && IsCritical(type))
      throw Error(
          "The currently being loaded image contains critical(s) chunk(s) not reconized by the "
          "decoder.");
    // Compared so that a huge length cannot wrap around.
    if (length > size - pos - 8 || size - pos - 8 - length < 4)
      throw Error("Can't read the PNG image, it has corrupted data. ");
    const char* typeAndData = bytes.data() + pos + 4;
    if (Crc(typeAndData, std::size_t{length} + 4) != BigEndian32(typeAndData + 4 + length))
      throw Error("Can't read the PNG image, it has corrupted data. ");
    const std::string_view data(typeAndData + 4, length);
    pos += std::size_t{length} + 12;

    if (type == "IDAT") {
      if (!list.hasIdat) {
        list.hasIdat = true;
        list.chunks.push_back({type, {}});
      }
      list.idat.append(data);
    } else {
      list.chunks.push_back({type, data});
    }
    if (type == "IEND") break;
  }
  return list;
}

}  // namespace fw::png
