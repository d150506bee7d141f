// For storage_processes.py: records 25 scores as the game does, printing each, as player <n> of
// an installation beside the shared folder: zintu_storage_driver <shared folder> <n>
#include <fstream>
#include <iostream>
#include <string>

#include "ScoreBook.h"

int main(int argc, char** argv) {
    using namespace zintu;
    if (argc != 3) {
        return 2;
    }
    const std::filesystem::path own = std::filesystem::path(argv[1]) / argv[2];
    const ScoreFiles files{own / "app", own / "Zintu.ini"};
    std::filesystem::create_directories(files.AppFolder);
    std::ofstream(files.SettingsFile) << argv[1] << "\n";
    for (std::int32_t record = 0; record < 25; ++record) {
        // Distinct for every player and record, and in no order.
        const std::int32_t points = 1 + record * 7919 % 1000 * 8 + std::stoi(argv[2]);
        std::cout << points << std::endl;
        const OleDateTime now = OleNow();
        if (FindRank(LoadScoreTable(files, now).Table, points) > 0) {
            StoreRecord(files, {FitName(U"Player"), points, now.Date, now.Time}, now);
        }
    }
}
