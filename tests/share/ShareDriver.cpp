// Stands in for installations that share one score folder, for tests/share/share-test.sh:
//   write APP SETTINGS FIRST STEP COUNT   stores points FIRST, FIRST+STEP, ... as game overs do,
//                                         printing "milliseconds missed" for each store
//   hold DIR SECONDS                      holds DIR's lock, printing "held" once it has it
//   check DIR TOP                         0 when DIR holds only a 380-byte Zintu.scr whose
//                                         entries are TOP, TOP-1, ..., TOP-9
//   stats FILE...                         median and maximum milliseconds, and the misses
//   fifo DIR                              loads and opens through the FIFOs in DIR
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "storage/FileLock.h"
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
    for (int k = 0, count = std::stoi(args[4]); k < count; ++k) {
        const OleDateTime now = OleNow();
        const std::int32_t points = first + step * k;
        const std::u32string name = U"w" + std::u32string(1, U'0' + first % 10);
        const auto start = std::chrono::steady_clock::now();
        const int rank = FindRank(book.Peek(now).Table, points);
        const LoadedScores stored = book.Store(
            rank ? std::optional<ScoreRecord>({FitName(name), points, now.Date, now.Time})
                 : std::nullopt,
            now);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        std::cout << took.count() << " " << stored.SharedScoreDir.empty() << std::endl;
    }
    return 0;
}

int Hold(char** args) {
    LockWatch watch;
    const auto lock = FileLock::Acquire(fs::path(args[0]) / kScoreLockFileName, watch);
    std::cout << (lock ? "held" : "missed") << std::endl;
    std::this_thread::sleep_for(std::chrono::seconds(std::stoi(args[1])));
    return lock ? 0 : 1;
}

int Check(char** args) {
    const fs::path file = fs::path(args[0]) / kScoreFileName;
    const ScoreTable table = ReadScoreFile(file, {});
    int missing = 0;
    for (int i = 0, top = std::stoi(args[1]); i < 10; ++i) {
        missing += std::ranges::none_of(table, [&](const auto& r) { return r.Points == top - i; });
    }
    std::error_code error;
    const auto size = fs::file_size(file, error);
    std::cout << "missing " << missing << " of 10, size " << size << ", left beside it:";
    bool alone = true;
    for (const auto& entry : fs::directory_iterator(args[0])) {
        if (entry.path() != file) {
            std::cout << " " << entry.path().filename();
            alone = false;
        }
    }
    std::cout << (alone ? " nothing\n" : "\n");
    return missing == 0 && size == kScoreFileSize && alone ? 0 : 1;
}

int Stats(int count, char** files) {
    std::vector<double> times;
    int missed = 0;
    for (int i = 0; i < count; ++i) {
        std::ifstream in(files[i]);
        for (double ms = 0; in >> ms >> std::ws;) {
            times.push_back(ms);
            int miss = 0;
            in >> miss;
            missed += miss;
        }
    }
    if (times.empty()) {
        return 1;
    }
    std::ranges::sort(times);
    std::cout << "stores " << times.size() << ", median " << times[times.size() / 2] << " ms, max "
              << times.back() << " ms, missed the lock " << missed << "\n";
    return 0;
}

int Fifo(char** args) {
    const fs::path dir = args[0];
    ScoreBook({dir, dir / "Zintu.ini"}).Load(OleNow());
    return ReadPositionFile(dir / "game.poz") ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int args = argc - 2;
    if (mode == "write" && args == 5) {
        return Write(argv + 2);
    }
    if (mode == "hold" && args == 2) {
        return Hold(argv + 2);
    }
    if (mode == "check" && args == 2) {
        return Check(argv + 2);
    }
    if (mode == "stats" && args > 0) {
        return Stats(args, argv + 2);
    }
    if (mode == "fifo" && args == 1) {
        return Fifo(argv + 2);
    }
    std::cerr << "usage: see the top of ShareDriver.cpp\n";
    return 2;
}
