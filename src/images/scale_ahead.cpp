#include "images/scale_ahead.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "common/fs.h"
#include "common/host.h"

namespace fw {

unsigned WorkerCount(unsigned threads) {
  if (threads == 0) threads = std::thread::hardware_concurrency();
  return threads == 0 ? 1 : threads;
}

namespace {

// The workers and the items planned ahead of the current turn.
class ScaleAhead : public Prepared {
 public:
  ScaleAhead(Host& host, unsigned workers) : host_(host), workers_(workers == 0 ? 1 : workers) {}
  ~ScaleAhead();
  ScaleAhead(const ScaleAhead&) = delete;
  ScaleAhead& operator=(const ScaleAhead&) = delete;

  // Item n's turn of `count`: plans the items up to n + 2 * workers - 1 and makes item n's
  // plan the current one.
  void begin(std::size_t n, std::size_t count, const JobPlanner& plan);
  std::optional<std::string> result(const PreparedJob& job) override;

 private:
  using Task = std::packaged_task<std::optional<std::string>()>;
  struct Slot {
    PreparedJob job;
    std::size_t writesBefore = 0;
    std::future<std::optional<std::string>> result;  // invalid when nothing was started
  };

  void start(Slot& slot);
  void work();
  bool taken(const PreparedJob& job, std::optional<std::string>& result);
  bool writtenSince(std::size_t from, const std::string& picture) const;

  Host& host_;
  unsigned workers_;
  std::size_t planned_ = 0;
  std::deque<Slot> ahead_;
  std::optional<Slot> current_;
  std::vector<std::string> written_;  // real paths of the files written so far
  std::vector<std::string> writing_;  // targets of the turn under way, resolved once written

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> queue_;  // planned work no worker has taken yet, in list order
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

ScaleAhead::~ScaleAhead() {
  // Work not yet taken is dropped; the items being worked on are finished, so no worker
  // outlives the run that planned it.
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void ScaleAhead::begin(std::size_t n, std::size_t count, const JobPlanner& plan) {
  current_.reset();
  if (workers_ <= 1) return;
  // A file is known by its real path only once it exists.
  for (const std::string& target : writing_) written_.push_back(fs::RealPath(target));
  writing_.clear();
  // Twice as many items as workers are planned, so that a long item at the head of the list
  // does not leave the other workers idle.
  while (planned_ < count && planned_ < n - 1 + 2 * std::size_t(workers_)) {
    const std::size_t k = ++planned_;
    Slot slot;
    try {
      std::optional<PreparedJob> job = plan(k);
      if (job) {
        slot.job = std::move(*job);
        slot.writesBefore = written_.size();
        start(slot);
      }
    } catch (const std::exception&) {
      // Left to the item's own turn, which meets the same failure in its place.
    }
    ahead_.push_back(std::move(slot));
  }
  if (!ahead_.empty()) {
    current_ = std::move(ahead_.front());
    ahead_.pop_front();
  }
}

void ScaleAhead::start(Slot& slot) {
  Task task([make = slot.job.make] {
    SilentHost silent;
    return make(silent);
  });
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

std::optional<std::string> ScaleAhead::result(const PreparedJob& job) {
  std::optional<std::string> result;
  if (!taken(job, result)) result = job.make(host_);
  if (workers_ > 1) writing_.push_back(job.target);
  return result;
}

bool ScaleAhead::taken(const PreparedJob& job, std::optional<std::string>& result) {
  if (!current_ || !current_->result.valid()) return false;
  const PreparedJob& planned = current_->job;
  if (planned.picture != job.picture || planned.target != job.target ||
      planned.recipe != job.recipe || writtenSince(current_->writesBefore, job.picture))
    return false;
  using namespace std::chrono_literals;
  while (current_->result.wait_for(20ms) != std::future_status::ready) host_.processEvents();
  result = current_->result.get();
  return true;
}

bool ScaleAhead::writtenSince(std::size_t from, const std::string& picture) const {
  const std::string real = fs::RealPath(picture);
  for (std::size_t i = from; i < written_.size(); ++i)
    if (written_[i] == real) return true;
  return false;
}

}  // namespace

void RunInListOrder(Host& host, std::size_t count, unsigned threads, const JobPlanner& plan,
                    const Turn& turn) {
  ScaleAhead ahead(host, WorkerCount(threads));
  for (std::size_t k = 1; k <= count; ++k) {
    ahead.begin(k, count, plan);
    if (!turn(k, ahead)) break;
  }
}

}  // namespace fw
