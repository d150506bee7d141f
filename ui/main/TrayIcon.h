#pragma once

#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

namespace zintu {

// The program's icon in the notification area while the main window is hidden: a double
// click brings the window back, the menu offers "Показать" and "Выход".
class TrayIcon : public QObject {
    Q_OBJECT
  public:
    explicit TrayIcon(QObject* parent);

    // Whether the desktop has a notification area at all.
    static bool Available();
    void Show();
    // Harmless when the icon is not shown.
    void Remove();
    QMenu& Menu() { return menu_; }

    // What the platform reports of a click on the icon.
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

  signals:
    void ShowRequested();
    void ExitRequested();

  private:
    bool IsDoubleClick(QSystemTrayIcon::ActivationReason reason);

    QMenu menu_;
    QSystemTrayIcon icon_;
    QElapsedTimer sinceClick_;  // since a single click that may start a double click
    bool busy_ = false;         // one activation at a time
};

}  // namespace zintu
