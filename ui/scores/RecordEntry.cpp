#include "RecordEntry.h"

#include "RecordNameDialog.h"
#include "Zintu.h"

namespace zintu {

void EnterRecord(Zintu& game, QWidget* parent) {
    const int rank = game.RecordRank();
    if (rank == 0) {
        return;
    }
    game.StoreRecord(AskRecordName(parent, rank));
}

}  // namespace zintu
