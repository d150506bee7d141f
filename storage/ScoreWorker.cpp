#include "storage/ScoreWorker.h"

#include <utility>

#include "storage/OleDate.h"

namespace zintu {

ScoreWorker::ScoreWorker(ScoreFiles files, Delivery deliver)
    : deliver_(std::move(deliver)), book_(std::move(files)), thread_([this] { Run(); }) {}

ScoreWorker::~ScoreWorker() {
    {
        const std::scoped_lock lock(mutex_);
        stopping_ = true;
    }
    asked_.notify_one();
    thread_.join();
}

void ScoreWorker::Load() {
    Ask(std::nullopt);
}

void ScoreWorker::Store(const ScoreRecord& entry) {
    Ask(entry);
}

bool ScoreWorker::IsIdle() const {
    const std::scoped_lock lock(mutex_);
    return requests_.empty() && !working_;
}

void ScoreWorker::Ask(Request request) {
    {
        const std::scoped_lock lock(mutex_);
        // A load still waiting answers a second one as well.
        if (!request && !requests_.empty() && !requests_.back()) {
            return;
        }
        requests_.push_back(std::move(request));
    }
    asked_.notify_one();
}

void ScoreWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        asked_.wait(lock, [this] { return stopping_ || !requests_.empty(); });
        if (requests_.empty()) {
            // The last chance for an entry that no file took yet.
            if (book_.HasUnsaved()) {
                book_.Load(OleNow());
            }
            return;
        }
        const Request request = std::move(requests_.front());
        requests_.pop_front();
        working_ = true;
        lock.unlock();
        const OleDateTime now = OleNow();
        const LoadedScores loaded = request ? book_.Store(*request, now) : book_.Load(now);
        deliver_(loaded.Table);
        lock.lock();
        working_ = false;
    }
}

}  // namespace zintu
