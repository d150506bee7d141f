#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "engine/BoardGeometry.h"
#include "engine/ClockAndBeeper.h"
#include "engine/DrawingSurface.h"
#include "engine/GameState.h"
#include "engine/RandomGenerator.h"
#include "engine/Rules.h"
#include "engine/SavedPosition.h"
#include "engine/ScoreDisplay.h"
#include "engine/ScoreStore.h"
#include "engine/ScoreTable.h"

namespace zintu {

class FramePacer;

constexpr ColorValue kGridColor = Rgb(0, 0, 5);
constexpr ColorValue kMarkColor = 0;  // black square behind the selected ball
constexpr std::int16_t kDefaultMoveStep = 10;

// Whether the runs a ball completes count for the player.
enum class RunPoints { Scored, Unscored };

// What a mouse release on the window led to.
enum class TurnOutcome { Ignored, Selected, Refused, MovedWithRun, MovedAndDropped };

// The game module: the owner of a game's state and the procedures that play it, drawing as
// they go; they apply the rules, which are functions of the board (Rules.h). One object per
// process; tests make their own.
class Zintu {
  public:
    // `moveStep`: twips the sliding ball moves a millisecond, 10 to 20.
    Zintu(DrawingSurface& surface, ClockAndBeeper& clock, ScoreDisplay& scoreDisplay,
          ScoreStore& scoreStore, std::int16_t moveStep = kDefaultMoveStep);

    const GameState& State() const { return state_; }

    // --- new game ---
    // Everything of a new game that `randomSeed` deals.
    void NewGame(float randomSeed, ColorValue background);
    // A new game on a seed drawn from the clock.
    void NewGameFromClock(ColorValue background);

    // --- board drawing ---
    // Draws the whole picture anew from the state, for a surface that lost it.
    void Redraw();
    void PutBall(int col, int row, ColorCode code);

    // --- counted draws and placement ---
    ColorCode RandomColor();
    std::int16_t CountEmpty() const;
    void DropBall(ColorCode code);

    // --- path search and move animation ---
    // The steps of a shortest free path from the selected ball to the target (1 on the start),
    // or nothing, with a beep, when there is none.
    std::optional<Grid> FindPath(int targetCol, int targetRow);
    // Slides the overlay along `path` from the start; the board is left as it was.
    void MoveBall(int startCol, int startRow, const Grid& path);

    // --- runs, removal and scoring ---
    // Removes the runs of five or more through (col, row) with their animation; a move's runs
    // score, the runs the game's own drops complete do not.
    bool CheckRuns(int col, int row, ColorCode code, RunPoints points = RunPoints::Scored);
    static std::int32_t LinePoints(int horizontal, int vertical, int diagonal, int antiDiagonal);

    // --- the turn ---
    // A release of a non-right button at (x, y) twips. `gameOver` runs when the drops
    // filled the board, before the new preview is chosen.
    TurnOutcome ReleaseOnBoard(double x, double y, const std::function<void()>& gameOver);

    // --- high scores ---
    // Asks for the table afresh; Scores and the record shown change when it arrives.
    void LoadScoreTable();
    // The place the current Score earns in the table as known now: 1..10, or 0.
    int RecordRank() const;
    // Asks to store the current Score under the name typed, or only for the table afresh when
    // the name is only blanks (then false). The new game that follows takes the table that
    // comes back, so that a game over reads the files once.
    bool StoreRecord(std::u32string_view answer);
    // The table as the score files hold it now, in answer to a request.
    void ScoresArrived(const ScoreTable& table);

    // --- saved positions ---
    SavedPosition Snapshot() const;
    void RestorePosition(const SavedPosition& position);

  private:
    void DrawGrid();
    void DrawCellBox(int col, int row, ColorValue color);
    std::int16_t RandomInt(std::int16_t n);
    void GetNextColor();
    void DrawNextColor();
    void SlideBall(int fromCol, int fromRow, int toCol, int toRow, FramePacer& pacer);
    // Shrinks the balls of `removed` (colour codes, 0 elsewhere) away.
    void AnimateRemoval(const Grid& removed);
    void DrawBall(TwipPoint centre, int radius, ColorCode code);
    void ClearBoardArea();
    void DrawGridLines();
    TurnOutcome MoveSelectedBall(int col, int row, const Grid& path,
                                 const std::function<void()>& gameOver);
    void SelectBall(int col, int row);
    void Unselect();
    void DropPreviewBalls();
    void ReloadScoresForNewGame();

    DrawingSurface& surface_;
    ClockAndBeeper& clock_;
    ScoreDisplay& scoreDisplay_;
    ScoreStore& scoreStore_;
    GameState state_;
    RandomGenerator generator_;
    std::int16_t moveStep_;
    BallPlacement ball_;  // the sliding ball overlay
    bool scoresJustStored_ = false;
};

}  // namespace zintu
