#include "ui/scores/RecordEntry.h"

#include <string>

#include "engine/Zintu.h"
#include "ui/scores/RecordNameDialog.h"

namespace zintu {

void EnterRecord(Zintu& game, QWidget* parent) {
    const int rank = game.RecordRank();
    game.StoreRecord(rank == 0 ? std::u32string() : AskRecordName(parent, rank));
}

}  // namespace zintu
