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

// Runs `open`, which shows a modal window, and hands that window to `answer` once it has
// the keyboard focus. A window the answer leaves open fails the test and is rejected, so
// a broken close ends the test instead of hanging it.
inline void RunWithModalAnswer(const std::function<void()>& open,
                               std::function<void(QWidget*)> answer) {
    QObject scope;
    AnswerNextModal(&scope, [answer = std::move(answer)](QWidget* modal) {
        const QDeadlineTimer deadline(2000);
        while (!(modal->isActiveWindow() && modal->focusWidget()) && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        answer(modal);
    });
    QTimer::singleShot(5000, &scope, [] {
        ADD_FAILURE() << "the modal window stayed open";
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog->reject();
        }
    });
    open();
}

inline int ExecWithAnswer(QDialog& dialog, std::function<void(QWidget*)> answer) {
    int result = -1;
    RunWithModalAnswer([&] { result = dialog.exec(); }, std::move(answer));
    return result;
}

// To the focus widget, as the keyboard delivers it.
inline void PressKey(Qt::Key key, const QString& text = {}) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &event);
    }
}

// Text outside Latin-1 comes as text without a key code of its own.
inline void TypeText(const QString& text) {
    for (const QChar character : text) {
        PressKey(Qt::Key_unknown, QString(character));
    }
}

}  // namespace zintu::test
