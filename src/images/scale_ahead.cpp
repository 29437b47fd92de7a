#include "images/scale_ahead.h"

#include <chrono>
#include <exception>
#include <thread>

#include "common/fs.h"
#include "common/host.h"

namespace fw {

unsigned WorkerCount(unsigned threads) {
  if (threads == 0) threads = std::thread::hardware_concurrency();
  return threads == 0 ? 1 : threads;
}

ScaleAhead::~ScaleAhead() {
  // A future of std::async waits for its thread when destroyed; wait here in order, so no
  // worker outlives the run that planned it.
  current_.reset();
  ahead_.clear();
}

void ScaleAhead::begin(std::size_t n, std::size_t count, const Planner& plan) {
  current_.reset();
  if (workers_ <= 1) return;
  while (planned_ < count && planned_ < n - 1 + workers_) {
    const std::size_t k = ++planned_;
    Slot slot;
    try {
      std::optional<Job> job = plan(k);
      if (job) {
        slot.job = std::move(*job);
        slot.writesBefore = written_.size();
        slot.jpeg = std::async(std::launch::async, slot.job.scale);
      }
    } catch (const std::exception&) {
      // Left to the picture's own turn, which meets the same failure in its place.
    }
    ahead_.push_back(std::move(slot));
  }
  if (!ahead_.empty()) {
    current_ = std::move(ahead_.front());
    ahead_.pop_front();
  }
}

bool ScaleAhead::take(Host& host, const std::string& picture, const std::string& target, int size,
                      std::optional<std::string>& jpeg) {
  if (!current_ || !current_->jpeg.valid()) return false;
  const Job& job = current_->job;
  if (job.picture != picture || job.target != target || job.size != size ||
      writtenSince(current_->writesBefore, picture))
    return false;
  using namespace std::chrono_literals;
  while (current_->jpeg.wait_for(20ms) != std::future_status::ready) host.processEvents();
  jpeg = current_->jpeg.get();
  return true;
}

void ScaleAhead::wrote(const std::string& target) {
  if (workers_ > 1) written_.push_back(fs::RealPath(target));
}

bool ScaleAhead::writtenSince(std::size_t from, const std::string& picture) const {
  const std::string real = fs::RealPath(picture);
  for (std::size_t i = from; i < written_.size(); ++i)
    if (written_[i] == real) return true;
  return false;
}

}  // namespace fw
