// Runs the storage library in separate processes for storage_processes.py:
//   store <shared folder> <own folder> <player>: records 25 scores as the game does, printing each;
//   rewrite <folder>: rewrites a score file and a position for ever, one number per version.
#include <fstream>
#include <iostream>
#include <string_view>

#include "PositionFile.h"
#include "ScoreBook.h"
#include "ScoreFile.h"

int main(int argc, char** argv) {
    using namespace zintu;
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const std::filesystem::path folder = argc > 2 ? argv[2] : "";
    if (mode == "store" && argc == 5) {
        const ScoreFiles files{std::filesystem::path(argv[3]) / "app",
                               std::filesystem::path(argv[3]) / "Zintu.ini"};
        std::filesystem::create_directories(files.AppFolder);
        std::ofstream(files.SettingsFile) << folder.string() << "\n";
        for (std::int32_t record = 0; record < 25; ++record) {
            // Distinct for every player and record, and in no order.
            const std::int32_t points = 1 + record * 7919 % 1000 * 8 + std::atoi(argv[4]);
            std::cout << points << std::endl;
            const OleDateTime now = OleNow();
            if (FindRank(LoadScoreTable(files, now).Table, points) > 0) {
                StoreRecord(files, {FitName(U"Player"), points, now.Date, now.Time}, now);
            }
        }
        return 0;
    }
    for (std::int32_t n = 1; mode == "rewrite" && argc == 3; ++n) {
        ScoreTable table;
        table.fill({.Points = n});
        WriteScoreFile(folder / "Zintu.scr", table);
        SavedPosition position{.Score = n, .NextColors = {0, 1, 1, 1}, .DrawCount = n};
        position.Board.fill(static_cast<std::int16_t>(1 + n % 7));
        WritePositionFile(folder / "game.poz", position);
    }
    return 2;
}
