// Stands in for installations that share one score folder, for tests/share/share-test.sh:
//   write APP SETTINGS FIRST STEP COUNT   loads and stores points FIRST, FIRST+STEP, ... as game
//                                         overs do, printing "store-ms missed load-ms" for each
//   check DIR TOP COUNT                   0 when DIR's Zintu.scr holds TOP, TOP-1, ... (COUNT)
//   fifo DIR                              loads and opens through the FIFOs in DIR
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>

#include "storage/OleDate.h"
#include "storage/PositionFile.h"
#include "storage/ScoreBook.h"
#include "storage/ScoreFile.h"

namespace {

using namespace zintu;
namespace fs = std::filesystem;

int Write(char** args) {
    ScoreBook book({args[0], args[1]});
    const int first = std::stoi(args[2]);
    const int step = std::stoi(args[3]);
    const std::u32string name = FitName(U"w" + std::u32string(1, U'0' + first % 10));
    for (int k = 0, count = std::stoi(args[4]); k < count; ++k) {
        const OleDateTime now = OleNow();
        const ScoreRecord entry{name, first + step * k, now.Date, now.Time};
        // Stored whether it has a place or not, so that every game over takes the lock.
        const auto start = std::chrono::steady_clock::now();
        book.Load(now);
        const auto loaded = std::chrono::steady_clock::now();
        const LoadedScores stored = book.Store(entry, now);
        const auto ms = [](auto span) { return std::chrono::duration<double, std::milli>(span); };
        std::cout << ms(std::chrono::steady_clock::now() - loaded).count() << " "
                  << stored.SharedScoreDir.empty() << " " << ms(loaded - start).count()
                  << std::endl;
    }
    return 0;
}

int Check(char** args) {
    const ScoreTable table = ReadScoreFile(fs::path(args[0]) / kScoreFileName, {});
    int missing = 0;
    const int count = std::stoi(args[2]);
    for (int i = 0, top = std::stoi(args[1]); i < count; ++i) {
        missing += std::ranges::none_of(table, [&](const auto& r) { return r.Points == top - i; });
    }
    std::cout << "missing " << missing << " of the top " << count << "\n";
    return missing == 0 ? 0 : 1;
}

int Fifo(char** args) {
    const fs::path dir = args[0];
    ScoreBook({dir, dir / "Zintu.ini"}).Load(OleNow());
    return ReadPositionFile(dir / "game.poz") ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Each mode with its count of arguments.
    const std::map<std::string, std::pair<int, int (*)(char**)>> modes = {
        {"write", {5, Write}}, {"check", {3, Check}}, {"fifo", {1, Fifo}}};
    const auto mode = argc > 1 ? modes.find(argv[1]) : modes.end();
    if (mode == modes.end() || mode->second.first != argc - 2) {
        std::cerr << "usage: see the top of ShareDriver.cpp\n";
        return 2;
    }
    return mode->second.second(argv + 2);
}
