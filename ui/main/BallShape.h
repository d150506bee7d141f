#pragma once

#include <QColor>
#include <QWidget>

namespace zintu {

// The disc that slides above the drawn board while a ball moves.
class BallShape : public QWidget {
    Q_OBJECT
  public:
    explicit BallShape(QWidget* parent);
    void SetColor(QColor color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_;
};

}  // namespace zintu
