#include "ui/scores/RecordNameDialog.h"

#include <QCoreApplication>
#include <QInputDialog>

namespace zintu {

std::u32string AskRecordName(QWidget* parent, int rank) {
    bool accepted = false;
    const QString answer = QInputDialog::getText(
        parent,
        QCoreApplication::translate("zintu::RecordEntry", "Установлен рекорд номер %1").arg(rank),
        QCoreApplication::translate("zintu::RecordEntry", "Введите ваше имя"), QLineEdit::Normal,
        QString(), &accepted);
    return accepted ? answer.toStdU32String() : std::u32string();
}

}  // namespace zintu
