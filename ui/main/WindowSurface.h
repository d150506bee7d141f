#pragma once

#include <QColor>
#include <QRegion>
#include <chrono>

#include "engine/ClockAndBeeper.h"
#include "engine/DrawingSurface.h"
#include "engine/ScoreDisplay.h"
#include "ui/main/BallSymbol.h"

class QLabel;
class QWidget;

namespace zintu {

class BackBuffer;
class BallShape;

QColor ToQColor(ColorValue color);
ColorValue ToColorValue(QColor color);

// What the game draws and signals on the main window: shapes go to the back buffer, frames
// are presented with an immediate repaint of what changed; the clock is the steady clock, the
// scores go to the window's labels.
class WindowSurface : public DrawingSurface, public ClockAndBeeper, public ScoreDisplay {
  public:
    WindowSurface(QWidget& window, BackBuffer& buffer, BallShape& ball, QLabel& scoreLabel,
                  QLabel& bestLabel, Symbols symbols);

    void SetFillColor(ColorValue color) override;
    void FilledRectangle(int x1, int y1, int x2, int y2) override;
    void Line(int x1, int y1, int x2, int y2, ColorValue color) override;
    void Box(int x, int y, int width, int height) override;
    void Disc(int centreX, int centreY, int radius) override;
    // Only while the ball is at least half its size: smaller, a symbol would be a smudge.
    void Symbol(int centreX, int centreY, int radius, ColorCode code) override;
    void Refresh() override;
    void PlaceBall(const BallPlacement& ball) override;
    std::chrono::microseconds Now() const override;
    void WaitUntil(std::chrono::microseconds time) override;
    // Of the screen the window is on; 60 Hz where the platform does not tell.
    std::chrono::microseconds RefreshInterval() const override;
    void Beep() override;
    void ShowScore(std::int32_t score) override;
    void ShowBestScore(std::int32_t bestScore) override;

  private:
    // Shows the drawing there at the next paint, or at once at Refresh.
    void Touch(QRect logical);

    QWidget& window_;
    BackBuffer& buffer_;
    BallShape& ball_;
    QLabel& scoreLabel_;
    QLabel& bestLabel_;
    Symbols symbols_;
    QRegion drawn_;  // since the last Refresh
};

}  // namespace zintu
