#pragma once

#include <QCoreApplication>
#include <array>

#include "engine/Rules.h"

class QWidget;

namespace zintu {

// Invisible items over the three preview balls that tell a screen reader the colours to come.
class PreviewMarkers {
    Q_DECLARE_TR_FUNCTIONS(zintu::PreviewMarkers)
  public:
    explicit PreviewMarkers(QWidget& window);

    // `nextColors` as the game keeps them: entries 1..3.
    void Name(const std::array<ColorCode, 4>& nextColors);

  private:
    std::array<QWidget*, 3> items_{};
};

}  // namespace zintu
