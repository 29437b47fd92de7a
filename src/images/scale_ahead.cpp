#include "images/scale_ahead.h"

#include <chrono>
#include <exception>

#include "common/fs.h"
#include "common/host.h"

namespace fw {

unsigned WorkerCount(unsigned threads) {
  if (threads == 0) threads = std::thread::hardware_concurrency();
  return threads == 0 ? 1 : threads;
}

ScaleAhead::ScaleAhead(unsigned workers) : workers_(workers == 0 ? 1 : workers) {}

ScaleAhead::~ScaleAhead() {
  // Work not yet taken is dropped; the pictures being worked on are finished, so no worker
  // outlives the run that planned it.
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void ScaleAhead::begin(std::size_t n, std::size_t count, const Planner& plan) {
  current_.reset();
  if (workers_ <= 1) return;
  // Twice as many pictures as workers are planned, so that a long picture at the head of the
  // list does not leave the other workers idle.
  while (planned_ < count && planned_ < n - 1 + 2 * std::size_t(workers_)) {
    const std::size_t k = ++planned_;
    Slot slot;
    try {
      std::optional<Job> job = plan(k);
      if (job) {
        slot.job = std::move(*job);
        slot.writesBefore = written_.size();
        start(slot);
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

void ScaleAhead::start(Slot& slot) {
  Task task(slot.job.scale);
  slot.result = task.get_future();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(task));
  }
  if (threads_.size() < workers_) threads_.emplace_back([this] { work(); });
  wake_.notify_one();
}

void ScaleAhead::work() {
  for (;;) {
    Task task;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
}

bool ScaleAhead::take(Host& host, const std::string& picture, const std::string& target,
                      const std::string& recipe, std::optional<std::string>& result) {
  if (!current_ || !current_->result.valid()) return false;
  const Job& job = current_->job;
  if (job.picture != picture || job.target != target || job.recipe != recipe ||
      writtenSince(current_->writesBefore, picture))
    return false;
  using namespace std::chrono_literals;
  while (current_->result.wait_for(20ms) != std::future_status::ready) host.processEvents();
  result = current_->result.get();
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
