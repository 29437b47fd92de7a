// The numbers of a TIFF structure (as Exif data are laid out) in the byte order its header
// names. Reads are unchecked: callers test every offset against size() first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace fw {

class TiffBytes {
 public:
  // Empty unless `tiff` begins with a TIFF header ("II" or "MM", then 42).
  static std::optional<TiffBytes> Of(std::string_view tiff) {
    if (tiff.size() < 8) return std::nullopt;
    TiffBytes t(tiff, tiff.substr(0, 2) == "II");
    if (!t.little_ && tiff.substr(0, 2) != "MM") return std::nullopt;
    if (t.u16(2) != 42) return std::nullopt;
    return t;
  }

  std::size_t size() const { return tiff_.size(); }
  bool little() const { return little_; }
  std::uint32_t u16(std::size_t at) const {
    return little_ ? byte(at) | byte(at + 1) << 8 : byte(at) << 8 | byte(at + 1);
  }
  std::uint32_t u32(std::size_t at) const {
    return little_ ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2);
  }
  // Where IFD0 starts, when it lies inside the data.
  std::optional<std::size_t> firstIfd() const {
    const std::size_t ifd = u32(4);
    if (ifd < 8 || ifd > size() - 2) return std::nullopt;
    return ifd;
  }
  // The entry count of the IFD at `ifd`, when all its entries fit; an IFD that claims more
  // entries than the data hold is damaged as a whole.
  std::optional<std::size_t> entries(std::size_t ifd) const {
    if (ifd < 8 || ifd > size() - 2) return std::nullopt;
    const std::size_t count = u16(ifd);
    if (count * 12 > size() - ifd - 2) return std::nullopt;
    return count;
  }

 private:
  TiffBytes(std::string_view tiff, bool little) : tiff_(tiff), little_(little) {}
  std::uint32_t byte(std::size_t at) const { return static_cast<unsigned char>(tiff_[at]); }

  std::string_view tiff_;
  bool little_;
};

}  // namespace fw
