#include "ui/main/ScorePanel.h"

#include "ui/common/ClassicFont.h"
#include "ui/common/Twips.h"
#include "ui/main/Contrast.h"
#include "ui/main/ScoreCaption.h"

namespace zintu {

ScorePanel::ScorePanel(const QColor& boardColor, QWidget* parent) : QFrame(parent) {
    setObjectName("Frame1");
    setAccessibleName(tr("Счёт"));
    setFrameShape(QFrame::NoFrame);
    QPalette onBoard = palette();
    onBoard.setColor(QPalette::WindowText, TextColorOn(boardColor));
    setPalette(onBoard);
    points_ = AddLabel("lblNew", tr("Очки"), tr(" Очки претендента "), 0);
    record_ = AddLabel("lblScore", tr("Рекорд"), tr(" Рекорд "), 400);
}

QLabel* ScorePanel::AddLabel(const char* name, const QString& meaning, const QString& tip,
                             int top) {
    auto* label = new ScoreCaption(this);
    label->setObjectName(name);
    label->setToolTip(tip);
    label->setAccessibleName(meaning);
    label->setAccessibleDescription(tip.trimmed());
    label->setGeometry(TwipsRect(0, top, 975, 300));
    label->setFont(ClassicFont(9.75));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    return label;
}

}  // namespace zintu
