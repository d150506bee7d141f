#pragma once

class QWidget;

namespace zintu {

class Zintu;

// Offers the game's Score for the high-score table: asks for a name when it earns a place in
// the table as known and has the entry stored, or the table read afresh when there is none.
void EnterRecord(Zintu& game, QWidget* parent);

}  // namespace zintu
