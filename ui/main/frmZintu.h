#pragma once

#include <QWidget>
#include <memory>

#include "ui/main/BackBuffer.h"
#include "ui/main/RunningHandlers.h"
#include "ui/main/ScoreFileStore.h"

class QPushButton;

namespace zintu {

class BallShape;
class BoardCursor;
class PreviewMarkers;
class ScorePanel;
class TrayIcon;
class WindowSurface;
class Zintu;
class frmScore;

// The main window: the board drawn by the game module, the score labels and the command
// buttons. Creating it sets up the first game and reads the options: symbols, slide step.
class frmZintu : public QWidget {
    Q_OBJECT
  public:
    // `arguments` is the program's command line after its own name, as one string.
    frmZintu(ScoreFiles scoreFiles, const QString& arguments);
    ~frmZintu() override;

    Zintu& Game() { return *game_; }
    void ShowCentred();

    // New game: a clock-seeded RandomSeed, then the whole set-up.
    void NewGameFromClock();
    // A mouse release at (x, y) twips; button 1 left, 2 right, 4 middle.
    void MouseReleased(int button, double x, double y);
    void HideToTray();
    void RemoveTrayIcon();
    // Every table asked for has arrived.
    bool ScoresSettled() const;

    void cmdHide_Click();
    void cmdExit_Click();
    void cmdNew_Click();
    void cmdScore_Click();
    void cmdRead_Click();
    void cmdWrite_Click();
    void cmdAbout_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void CreateControls();
    void CreateBoardCursor();
    // Names the preview's colours and reports the cells that changed.
    void UpdateAccessibleState();
    struct Command;
    static const Command kCommands[];
    void CreateCommands();
    void GameOver();
    void ScoresArrived(const ScoreTable& table);
    void RestoreFromTray();
    void RebuildBackBuffer();
    void Centre();
    frmScore& ScoreWindow();
    QString AppFolderText() const;

    RunningHandlers handlers_;
    BackBuffer buffer_;
    QColor boardColor_;
    QPushButton* firstCommand_ = nullptr;  // where the focus starts
    QPushButton* lastCommand_ = nullptr;   // the board's stop follows it
    ScorePanel* scorePanel_ = nullptr;
    BallShape* ball_ = nullptr;
    BoardCursor* board_ = nullptr;
    std::unique_ptr<PreviewMarkers> preview_;
    std::unique_ptr<WindowSurface> surface_;
    ScoreFileStore scoreStore_;
    std::unique_ptr<Zintu> game_;
    TrayIcon* tray_ = nullptr;
    std::unique_ptr<frmScore> scoreWindow_;
    bool centreAtFirstPaint_ = false;
};

}  // namespace zintu
