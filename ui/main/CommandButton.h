#pragma once

#include <QPushButton>

namespace zintu {

// A push button of the main window as the player's platform makes it: Space, Enter and
// keypad Enter press it while it has the focus, a left press gives it the focus and a
// right press leaves the focus where it was.
class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    CommandButton(const QString& caption, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace zintu
