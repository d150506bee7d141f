#pragma once

#include <QColor>
#include <QWidget>

namespace zintu {

// The disc that slides above the drawn board while a ball moves.
class BallShape : public QWidget {
    Q_OBJECT
  public:
    explicit BallShape(QWidget* parent);
    // A symbol of 0 shows the plain disc.
    void SetBall(QColor color, int symbol);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_;
    int symbol_ = 0;
};

}  // namespace zintu
