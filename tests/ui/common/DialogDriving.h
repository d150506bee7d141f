#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"

namespace zintu::test {

// A window can become the active modal one before it is activated and its focus is set.
inline void WaitForKeyboardFocus(QWidget* window) {
    const QDeadlineTimer deadline(2000);
    while (!(window->isActiveWindow() && window->focusWidget()) && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

// Runs `open`, which shows a modal window, and hands that window to `answer` once it is
// active. A window the answer leaves open is rejected after a few seconds and fails the
// test, so a broken close ends the test instead of hanging it.
inline void RunWithModalAnswer(const std::function<void()>& open,
                               std::function<void(QWidget*)> answer) {
    QObject scope;
    AnswerNextModal(&scope, [answer = std::move(answer)](QWidget* modal) {
        WaitForKeyboardFocus(modal);
        answer(modal);
    });
    auto* fallback = new QTimer(&scope);
    fallback->setSingleShot(true);
    QObject::connect(fallback, &QTimer::timeout, [] {
        ADD_FAILURE() << "the modal window stayed open";
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        }
    });
    fallback->start(5000);
    open();
}

inline int ExecWithAnswer(QDialog& dialog, std::function<void(QWidget*)> answer) {
    int result = -1;
    RunWithModalAnswer([&] { result = dialog.exec(); }, std::move(answer));
    return result;
}

// Press and release as the keyboard would deliver them, to the widget with the focus.
inline void PressKey(Qt::Key key, const QString& text = {}) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Characters outside Latin-1 arrive as text without a key code of their own.
inline void TypeText(const QString& text) {
    for (const QChar character : text) {
        PressKey(Qt::Key_unknown, QString(character));
    }
}

// The objects among `names` in the order the Tab key visits them, starting at `first`.
inline QStringList TabOrder(QWidget* first, const QStringList& names) {
    QStringList order;
    QWidget* widget = first;
    do {
        if (names.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != first);
    return order;
}

}  // namespace zintu::test
