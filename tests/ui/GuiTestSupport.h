#pragma once

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>

// Readable GoogleTest failures for Qt value types.
inline void PrintTo(const QColor& c, std::ostream* os) { *os << c.name().toStdString(); }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A border of one plain line: every side in the same colour, unlike a sunken panel.
inline bool HasSingleLineBorder(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    const int right = shot.width() - 1, bottom = shot.height() - 1;
    const int midX = shot.width() / 2, midY = shot.height() / 2;
    const QColor line = shot.pixelColor(0, midY);
    return shot.pixelColor(right, midY) == line && shot.pixelColor(midX, 0) == line &&
           shot.pixelColor(midX, bottom) == line && shot.pixelColor(2, midY) != line;
}

// Answers the next modal dialog that opens: polls until one is active, then hands it
// to `answer` once. Keep the returned timer alive while the dialog is expected.
inline QTimer* AnswerNextModal(QObject* owner, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(owner);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            answer(modal);
            timer->deleteLater();
        }
    });
    timer->start();
    return timer;
}
