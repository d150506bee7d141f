#include "engine/Zintu.h"

namespace zintu {

Zintu::Zintu(DrawingSurface& surface, ClockAndBeeper& clock, ScoreDisplay& scoreDisplay,
             ScoreStore& scoreStore)
    : surface_(surface), clock_(clock), scoreDisplay_(scoreDisplay), scoreStore_(scoreStore) {}

void Zintu::NewGame(float randomSeed, ColorValue background) {
    Generator.Seed(randomSeed);
    DrawCount = 0;
    Palette = {background,     Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
               Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255)};
    Board.fill(0);
    DrawGrid();
    for (int i = 0; i < 5; ++i) {
        DropBall(RandomColor());
    }
    GetNextColor();
    DrawNextColor();
    Score = 0;
    scoreDisplay_.ShowScore(Score);
    SelCol = -1;
}

void Zintu::GetNextColor() {
    for (int i = 1; i <= 3; ++i) {
        NextColors[i] = RandomColor();
    }
}

void Zintu::DrawNextColor() {
    for (int i = 1; i <= 3; ++i) {
        DrawBall(PreviewCentre(i), kBallRadius, NextColors[i]);
    }
}

}  // namespace zintu
