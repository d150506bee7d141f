#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include "AppFolder.h"
#include "PathText.h"
#include "StandardTexts.h"
#include "frmZintu.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Zintu");
    QApplication::setApplicationVersion(ZINTU_VERSION);
    QApplication::setOrganizationName("Zintu");
    QApplication::setOrganizationDomain("project.invalid");
    // Wayland and task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(ZINTU_APP_ID);
    // The main window ends the program itself, also while it is hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto standardTexts = zintu::InstallStandardTexts(QLocale::system());

    const std::filesystem::path appFolder = zintu::ChooseAppFolder(
        zintu::ToPath(QCoreApplication::applicationDirPath()), ZINTU_INSTALLED_MARKER,
        zintu::ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    const QString arguments = QCoreApplication::arguments().mid(1).join(' ');

    zintu::frmZintu window({appFolder, "Zintu.ini"}, arguments);
    window.ShowCentred();
    return QApplication::exec();
}
