#pragma once

#include <QFrame>

class QLabel;

namespace zintu {

// The frame beside the board with the player's points and the record, standing on the board's
// colour whatever the theme gives the window.
class ScorePanel : public QFrame {
    Q_OBJECT
  public:
    ScorePanel(const QColor& boardColor, QWidget* parent);

    QLabel& Points() { return *points_; }
    QLabel& Record() { return *record_; }

  private:
    QLabel* AddLabel(const char* name, const QString& meaning, const QString& tip, int top);

    QLabel* points_ = nullptr;
    QLabel* record_ = nullptr;
};

}  // namespace zintu
