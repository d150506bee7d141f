#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>

#include "engine/ScoreTable.h"
#include "storage/Platform.h"

namespace zintu {

// "Zintu.scr": ten records of 38 bytes, rank 1 first, no header.
inline constexpr std::size_t kScoreRecordSize = 38;
inline constexpr std::size_t kScoreFileSize = 380;

ScoreRecord BlankRecord(const OleDateTime& now);
ScoreTable BlankTable(const OleDateTime& now);

std::array<std::uint8_t, kScoreFileSize> EncodeScoreTable(const ScoreTable& table);

// Records the bytes do not hold whole come out blank; bytes past 380 are ignored.
ScoreTable DecodeScoreTable(std::span<const std::uint8_t> bytes, const OleDateTime& now);

// True only when the file surely does not exist; a file that cannot be checked is not missing.
bool IsMissingFile(const std::filesystem::path& file);

// Nothing when the file surely does not exist; a file that cannot be read holds no entries.
std::optional<ScoreTable> ReadExistingScoreFile(const std::filesystem::path& file,
                                                const OleDateTime& now,
                                                const CallFaults& faults = {});

// A missing file is created with ten blank entries. Nothing when the file is there but cannot be
// read, so that the entries it holds are never written over with others.
std::optional<ScoreTable> ReadOwnScoreFile(const std::filesystem::path& file,
                                           const OleDateTime& now, const CallFaults& faults = {});

// As above, with entries not read left blank.
ScoreTable ReadScoreFile(const std::filesystem::path& file, const OleDateTime& now);

// A `mayWrite` for a write that nothing calls off.
inline bool AlwaysWrite() {
    return true;
}

// Overwrites bytes 0 to 379 in place and keeps anything after them, so a longer file written by
// some other version survives; a write that fails part-way puts the old bytes back as far as the
// file takes them. A missing file appears whole or not at all. Never throws.
// `mayWrite`, asked right before the bytes go out, can still call the write off.
bool WriteScoreFile(const std::filesystem::path& file, const ScoreTable& table,
                    const std::function<bool()>& mayWrite = AlwaysWrite,
                    const CallFaults& faults = {});

}  // namespace zintu
