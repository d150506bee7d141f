#pragma once

#include <QWidget>
#include <array>

#include "engine/Rules.h"

namespace zintu {

struct GameState;

// A ball's colour by its code, or "empty", in the interface's language.
QString ColorName(int code);

// The board's stop in the tab chain. It lies over the drawn board, lets every mouse event
// through to the window, and takes the focus from the keyboard only. While focused it
// shows a cell cursor above the picture (never in it); arrows move the cursor, Space and
// Enter ask for a left click on its cell, the menu key and Shift+F10 for a right click.
class BoardCursor : public QWidget {
    Q_OBJECT
  public:
    BoardCursor(const GameState& game, QWidget* parent);

    const GameState& Game() const { return game_; }
    int Col() const { return col_; }
    int Row() const { return row_; }
    // The name of a cell in the interface's language: row, column and what lies there.
    QString CellName(int col, int row) const;
    // Tells assistive technology something that shows only on the screen or as a beep.
    void Announce(const QString& text);
    // Tells assistive technology which cells changed since the last call.
    void ReportChangedCells();

  signals:
    void Clicked(int col, int row);
    void RightClicked(int col, int row);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void MoveCursor(int col, int row);
    QRect CellRect(int col, int row) const;
    void AnnounceCursor();

    const GameState& game_;
    std::array<QString, kBoardSize * kBoardSize> reported_;  // the names last told
    int col_ = 0;
    int row_ = 0;
};

}  // namespace zintu
