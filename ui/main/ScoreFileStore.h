#pragma once

#include <QObject>
#include <atomic>
#include <functional>

#include "engine/ScoreStore.h"
#include "storage/ScoreWorker.h"

namespace zintu {

// The game's score table kept in the score files: the local copy and, when the settings name
// one, the shared copy, dated by this machine's clock. The files are read and written on a
// worker thread; each table it brings back reaches `arrived` on the thread that made the store.
// Destroyed, it first finishes the work asked for.
class ScoreFileStore final : public ScoreStore {
  public:
    using Arrival = std::function<void(const ScoreTable&)>;

    ScoreFileStore(ScoreFiles files, Arrival arrived);

    OleDateTime Now() const override;
    void RequestLoad() override;
    void RequestStore(const ScoreRecord& entry) override;

    // Nothing asked is still on its way: done and handed over.
    bool IsSettled() const;
    const ScoreFiles& Files() const { return worker_.Files(); }

  private:
    QObject receiver_;  // lives on this thread; what it has not received yet dies with it
    Arrival arrived_;
    std::atomic<int> onTheWay_ = 0;  // tables handed over but not yet received
    ScoreWorker worker_;             // last: stopped first, while the rest still stands
};

}  // namespace zintu
