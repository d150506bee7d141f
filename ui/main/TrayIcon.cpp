#include "ui/main/TrayIcon.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QTimer>

#include "ui/common/ProgramIcon.h"

namespace zintu {

TrayIcon::TrayIcon(QObject* parent) : QObject(parent) {
    menu_.setObjectName("mnuPopMenu");
    menu_.setTitle(tr("Menu"));
    QAction* show = menu_.addAction(tr("Показать"), this, &TrayIcon::ShowRequested);
    show->setObjectName("mnuPopMenuShow");
    QAction* exit = menu_.addAction(tr("Выход"), this, &TrayIcon::ExitRequested);
    exit->setObjectName("mnuPopMenuExit");
    // Some desktops show no icon that has no menu; Qt opens it on a right click.
    icon_.setContextMenu(&menu_);
    icon_.setIcon(ProgramIcon());
    icon_.setToolTip(QStringLiteral("Zintu"));
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

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    if (busy_ || !IsDoubleClick(reason)) {
        return;
    }
    busy_ = true;
    // Removing the icon destroys the object that reports this click: restore only after
    // the report has returned.
    QTimer::singleShot(0, this, [this] {
        emit ShowRequested();
        busy_ = false;
    });
}

// Status-notifier hosts report every click as a single Trigger; two of them within the
// double-click time are the double click that Windows and XEmbed trays report as such.
bool TrayIcon::IsDoubleClick(QSystemTrayIcon::ActivationReason reason) {
    const bool secondClick =
        reason == QSystemTrayIcon::Trigger && sinceClick_.isValid() &&
        !sinceClick_.hasExpired(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (reason == QSystemTrayIcon::Trigger && !secondClick) {
        sinceClick_.start();
    } else {
        sinceClick_.invalidate();
    }
    return secondClick || reason == QSystemTrayIcon::DoubleClick;
}

}  // namespace zintu
