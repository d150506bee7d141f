#include "ui/main/CommandButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zintu {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Not the window's default button: Enter presses whichever button has the focus.
    setAutoDefault(false);
    // Qt focuses a clicked widget on any mouse button; only the left one may take it.
    setFocusPolicy(Qt::TabFocus);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        setFocus(Qt::MouseFocusReason);
    }
    QPushButton::mousePressEvent(event);
}

}  // namespace zintu
