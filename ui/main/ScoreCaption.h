#pragma once

#include <QLabel>

namespace zintu {

// A label that shows a score, which screen readers present as a number.
class ScoreCaption : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
};

}  // namespace zintu
