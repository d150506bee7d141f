#pragma once

#include <QtTest>
#include <QtWidgets>
#include <functional>

#include <gtest/gtest.h>

inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name().toStdString();
}
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Hands each modal window that opens, once it has the focus, to `answer` while `scope`
// lives. A window left unanswered blocks until the test's timeout.
inline void AnswerModals(QObject* scope, std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(scope);
    QObject::connect(timer, &QTimer::timeout, [answer, last = QPointer<QWidget>()]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != last && modal->isActiveWindow() && modal->focusWidget())
            answer(last = modal);
    });
    timer->start(10);
}
