#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>

#include "storage/AppFolder.h"
#include "ui/common/StandardTexts.h"
#include "ui/main/CommandLine.h"
#include "ui/main/PathText.h"
#include "ui/main/frmZintu.h"
#ifdef ZINTU_LATENESS_PROBE
#include <memory>

#include "ui/main/LatenessProbe.h"
#endif

namespace {

void DescribeApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Zintu"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZINTU_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Zintu"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("project.invalid"));
}

// Help and version are answered before any window system is asked for: they work
// without a display.
bool AnswerInformation(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const zintu::Information asked = zintu::InformationAsked(arguments);
    if (asked == zintu::Information::None) {
        return false;
    }
    const QCoreApplication console(argc, argv);
    DescribeApplication();
    const auto texts = zintu::InstallInterfaceTexts(QLocale::system());
    std::fputs(zintu::InformationText(asked).toLocal8Bit().constData(), stdout);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (AnswerInformation(argc, argv)) {
        return 0;
    }
    QApplication app(argc, argv);
    DescribeApplication();
    // Wayland and task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZINTU_APP_ID));
    // The main window ends the program itself, also while it is hidden in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    const auto texts = zintu::InstallInterfaceTexts(QLocale::system());
#ifdef ZINTU_LATENESS_PROBE
    std::unique_ptr<zintu::LatenessProbe> probe;
    if (qEnvironmentVariableIsSet("ZINTU_LATENESS_LOG")) {
        probe = std::make_unique<zintu::LatenessProbe>(qEnvironmentVariable("ZINTU_LATENESS_LOG"));
    }
#endif

    const std::filesystem::path appFolder = zintu::ChooseAppFolder(
        zintu::ToPath(QCoreApplication::applicationDirPath()), ZINTU_INSTALLED_MARKER,
        zintu::ToPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    const QString arguments = QCoreApplication::arguments().mid(1).join(' ');

    zintu::frmZintu window({appFolder, "Zintu.ini"}, arguments);
    window.ShowCentred();
    return QApplication::exec();
}
