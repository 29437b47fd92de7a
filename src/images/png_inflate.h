// The PNG reader's view of its zlib stream: bytes handed out row by row, so a picture never
// needs its whole inflated data in memory at once.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace fw::png {

class Inflater {
 public:
  explicit Inflater(std::string_view stream);
  ~Inflater();
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Fills `out` with up to `size` bytes; fewer only when the stream ends or is cut short.
  // A corrupt stream raises zlib's message.
  std::size_t Read(std::uint8_t* out, std::size_t size);

 private:
  z_stream z_{};
  std::string_view rest_;  // input not yet handed to zlib
  bool ended_ = false;
};

}  // namespace fw::png
