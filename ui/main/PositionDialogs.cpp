#include "ui/main/PositionDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace zintu {
namespace {

const char* const kContext = "zintu::PositionDialogs";
// Each entry is a description, shown as it is, and its pattern, hidden in parentheses.
// Qt's "*.*" wants a dot in the name, so every file is "*".
const char* const kPositionFilter = QT_TRANSLATE_NOOP(
    "zintu::PositionDialogs", "Файл позиции для Zintu (*.poz) (*.poz);;All files (*.*) (*)");
#ifdef Q_OS_WIN
// Windows' own dialog gives a name typed without an extension the filter's: Qt's keeps it.
constexpr auto kPositionDialogOptions =
    QFileDialog::HideNameFilterDetails | QFileDialog::DontUseNativeDialog;
#else
constexpr auto kPositionDialogOptions = QFileDialog::HideNameFilterDetails;
#endif

QString Translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

}  // namespace

QString AskFileToSavePosition(QWidget* parent, const QString& folder) {
    return QFileDialog::getSaveFileName(
        parent,
        Translated(
            QT_TRANSLATE_NOOP("zintu::PositionDialogs", "Сохранить текущее расположение шариков")),
        folder, Translated(kPositionFilter), nullptr, kPositionDialogOptions);
}

QString AskFileToOpenPosition(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(
        parent,
        Translated(QT_TRANSLATE_NOOP("zintu::PositionDialogs",
                                     "Восстановить сохраненное расположение шариков")),
        folder, Translated(kPositionFilter), nullptr, kPositionDialogOptions);
}

}  // namespace zintu
