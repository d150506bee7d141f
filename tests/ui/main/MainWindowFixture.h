#pragma once

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "Zintu.h"
#include "frmZintu.h"

namespace zintu::test {

// A main window whose score files live in a folder of the test's own.
class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    std::unique_ptr<frmZintu> MakeWindow(const QString& arguments = {});
    std::filesystem::path ScoreFile() const { return folder_ / "Zintu.scr"; }
    const std::filesystem::path& Folder() const { return folder_; }

    template <typename T = QWidget>
    T* Child(const char* name) const {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    Zintu& Game() const { return window->Game(); }
    // The colour on screen at the centre of a cell, and inside its box beside the ball.
    QColor BallPixel(int col, int row) const;
    QColor BoxPixel(int col, int row) const;
    QColor FacePixel() const;
    // The colour a cell's ball centre should show for the game's state.
    QColor CellColor(int col, int row) const;
    // Releases the left button over the centre of a cell, as a player would.
    void ClickCell(int col, int row, Qt::MouseButton button = Qt::LeftButton);
    // A ball placed and drawn on an empty board, for scripted turns.
    void SetUpBoard(const std::vector<std::tuple<int, int, ColorCode>>& balls);

    std::unique_ptr<frmZintu> window;

  private:
    std::filesystem::path folder_;
};

}  // namespace zintu::test
