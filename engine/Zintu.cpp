#include "engine/Zintu.h"

namespace zintu {

Zintu::Zintu(DrawingSurface& surface, ClockAndBeeper& clock, ScoreDisplay& scoreDisplay,
             ScoreStore& scoreStore, std::int16_t moveStep)
    : surface_(surface),
      clock_(clock),
      scoreDisplay_(scoreDisplay),
      scoreStore_(scoreStore),
      moveStep_(moveStep) {}

void Zintu::NewGame(float randomSeed, ColorValue background) {
    generator_.Seed(randomSeed);
    state_.RandomSeed = randomSeed;
    state_.DrawCount = 0;
    state_.Palette = {background,     Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
                      Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
    state_.Board.fill(0);
    DrawGrid();
    for (int i = 0; i < 5; ++i) {
        DropBall(RandomColor());
    }
    GetNextColor();
    DrawNextColor();
    state_.Score = 0;
    scoreDisplay_.ShowScore(state_.Score);
    state_.SelCol = -1;
}

void Zintu::NewGameFromClock(ColorValue background) {
    generator_.SeedFromClock();
    NewGame(generator_.Next(), background);
}

void Zintu::GetNextColor() {
    for (int i = 1; i <= 3; ++i) {
        state_.NextColors[i] = RandomColor();
    }
}

void Zintu::DrawNextColor() {
    for (int i = 1; i <= 3; ++i) {
        DrawBall(PreviewCentre(i), kBallRadius, state_.NextColors[i]);
    }
}

}  // namespace zintu
