// Undoing the five PNG row filters.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw::png {

// Undoes filter `type` on `row` (`length` bytes) in place against `previous` (the row above
// in the same image or pass, zeros before the first). `distance` is the number of bytes of
// one complete pixel, at least 1. Raises the reader's message for an unknown filter type.
void Unfilter(std::uint8_t type, std::uint8_t* row, const std::uint8_t* previous,
              std::size_t length, std::size_t distance);

}  // namespace fw::png
