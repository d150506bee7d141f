#pragma once

class QWidget;

namespace zintu {

class Zintu;

// Offers the game's Score for the high-score table: asks for a name when it earns a place
// and stores the entry.
void EnterRecord(Zintu& game, QWidget* parent);

}  // namespace zintu
