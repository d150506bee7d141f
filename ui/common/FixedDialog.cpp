#include "ui/common/FixedDialog.h"

#include <QDialog>
#include <QPushButton>

#include "ui/common/ClassicFont.h"
#include "ui/common/ProgramIcon.h"
#include "ui/common/Twips.h"

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

QPushButton* AddDefaultButton(QDialog* dialog, const QString& caption, int left, int top, int width,
                              int height) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(QStringLiteral("Command1"));
    button->setGeometry(TwipsRect(left, top, width, height));
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

}  // namespace zintu
