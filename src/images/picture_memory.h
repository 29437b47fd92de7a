// What a picture may cost in memory. Every buffer that grows with a picture's size (its
// rasters, a decoder's rows and coefficients) is claimed here before it is made, from one
// budget that all threads share, so that a small file declaring a huge picture is refused
// before anything is allocated, and the pool's workers together stay within one bound:
// - one picture, that is all one thread holds at once, may take kPictureMemoryLimit;
// - all threads together take kSharedPictureMemory. A thread that holds nothing yet waits
//   until the others have given back enough; a thread already holding memory for its picture
//   gets its further claims (the picture's scaled or turned copy) at once, so no thread ever
//   waits while it holds memory, and none waits for ever.
// A reader of any picture kind claims its buffers here, through a PictureMemory and NewRaster.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fw {

inline constexpr std::uint64_t kPictureMemoryLimit = std::uint64_t{384} << 20;
inline constexpr std::uint64_t kSharedPictureMemory = std::uint64_t{768} << 20;

// "Picture too large to decode (W x H pixels)": the refusal of a picture whose pixels or
// buffers pass the bounds.
std::string TooLargeToDecode(std::uint64_t width, std::uint64_t height);

// Bytes claimed from the budget for the picture the calling thread works on; given back when
// the object goes (on any thread).
class PictureMemory {
 public:
  PictureMemory() = default;
  // Raises Error(refusal) when this thread's claims would pass kPictureMemoryLimit.
  PictureMemory(std::uint64_t bytes, const std::string& refusal);
  ~PictureMemory();
  PictureMemory(PictureMemory&& other) noexcept;
  PictureMemory& operator=(PictureMemory&& other) noexcept;
  PictureMemory(const PictureMemory&) = delete;
  PictureMemory& operator=(const PictureMemory&) = delete;

  std::uint64_t bytes() const { return bytes_; }
  // Moves `bytes` of this claim (all of it at most) into a claim of its own, for a buffer
  // that outlives the rest: a decoder claims its raster and its own buffers together, so that
  // it waits once, and keeps the raster's part when its buffers go.
  PictureMemory split(std::uint64_t bytes);

  struct Holder;

 private:
  void release();
  std::uint64_t bytes_ = 0;
  std::shared_ptr<Holder> holder_;  // the claiming thread's account
};

// Bytes claimed by all threads now, and the most claimed at once since the last reset (for
// tests and benchmarks).
std::uint64_t PictureMemoryInUse();
std::uint64_t PictureMemoryPeak();
void ResetPictureMemoryPeak();

}  // namespace fw
