#include "MainWindowFixture.h"

#include <QTest>
#include <atomic>

#include "WindowSurface.h"

namespace zintu::test {

MainWindowFixture::MainWindowFixture() {
    static std::atomic<int> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("zintu-window-" + std::string(info->name()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

MainWindowFixture::~MainWindowFixture() {
    window.reset();
    std::filesystem::remove_all(folder_);
}

std::unique_ptr<frmZintu> MainWindowFixture::MakeWindow(const QString& arguments) {
    auto made = std::make_unique<frmZintu>(ScoreFiles{folder_, folder_ / "Zintu.ini"}, arguments);
    made->show();
    return made;
}

QColor MainWindowFixture::BallPixel(int col, int row) const {
    return window->grab().toImage().pixelColor((350 + 500 * col) / 15, (350 + 500 * row) / 15);
}

QColor MainWindowFixture::BoxPixel(int col, int row) const {
    return window->grab().toImage().pixelColor((115 + 500 * col) / 15 + 3,
                                               (115 + 500 * row) / 15 + 3);
}

QColor MainWindowFixture::FacePixel() const {
    return window->grab().toImage().pixelColor(3, 3);
}

QColor MainWindowFixture::CellColor(int col, int row) const {
    return ToQColor(Game().Palette[Game().Board[CellIndex(col, row)]]);
}

void MainWindowFixture::ClickCell(int col, int row, Qt::MouseButton button) {
    QTest::mouseClick(window.get(), button, {},
                      QPoint((350 + 500 * col) / 15, (350 + 500 * row) / 15));
}

void MainWindowFixture::SetUpBoard(const std::vector<std::tuple<int, int, ColorCode>>& balls) {
    Zintu& game = Game();
    for (int col = 0; col < kBoardSize; ++col) {
        for (int row = 0; row < kBoardSize; ++row) {
            game.PutBall(col, row, 0);
        }
    }
    for (const auto& [col, row, code] : balls) {
        game.PutBall(col, row, code);
    }
}

}  // namespace zintu::test
