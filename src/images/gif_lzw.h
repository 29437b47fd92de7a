// The variable-length LZW decoding of GIF image data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace fw::gif {

// Decodes `data` (the joined data sub-blocks) with minimum code size `minCodeSize`, handing
// each decoded run of colour indices to `emit`; decoding stops at the end code, when the data
// run out, or when `emit` returns false. Corrupt codes raise "Circular decoder table entry".
void DecodeLzw(int minCodeSize, std::string_view data,
               const std::function<bool(const std::uint8_t*, std::size_t)>& emit);

}  // namespace fw::gif
