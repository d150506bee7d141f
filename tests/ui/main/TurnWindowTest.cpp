#include <QApplication>
#include <QMessageBox>

#include "MainWindowFixture.h"
#include "WindowSurface.h"

namespace zintu::test {
namespace {

using TurnWindow = MainWindowFixture;

constexpr QRgb kRed = 0xffff0000;
constexpr QRgb kGreen = 0xff00ff00;

TEST_F(TurnWindow, FirstGameShowsGridFiveBallsAndThePreview) {
    window = MakeWindow();
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(7, 150), QColor(0, 0, 5)) << "left grid line";
    EXPECT_EQ(shot.pixelColor(40, 150), QColor(0, 0, 5)) << "second grid line";
    EXPECT_EQ(shot.pixelColor(150, 307), QColor(0, 0, 5)) << "bottom grid line";
    int balls = 0;
    for (int col = 0; col < 9; ++col) {
        for (int row = 0; row < 9; ++row) {
            const ColorCode code = Game().Board[CellIndex(col, row)];
            EXPECT_EQ(BallPixel(col, row), CellColor(col, row)) << col << "," << row;
            balls += code != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(balls, 5);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shot.pixelColor((5030 + 350 * i) / 15, 250 / 15),
                  ToQColor(Game().Palette[Game().NextColors[i + 1]]))
            << "preview " << i;
    }
}

TEST_F(TurnWindow, ClicksSelectAndMoveABallWithNewBallsDropped) {
    window = MakeWindow();
    SetUpBoard({{0, 0, 1}, {4, 4, 2}});
    Game().SelCol = -1;
    const QColor face = FacePixel();

    ClickCell(0, 0);
    EXPECT_EQ(BoxPixel(0, 0), QColor(Qt::black)) << "the selection mark";
    EXPECT_EQ(BallPixel(0, 0).rgb(), kRed);
    ClickCell(4, 4);
    EXPECT_EQ(BoxPixel(0, 0), face) << "the mark moved away";
    EXPECT_EQ(BoxPixel(4, 4), QColor(Qt::black));

    ClickCell(8, 0);
    EXPECT_EQ(BallPixel(8, 0).rgb(), kGreen);
    EXPECT_EQ(BallPixel(4, 4), CellColor(4, 4)) << "empty, unless a new ball dropped there";
    EXPECT_EQ(BoxPixel(4, 4), face);
    EXPECT_EQ(Game().SelCol, -1);
    EXPECT_EQ(81 - Game().CountEmpty(), 2 + 3);
    EXPECT_FALSE(Child<QWidget>("Ball")->isVisible());
}

TEST_F(TurnWindow, RightButtonNeverMovesABall) {
    window = MakeWindow();
    SetUpBoard({{0, 0, 1}});
    ClickCell(0, 0);
    const Grid before = Game().Board;
    ClickCell(3, 3, Qt::RightButton);
    EXPECT_EQ(Game().Board, before);
    EXPECT_EQ(Game().SelCol, 0);
}

// Fills the board so that the next move ends the game: one empty cell, no runs.
void FillAllButOne(Zintu& game) {
    for (int col = 0; col < 9; ++col) {
        for (int row = 0; row < 9; ++row) {
            game.PutBall(col, row, static_cast<ColorCode>((col + 2 * row) % 7 + 1));
        }
    }
    game.PutBall(0, 0, 0);
    game.SelCol = -1;
}

TEST_F(TurnWindow, GameOverShowsTheScoreThenStartsANewGame) {
    window = MakeWindow();
    FillAllButOne(Game());
    Game().Score = 0;
    QString title;
    QString text;
    AnswerNextModal(window.get(), [&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->buttons().size(), 1);
        box->button(QMessageBox::Ok)->click();
    });
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_EQ(title, "Zintu");
    EXPECT_EQ(text, "Игра закончена.\n\nВаш текущий результат - 0");
    EXPECT_EQ(Game().DrawCount, 16) << "the new game's set-up and a second preview";
    EXPECT_EQ(81 - Game().CountEmpty(), 5);
    EXPECT_EQ(Child<QLabel>("lblNew")->text(), "0");
}

TEST_F(TurnWindow, CloseDuringTheGameOverMessageWaitsForTheTurnToFinish) {
    window = MakeWindow();
    FillAllButOne(Game());
    bool closedWhileOpen = true;
    AnswerNextModal(window.get(), [&](QWidget* modal) {
        window->close();
        closedWhileOpen = !window->isVisible();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    ClickCell(1, 0);
    ClickCell(0, 0);
    EXPECT_FALSE(closedWhileOpen) << "the close waits for the turn";
    EXPECT_EQ(Game().DrawCount, 16) << "the turn ran to its end";
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible()) << "then the window closes";
}

}  // namespace
}  // namespace zintu::test
