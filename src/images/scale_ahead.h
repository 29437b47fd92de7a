// Pictures scaled ahead on worker threads while the front end's thread shows, writes and
// reports them in list order. Each planned picture remembers what its scaling was made from
// (picture, target, size); the front end's thread takes the result only when what it would use
// itself on the picture's turn is the same and no thumbnail written since then is that very
// picture. Otherwise it does the work itself, so files and everything shown stay those of a
// run on one thread.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

namespace fw {

class Host;

// `threads` worker threads, 0 meaning one per core; at least one.
unsigned WorkerCount(unsigned threads);

class ScaleAhead {
 public:
  // Runs on a worker thread: must touch no host and write nothing.
  using Scale = std::function<std::optional<std::string>()>;
  struct Job {
    std::string picture;
    std::string target;
    int size = 0;
    Scale scale;
  };
  // Plans picture k (1-based): the job to start, or nothing to leave it to its own turn.
  using Planner = std::function<std::optional<Job>(std::size_t k)>;

  explicit ScaleAhead(unsigned workers) : workers_(workers == 0 ? 1 : workers) {}
  ~ScaleAhead();
  ScaleAhead(const ScaleAhead&) = delete;
  ScaleAhead& operator=(const ScaleAhead&) = delete;

  unsigned workers() const { return workers_; }

  // Picture n's turn of `count`: plans the pictures up to n - 1 + workers and makes picture n's
  // plan the current one. A planner that raises leaves that picture to its own turn.
  void begin(std::size_t n, std::size_t count, const Planner& plan);
  // The current picture's scaled JPEG when it was planned with the same picture, target and
  // size; waits for it, letting the host's events run. Errors of the scaling are raised.
  // False: do the work on this thread.
  bool take(Host& host, const std::string& picture, const std::string& target, int size,
            std::optional<std::string>& jpeg);
  // A thumbnail written at `target`: a later picture of the list may be that file.
  void wrote(const std::string& target);

 private:
  struct Slot {
    Job job;
    std::size_t writesBefore = 0;
    std::future<std::optional<std::string>> jpeg;  // invalid when nothing was started
  };

  bool writtenSince(std::size_t from, const std::string& picture) const;

  unsigned workers_;
  std::size_t planned_ = 0;
  std::deque<Slot> ahead_;
  std::optional<Slot> current_;
  std::vector<std::string> written_;  // real paths of the thumbnails written so far
};

}  // namespace fw
