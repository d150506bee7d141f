#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "engine/ScoreTable.h"
#include "storage/ScoreBook.h"

namespace zintu {

// Runs the score book's loads and stores on a thread of its own, one at a time and in the
// order asked, so that nobody who asks waits on the shared folder. Each table comes back
// through `deliver`, called on that thread. Destroying the worker first finishes what was
// asked, so that an entry typed just before the program ends is still stored.
class ScoreWorker {
  public:
    using Delivery = std::function<void(const ScoreTable&)>;

    ScoreWorker(ScoreFiles files, Delivery deliver);
    ~ScoreWorker();
    ScoreWorker(const ScoreWorker&) = delete;
    ScoreWorker& operator=(const ScoreWorker&) = delete;

    void Load();
    void Store(const ScoreRecord& entry);
    // Nothing asked is left to do.
    bool IsIdle() const;
    // Never changed after construction, so any thread may read them.
    const ScoreFiles& Files() const { return book_.Files(); }

  private:
    using Request = std::optional<ScoreRecord>;  // empty: a load
    void Ask(Request request);
    void Run();

    const Delivery deliver_;
    ScoreBook book_;  // used on the worker's thread only, but for its file names
    mutable std::mutex mutex_;
    std::condition_variable asked_;
    std::deque<Request> requests_;
    bool working_ = false;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts once everything it uses is there
};

}  // namespace zintu
