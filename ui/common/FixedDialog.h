#pragma once

#include <QString>

class QDialog;

namespace zintu {

// Gives a secondary window its common look: a fixed client area in twips, a title bar
// with only the system menu and the close box, the program icon, the classic dialog
// font, and application modality.
void SetUpFixedDialog(QDialog* dialog, const QString& name, const QString& caption, int widthTwips,
                      int heightTwips);

}  // namespace zintu
