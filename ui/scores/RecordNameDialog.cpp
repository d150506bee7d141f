#include "RecordNameDialog.h"

#include <QInputDialog>

namespace zintu {

std::u32string AskRecordName(QWidget* parent, int rank) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(
        parent, QStringLiteral("Установлен рекорд номер ") + QString::number(rank),
        QStringLiteral("Введите ваше имя"), QLineEdit::Normal, QString(), &accepted);
    return accepted ? answer.toStdU32String() : std::u32string();
}

}  // namespace zintu
