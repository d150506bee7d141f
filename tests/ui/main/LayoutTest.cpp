#include <QApplication>
#include <QFrame>
#include <QScreen>

#include "MainWindowFixture.h"

namespace zintu::test {
namespace {

using Layout = MainWindowFixture;

TEST_F(Layout, WindowHasItsFixedSizeTitleAndButtons) {
    window = MakeWindow();
    EXPECT_EQ(window->windowTitle(), "Zintu");
    EXPECT_EQ(window->size(), QSize(400, 315));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the user cannot resize it";
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
    window->ShowCentred();
    const QPoint offset =
        window->frameGeometry().center() - window->screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1) << "centred with its frame";

    struct Button {
        const char* name;
        const char* caption;
        const char* tip;
        int top;
    };
    const Button buttons[] = {
        {"cmdHide", "Свернуть", " Спрятать на трей ", 280},
        {"cmdExit", "Выход", " Конец игры ", 248},
        {"cmdNew", "Сброс", " Чтобы начать новую игру нажмите эту кнопку ", 216},
        {"cmdScore", "Рекорды", " Показать 10 лучших рекордов. ", 88},
        {"cmdRead", "Открыть", " Восстановить сохраненное расположение шариков. ", 120},
        {"cmdWrite", "Сохранить", " Сохранить текущее расположение шариков. ", 152},
        {"Command1", "About", " О программе ", 184},
    };
    for (const Button& b : buttons) {
        auto* button = Child<QPushButton>(b.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString(b.caption)) << b.name;
        EXPECT_EQ(button->toolTip(), QString(b.tip)) << b.name;
        EXPECT_EQ(button->geometry(), QRect(328, b.top, 65, 25)) << b.name;
        EXPECT_FALSE(button->isDefault()) << b.name;
    }
}

TEST_F(Layout, ScoreLabelsSitInTheirFrameAndShowTheScores) {
    window = MakeWindow();
    auto* frame = Child<QFrame>("Frame1");
    auto* lblNew = Child<QLabel>("lblNew");
    auto* lblScore = Child<QLabel>("lblScore");
    ASSERT_TRUE(frame && lblNew && lblScore);
    EXPECT_EQ(frame->geometry(), QRect(328, 32, 67, 49));
    EXPECT_EQ(frame->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(lblNew->parentWidget(), frame);
    EXPECT_EQ(lblNew->geometry(), QRect(0, 0, 65, 20));
    EXPECT_EQ(lblScore->geometry(), QRect(0, 27, 65, 20));
    EXPECT_EQ(lblNew->toolTip(), " Очки претендента ");
    EXPECT_EQ(lblScore->toolTip(), " Рекорд ");
    for (QLabel* label : {lblNew, lblScore}) {
        EXPECT_EQ(label->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
        EXPECT_TRUE(HasSingleLineBorder(label)) << label->objectName().toStdString();
    }
    EXPECT_EQ(lblNew->text(), "0");
    EXPECT_EQ(lblScore->text(), "0");
    auto* ball = Child<QWidget>("Ball");
    ASSERT_NE(ball, nullptr);
    EXPECT_FALSE(ball->isVisible());
}

TEST_F(Layout, TabOrderStartsAtHideWhichHoldsTheFocus) {
    window = MakeWindow();
    QApplication::setActiveWindow(window.get());
    EXPECT_EQ(window->focusWidget(), Child<QWidget>("cmdHide"));
    QWidget* current = Child<QWidget>("cmdHide");
    const char* expected[] = {"cmdExit", "cmdNew", "cmdScore", "cmdRead", "cmdWrite", "Command1"};
    for (const char* name : expected) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), QString(name));
    }
}

TEST_F(Layout, MoveStepComesFromTheCommandLine) {
    const std::pair<const char*, int> cases[] = {
        {"", 10},      {"15", 15},   {"10", 10},   {"20", 20},     {"9", 10},
        {"21", 10},    {"0", 10},    {"-15", 10},  {"100000", 10}, {"abc", 10},
        {"12 13", 10}, {"12.5", 12}, {"13.5", 14}, {"  17  ", 17},
    };
    window = MakeWindow();
    for (const auto& [arguments, step] : cases) {
        window->Form_Load(arguments);
        EXPECT_EQ(Game().MoveStep, step) << '"' << arguments << '"';
    }
    window = MakeWindow("20");
    EXPECT_EQ(Game().MoveStep, 20) << "creating the window reads its arguments";
}

}  // namespace
}  // namespace zintu::test
