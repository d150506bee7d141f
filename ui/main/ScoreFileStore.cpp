#include "ui/main/ScoreFileStore.h"

#include <utility>

#include "storage/OleDate.h"

namespace zintu {

ScoreFileStore::ScoreFileStore(ScoreFiles files) : book_(std::move(files)) {}

OleDateTime ScoreFileStore::Now() const {
    return OleNow();
}

ScoreTable ScoreFileStore::Load() {
    return book_.Load(Now()).Table;
}

ScoreTable ScoreFileStore::Peek() {
    return book_.Peek(Now()).Table;
}

ScoreTable ScoreFileStore::Store(const std::optional<ScoreRecord>& entry) {
    return book_.Store(entry, Now()).Table;
}

}  // namespace zintu
