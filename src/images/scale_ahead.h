// Pictures scaled ahead on worker threads while the front end's thread shows, writes and
// reports them in list order. Each planned picture remembers what its work was made from
// (picture, target and a recipe naming every setting it used); the front end's thread takes the
// result only when what it would use itself on the picture's turn is the same and no file
// written since then is that very picture. Otherwise it does the work itself, so files and
// everything shown stay those of a run on one thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fw {

class Host;

// `threads` worker threads, 0 meaning one per core; at least one.
unsigned WorkerCount(unsigned threads);

// A job's recipe for a JPEG made at `size` (0: the picture's own), `quality` and progression,
// smoothly scaled or not.
inline std::string JpegRecipe(int size, int quality, bool progressive, bool smooth = false) {
  return std::to_string(size) + "/" + std::to_string(quality) + (progressive ? "/p" : "/b") +
         (smooth ? "/s" : "");
}

class ScaleAhead {
 public:
  // Runs on a worker thread: must touch no host and write nothing.
  using Scale = std::function<std::optional<std::string>()>;
  struct Job {
    std::string picture;
    std::string target;
    std::string recipe;
    Scale scale;
  };
  // Plans picture k (1-based) on the front end's thread: the job to start, or nothing to leave
  // it to its own turn.
  using Planner = std::function<std::optional<Job>(std::size_t k)>;

  // One worker keeps everything on the front end's thread.
  explicit ScaleAhead(unsigned workers);
  ~ScaleAhead();
  ScaleAhead(const ScaleAhead&) = delete;
  ScaleAhead& operator=(const ScaleAhead&) = delete;

  unsigned workers() const { return workers_; }

  // Picture n's turn of `count`: plans the pictures up to n + 2 * workers - 1 and makes picture
  // n's plan the current one. A planner that raises leaves that picture to its own turn.
  void begin(std::size_t n, std::size_t count, const Planner& plan);
  // The current picture's result when it was planned with the same picture, target and recipe;
  // waits for it, letting the host's events run. Errors of the work are raised.
  // False: do the work on this thread.
  bool take(Host& host, const std::string& picture, const std::string& target,
            const std::string& recipe, std::optional<std::string>& result);
  // A file written at `target`: a later picture of the list may be that file.
  void wrote(const std::string& target);

 private:
  using Task = std::packaged_task<std::optional<std::string>()>;
  struct Slot {
    Job job;
    std::size_t writesBefore = 0;
    std::future<std::optional<std::string>> result;  // invalid when nothing was started
  };

  void start(Slot& slot);
  void work();
  bool writtenSince(std::size_t from, const std::string& picture) const;

  unsigned workers_;
  std::size_t planned_ = 0;
  std::deque<Slot> ahead_;
  std::optional<Slot> current_;
  std::vector<std::string> written_;  // real paths of the files written so far

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> queue_;  // planned work no worker has taken yet, in list order
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace fw
