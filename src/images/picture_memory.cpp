#include "images/picture_memory.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "common/error.h"

namespace fw {
namespace {

struct Budget {
  std::mutex mutex;
  std::condition_variable freed;
  std::uint64_t used = 0;
  std::uint64_t peak = 0;
};

Budget& Shared() {
  static Budget budget;
  return budget;
}

}  // namespace

// What one thread holds; guarded by the budget's mutex.
struct PictureMemory::Holder {
  std::uint64_t held = 0;
};

namespace {

const std::shared_ptr<PictureMemory::Holder>& ThisThread() {
  thread_local const auto holder = std::make_shared<PictureMemory::Holder>();
  return holder;
}

}  // namespace

std::string TooLargeToDecode(std::uint64_t width, std::uint64_t height) {
  return "Picture too large to decode (" + std::to_string(width) + " x " + std::to_string(height) +
         " pixels)";
}

PictureMemory::PictureMemory(std::uint64_t bytes, const std::string& refusal)
    : holder_(ThisThread()) {
  Budget& b = Shared();
  std::unique_lock lock(b.mutex);
  if (bytes > kPictureMemoryLimit - holder_->held) throw Error(refusal);
  if (holder_->held == 0)
    b.freed.wait(lock, [&] { return b.used + bytes <= kSharedPictureMemory; });
  b.used += bytes;
  b.peak = std::max(b.peak, b.used);
  holder_->held += bytes;
  bytes_ = bytes;
}

PictureMemory::~PictureMemory() { release(); }

PictureMemory PictureMemory::split(std::uint64_t bytes) {
  PictureMemory part;
  part.bytes_ = std::min(bytes, bytes_);
  part.holder_ = holder_;
  bytes_ -= part.bytes_;
  return part;
}

PictureMemory::PictureMemory(PictureMemory&& other) noexcept
    : bytes_(other.bytes_), holder_(std::move(other.holder_)) {
  other.bytes_ = 0;
}

PictureMemory& PictureMemory::operator=(PictureMemory&& other) noexcept {
  if (this != &other) {
    release();
    bytes_ = other.bytes_;
    holder_ = std::move(other.holder_);
    other.bytes_ = 0;
  }
  return *this;
}

void PictureMemory::release() {
  if (!holder_) return;
  Budget& b = Shared();
  {
    std::lock_guard lock(b.mutex);
    b.used -= bytes_;
    holder_->held -= bytes_;
  }
  b.freed.notify_all();
  bytes_ = 0;
  holder_.reset();
}

std::uint64_t PictureMemoryInUse() {
  std::lock_guard lock(Shared().mutex);
  return Shared().used;
}

std::uint64_t PictureMemoryPeak() {
  std::lock_guard lock(Shared().mutex);
  return Shared().peak;
}

void ResetPictureMemoryPeak() {
  std::lock_guard lock(Shared().mutex);
  Shared().peak = Shared().used;
}

}  // namespace fw
