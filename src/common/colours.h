// Colour values as stored (red in the low byte; negative values name system colours) and as
// pages write them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

// "#RRGGBB" of a colour value (red in the low byte), upper-case digits.
// A negative value names a system colour and is resolved first (see SystemColourRgb).
std::string ColorToHtml(std::int32_t colour);
// The current RGB (0xRRGGBB) of a system colour value (its index in the low byte): the
// installed resolver's answer, or a fixed light desktop palette when none is installed.
using SystemColourResolver = std::function<std::uint32_t(int index)>;
void SetSystemColourResolver(SystemColourResolver resolver);
std::uint32_t SystemColourRgb(std::int32_t colour);

}  // namespace fw
