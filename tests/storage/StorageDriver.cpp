// Drives the storage library from separate processes for the multi-process and kill tests:
//   store <shared folder> <own folder> <player 0-7> <records>
//       stores records the way the game does, one line per submitted score on stdout;
//   scores <file> <first number>   /   position <file> <first number>
//       rewrites one file for ever, each version carrying the next number in every field
//       that holds one, so that a reader can tell a whole version from a mixture.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "OleDate.h"
#include "PositionFile.h"
#include "ScoreBook.h"
#include "ScoreFile.h"

namespace {

using namespace zintu;

// Distinct for every player and record: a bijection on the record number in the high bits,
// the player in the low three.
std::int32_t PointsOf(int player, int record) {
    const std::uint32_t spread = (static_cast<std::uint32_t>(record) * 2654435761u) % (1u << 20);
    return static_cast<std::int32_t>(1 + spread * 8 + static_cast<std::uint32_t>(player));
}

int Store(const std::filesystem::path& sharedDir, const std::filesystem::path& ownDir, int player,
          int records) {
    const ScoreFiles files{ownDir / "app", ownDir / "Zintu.ini"};
    std::filesystem::create_directories(files.AppFolder);
    std::ofstream(files.SettingsFile) << sharedDir.string() << "\n";
    const std::u32string name = FitName(U"Player " + std::u32string(1, U'0' + player));
    for (int record = 0; record < records; ++record) {
        const std::int32_t points = PointsOf(player, record);
        std::cout << points << std::endl;
        const OleDateTime now = OleNow();
        if (FindRank(LoadScoreTable(files, now).Table, points) > 0) {
            StoreRecord(files, {name, points, now.Date, now.Time}, now);
        }
    }
    return 0;
}

int RewriteScores(const std::filesystem::path& file, std::int32_t number) {
    for (;; ++number) {
        ScoreTable table;
        for (ScoreRecord& record : table) {
            record.Points = number;
        }
        WriteScoreFile(file, table);
    }
}

int RewritePosition(const std::filesystem::path& file, std::int32_t number) {
    for (;; ++number) {
        SavedPosition position;
        position.Board.fill(static_cast<std::int16_t>(1 + number % 7));
        position.NextColors = {0, 1, 1, 1};
        position.Score = number;
        position.DrawCount = number;
        WritePositionFile(file, position);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "store" && argc == 6) {
        return Store(argv[2], argv[3], std::atoi(argv[4]), std::atoi(argv[5]));
    }
    if (mode == "scores" && argc == 4) {
        return RewriteScores(argv[2], std::atoi(argv[3]));
    }
    if (mode == "position" && argc == 4) {
        return RewritePosition(argv[2], std::atoi(argv[3]));
    }
    std::cerr << "usage: zintu_storage_driver store <shared> <own> <player> <records>\n"
                 "       zintu_storage_driver scores|position <file> <first number>\n";
    return 2;
}
