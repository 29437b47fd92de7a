#include "common/colours.h"

#include <utility>

namespace fw {

namespace {

// A colour value that names a system colour carries the colour's index in its low byte. The
// core has no desktop to ask, so it resolves them to a fixed, neutral light palette (RGB as
// written in pages, 0xRRGGBB). A front end may install a resolver of its own.
constexpr std::uint32_t kSystemPalette[] = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};

SystemColourResolver& Resolver() {
  static SystemColourResolver resolver;
  return resolver;
}

}  // namespace

void SetSystemColourResolver(SystemColourResolver resolver) { Resolver() = std::move(resolver); }

std::uint32_t SystemColourRgb(std::int32_t colour) {
  int index = static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu);
  if (Resolver()) return Resolver()(index) & 0xFFFFFFu;
  constexpr int count = sizeof(kSystemPalette) / sizeof(kSystemPalette[0]);
  return index < count ? kSystemPalette[index] : 0;
}

std::string ColorToHtml(std::int32_t colour) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::uint32_t rgb;
  if (colour < 0) {
    rgb = SystemColourRgb(colour);
  } else {
    // Red sits in the low byte of a stored colour; palette-relative values (a non-zero top
    // byte) lose that byte.
    std::uint32_t v = static_cast<std::uint32_t>(colour);
    rgb = ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
  }
  std::string out = "#";
  for (int shift = 20; shift >= 0; shift -= 4) out += kDigits[(rgb >> shift) & 0xFu];
  return out;
}

}  // namespace fw
