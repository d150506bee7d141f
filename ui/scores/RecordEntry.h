#pragma once

class QWidget;

namespace zintu {

class Zintu;

// Offers the game's Score for the high-score table: asks for a name when it earns a place
// and stores the entry. The table is read, merged and written once, whatever the answer.
void EnterRecord(Zintu& game, QWidget* parent);

}  // namespace zintu
