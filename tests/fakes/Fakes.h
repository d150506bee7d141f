#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "engine/ClockAndBeeper.h"
#include "engine/DrawingSurface.h"
#include "engine/ScoreDisplay.h"
#include "engine/ScoreStore.h"

namespace zintu::test {

// Keeps every drawing call in order, with the fill colour in force when it was made. Its
// clock moves only by waits and by the cost given to each presented frame.
class RecordingSurface : public DrawingSurface, public ClockAndBeeper, public ScoreDisplay {
  public:
    enum class Kind { FilledRectangle, Line, Box, Disc, Refresh };
    struct Shape {
        Kind kind;
        int a, b, c, d;    // rectangle corners, line ends, box x y w h, disc x y r
        ColorValue color;  // line colour, or fill colour of boxes and discs
        bool operator==(const Shape&) const = default;
    };

    void SetFillColor(ColorValue color) override { fill_ = color; }
    void FilledRectangle(int x1, int y1, int x2, int y2) override {
        Shapes.push_back({Kind::FilledRectangle, x1, y1, x2, y2, 0});
    }
    void Line(int x1, int y1, int x2, int y2, ColorValue color) override {
        Shapes.push_back({Kind::Line, x1, y1, x2, y2, color});
    }
    void Box(int x, int y, int w, int h) override {
        Shapes.push_back({Kind::Box, x, y, w, h, fill_});
    }
    void Disc(int x, int y, int r) override { Shapes.push_back({Kind::Disc, x, y, r, 0, fill_}); }
    void Refresh() override {
        Shapes.push_back({Kind::Refresh, 0, 0, 0, 0, 0});
        clock_ += FrameCost;
    }
    void PlaceBall(const BallPlacement& ball) override {
        Balls.push_back(ball);
        clock_ += FrameCost;
    }
    std::chrono::microseconds Now() const override { return clock_; }
    void WaitUntil(std::chrono::microseconds time) override { clock_ = std::max(clock_, time); }
    std::chrono::microseconds RefreshInterval() const override { return ScreenRefresh; }
    void Beep() override { ++Beeps; }
    void ShowScore(std::int32_t score) override { ScoreCaptions.push_back(score); }
    void ShowBestScore(std::int32_t) override {}

    void Clear() { *this = RecordingSurface{}; }

    std::vector<Shape> Shapes;
    std::vector<BallPlacement> Balls;
    std::chrono::microseconds FrameCost{0};
    std::chrono::microseconds ScreenRefresh{16667};  // 60 Hz
    std::vector<std::int32_t> ScoreCaptions;
    int Beeps = 0;

  private:
    ColorValue fill_ = 0;
    std::chrono::microseconds clock_{0};
};

// A score table in memory that takes entries as the files would, minus the sharing; its
// answers arrive only when a test hands them over.
class FakeScoreStore : public ScoreStore {
  public:
    OleDateTime Now() const override { return {36852.0, 0.5}; }
    void RequestLoad() override { Calls += 'L'; }
    void RequestStore(const ScoreRecord& entry) override {
        Calls += 'S';
        InsertRecord(Table, FindRank(Table, entry.Points), entry);
    }

    ScoreTable Table{};
    std::string Calls;  // L for each load, S for each store
};

}  // namespace zintu::test
