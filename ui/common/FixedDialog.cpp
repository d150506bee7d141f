#include "FixedDialog.h"

#include <QDialog>

#include "ClassicFont.h"
#include "ProgramIcon.h"
#include "Twips.h"

namespace zintu {

void SetUpFixedDialog(QDialog* dialog, const QString& name, const QString& caption, int widthTwips,
                      int heightTwips) {
    dialog->setObjectName(name);
    dialog->setWindowTitle(caption);
    dialog->setWindowIcon(ProgramIcon());
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    dialog->setFixedSize(TwipsToPixels(widthTwips), TwipsToPixels(heightTwips));
    // The controls were laid out for this font; the platform's larger one would clip.
    dialog->setFont(ClassicFont(8.25));
    dialog->setWindowModality(Qt::ApplicationModal);
}

}  // namespace zintu
