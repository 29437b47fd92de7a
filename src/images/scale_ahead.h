// Runs over a list that prepare later items on worker threads while the front end's thread
// shows, writes and reports each item in list order. Each item planned ahead remembers what
// its work was made from (picture, target and a recipe naming every setting it used); its turn
// takes the worker's result only when what it would do itself is the same and no file written
// since then is that very picture. Otherwise the turn does the work itself, so files and
// everything shown stay those of a run on one thread.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

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

// One item's work: bytes made from `picture` for `target`. `make` writes nothing and touches
// the host it is given only to let events run; on a worker thread that host does nothing.
struct PreparedJob {
  using Make = std::function<std::optional<std::string>(Host&)>;
  std::string picture;
  std::string target;
  std::string recipe;
  Make make;
};

// What an item's turn is handed: the result of its work, prepared ahead or not.
class Prepared {
 public:
  // `job`'s result: the worker's when the item was planned with the same picture, target and
  // recipe (waited for, letting the host's events run), else made here. Errors of the work are
  // raised. From then on `job.target` counts as written: a later item may be that file.
  virtual std::optional<std::string> result(const PreparedJob& job) = 0;

 protected:
  ~Prepared() = default;
};

// Item k's (1-based) work to prepare ahead, or nothing to leave it to its turn. Runs on the
// front end's thread; a planner that raises leaves that item to its turn, which meets the same
// failure in its place.
using JobPlanner = std::function<std::optional<PreparedJob>(std::size_t k)>;
// Item k's turn on the front end's thread; false ends the run after it.
using Turn = std::function<bool(std::size_t k, Prepared& prepared)>;

// The turns of items 1..count in order, with up to twice as many items as `threads` workers
// (0: one per core) prepared ahead; one worker keeps all work on this thread. An error a turn
// raises ends the run with it, once the workers have finished what they hold.
void RunInListOrder(Host& host, std::size_t count, unsigned threads, const JobPlanner& plan,
                    const Turn& turn);

}  // namespace fw
