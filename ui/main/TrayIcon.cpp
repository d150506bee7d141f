#include "TrayIcon.h"

#include "ProgramIcon.h"

namespace zintu {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    menu_.setObjectName("mnuPopMenu");
    menu_.setTitle("Menu");
    QAction* show = menu_.addAction("Показать", this, &TrayIcon::ShowRequested);
    show->setObjectName("mnuPopMenuShow");
    QAction* exit = menu_.addAction("Выход", this, &TrayIcon::ExitRequested);
    exit->setObjectName("mnuPopMenuExit");
    // Some desktops show no icon that has no menu; Qt opens it on a right click.
    icon_.setContextMenu(&menu_);
    icon_.setIcon(ProgramIcon());
    icon_.setToolTip("Zintu");
    connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

bool TrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Show() {
    icon_.show();
}

void TrayIcon::Remove() {
    icon_.hide();
}

bool TrayIcon::IsShown() const {
    return icon_.isVisible();
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (busy_) {
        return;
    }
    busy_ = true;
    if (reason == QSystemTrayIcon::DoubleClick) {
        emit ShowRequested();
    }
    busy_ = false;
}

}  // namespace zintu
