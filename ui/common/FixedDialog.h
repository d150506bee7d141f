#pragma once

#include <QString>

class QDialog;
class QPushButton;

namespace zintu {

// Gives a secondary window its common look: a fixed client area in twips, a title bar
// with only the system menu and the close box, the program icon, the classic dialog
// font, and application modality.
void SetUpFixedDialog(QDialog* dialog, const QString& name, const QString& caption, int widthTwips,
                      int heightTwips);

// The dialog's default button "Command1" at a twips rectangle; pressing it accepts.
QPushButton* AddDefaultButton(QDialog* dialog, const QString& caption, int left, int top, int width,
                              int height);

}  // namespace zintu
