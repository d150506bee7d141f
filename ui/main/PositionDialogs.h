#pragma once

#include <QString>

class QWidget;

namespace zintu {

// The file dialogs of the save and open commands, starting in `folder`: the file chosen, or
// an empty text when the player cancels.
QString AskFileToSavePosition(QWidget* parent, const QString& folder);
QString AskFileToOpenPosition(QWidget* parent, const QString& folder);

}  // namespace zintu
