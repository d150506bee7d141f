#include "ui/main/WindowSurface.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <thread>

#include "engine/BoardGeometry.h"
#include "ui/common/Twips.h"
#include "ui/main/BackBuffer.h"
#include "ui/main/BallShape.h"

namespace zintu {

QColor ToQColor(ColorValue color) {
    return QColor(static_cast<int>(color & 0xffU), static_cast<int>((color >> 8U) & 0xffU),
                  static_cast<int>((color >> 16U) & 0xffU));
}

ColorValue ToColorValue(QColor color) {
    return Rgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue()));
}

namespace {

// The logical pixels that a drawing between the given twips may touch: its rounded
// corners and a pixel around them, for outlines and smooth edges.
QRect Touched(int x1, int y1, int x2, int y2) {
    return QRect(QPoint(TwipsToPixels(std::min(x1, x2)), TwipsToPixels(std::min(y1, y2))),
                 QPoint(TwipsToPixels(std::max(x1, x2)), TwipsToPixels(std::max(y1, y2))))
        .adjusted(-1, -1, 1, 1);
}

}  // namespace

WindowSurface::WindowSurface(QWidget& window, BackBuffer& buffer, BallShape& ball,
                             QLabel& scoreLabel, QLabel& bestLabel, Symbols symbols)
    : window_(window),
      buffer_(buffer),
      ball_(ball),
      scoreLabel_(scoreLabel),
      bestLabel_(bestLabel),
      symbols_(symbols) {}

void WindowSurface::SetFillColor(ColorValue color) {
    buffer_.SetFillColor(ToQColor(color));
}

void WindowSurface::FilledRectangle(int x1, int y1, int x2, int y2) {
    buffer_.FilledRectangle(x1, y1, x2, y2);
    Touch(Touched(x1, y1, x2, y2));
}

void WindowSurface::Line(int x1, int y1, int x2, int y2, ColorValue color) {
    buffer_.Line(x1, y1, x2, y2, ToQColor(color));
    Touch(Touched(x1, y1, x2, y2));
}

void WindowSurface::Box(int x, int y, int width, int height) {
    buffer_.Box(x, y, width, height);
    Touch(Touched(x, y, x + width, y + height));
}

void WindowSurface::Disc(int centreX, int centreY, int radius) {
    buffer_.Disc(centreX, centreY, radius);
    Touch(Touched(centreX - radius, centreY - radius, centreX + radius, centreY + radius));
}

void WindowSurface::Symbol(int centreX, int centreY, int radius, ColorCode code) {
    if (symbols_ == Symbols::On && 2 * radius >= kBallRadius) {
        buffer_.Symbol(centreX, centreY, radius, code);
    }
}

void WindowSurface::Refresh() {
    window_.repaint(drawn_);
    drawn_ = QRegion();
}

void WindowSurface::Touch(QRect logical) {
    drawn_ += logical;
    window_.update(logical);
}

void WindowSurface::PlaceBall(const BallPlacement& ball) {
    const QRect before = ball_.isVisible() ? ball_.geometry() : QRect();
    ball_.SetBall(ToQColor(ball.Color), symbols_ == Symbols::On ? ball.Code : 0);
    ball_.setGeometry(TwipsRect(ball.Left, ball.Top, ball.Width, ball.Height));
    ball_.setVisible(ball.Visible);
    window_.repaint(before.united(ball_.geometry()));
}

std::chrono::microseconds WindowSurface::Now() const {
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

void WindowSurface::WaitUntil(std::chrono::microseconds time) {
    std::this_thread::sleep_until(std::chrono::steady_clock::time_point(time));
}

std::chrono::microseconds WindowSurface::RefreshInterval() const {
    constexpr qreal kUsualRate = 60;
    const QScreen* screen = window_.screen();
    const qreal rate =
        screen != nullptr && screen->refreshRate() >= 1 ? screen->refreshRate() : kUsualRate;
    return std::chrono::microseconds(std::lround(1e6 / rate));
}

void WindowSurface::Beep() {
    QApplication::beep();
}

namespace {

// The labels are named by their meaning; a screen reader hears of the number as a value.
void ShowNumber(QLabel& label, std::int32_t number) {
    label.setText(QString::number(number));
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(&label, number);
        QAccessible::updateAccessibility(&changed);
    }
}

}  // namespace

void WindowSurface::ShowScore(std::int32_t score) {
    ShowNumber(scoreLabel_, score);
}

void WindowSurface::ShowBestScore(std::int32_t bestScore) {
    ShowNumber(bestLabel_, bestScore);
}

}  // namespace zintu
