#include "ui/main/ScoreFileStore.h"

#include <utility>

#include "storage/OleDate.h"

namespace zintu {

ScoreFileStore::ScoreFileStore(ScoreFiles files, Arrival arrived)
    : arrived_(std::move(arrived)), worker_(std::move(files), [this](const ScoreTable& table) {
          ++onTheWay_;
          QMetaObject::invokeMethod(
              &receiver_,
              [this, table] {
                  --onTheWay_;
                  arrived_(table);
              },
              Qt::QueuedConnection);
      }) {}

OleDateTime ScoreFileStore::Now() const {
    return OleNow();
}

void ScoreFileStore::RequestLoad() {
    worker_.Load();
}

void ScoreFileStore::RequestStore(const ScoreRecord& entry) {
    worker_.Store(entry);
}

bool ScoreFileStore::IsSettled() const {
    return worker_.IsIdle() && onTheWay_ == 0;
}

}  // namespace zintu
