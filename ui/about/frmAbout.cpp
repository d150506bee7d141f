#include "ui/about/frmAbout.h"

#include <QLabel>
#include <QPushButton>

#include "ui/common/ClassicFont.h"
#include "ui/common/DisplayText.h"
#include "ui/common/FixedDialog.h"
#include "ui/common/ProgramIcon.h"
#include "ui/common/Twips.h"

namespace zintu {
namespace {

QLabel* AddLabel(QDialog* dialog, const QString& name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, dialog);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* AddPicture(QDialog* dialog) {
    QLabel* picture =
        AddLabel(dialog, QStringLiteral("Picture1"), {}, TwipsRect(360, 240, 480, 480));
    picture->setPixmap(ProgramIcon().pixmap(QSize(32, 32), dialog->devicePixelRatioF()));
    picture->setAccessibleName(frmAbout::tr("Значок Zintu"));
    picture->setAccessibleDescription(
        frmAbout::tr("Девять цветных шариков, три красных по диагонали"));
    return picture;
}

QLabel* AddThanks(QDialog* dialog) {
    QLabel* thanks = AddLabel(dialog, QStringLiteral("Label4"), DisplayText(ThanksText()),
                              TwipsRect(240, 1680, 3855, 900));
    thanks->setWordWrap(true);
    thanks->setFrameStyle(QFrame::Box | QFrame::Plain);
    thanks->setLineWidth(1);
    return thanks;
}

}  // namespace

QString ThanksText() {
    const QChar cr(u'\r');
    return frmAbout::tr("Спасибо всем моим тестерам, а особенно") + cr +
           frmAbout::tr("всем, кто играл первым") + cr + frmAbout::tr("и") + cr +
           frmAbout::tr("всем, кто нашёл ошибки");
}

frmAbout::frmAbout(QWidget* owner) : QDialog(owner) {
    SetUpFixedDialog(this, QStringLiteral("frmAbout"), tr("О программе"), 4335, 3270);

    QPushButton* ok = AddDefaultButton(this, QStringLiteral("OK"), 1620, 2760, 1095, 375);
    QLabel* picture = AddPicture(this);
    QLabel* title = AddLabel(this, QStringLiteral("Label1"), QStringLiteral("Zintu"),
                             TwipsRect(960, 120, 3135, 495));
    title->setFont(ClassicFont(13.5, true));
    QLabel* author =
        AddLabel(this, QStringLiteral("Label2"), tr("Проект Zintu, zintu@project.invalid"),
                 TwipsRect(120, 1200, 4095, 255));
    QLabel* version = AddLabel(this, QStringLiteral("Label3"),
                               tr("Версия  %1  от  22.11.2000").arg(QStringLiteral(ZINTU_VERSION)),
                               TwipsRect(960, 720, 3135, 375));
    QLabel* thanks = AddThanks(this);

    setTabOrder(ok, picture);
    setTabOrder(picture, title);
    setTabOrder(title, author);
    setTabOrder(author, version);
    setTabOrder(version, thanks);
    ok->setFocus();
}

}  // namespace zintu
