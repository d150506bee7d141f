#include "storage/PositionFile.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

#include "storage/ByteCursor.h"
#include "storage/Platform.h"
#include "storage/WholeFile.h"

namespace zintu {
namespace {

constexpr std::string_view kHeader = "Zintu 3.1";
constexpr std::int16_t kSingleTag = 4;  // the seed's type tag: a 4-byte float follows

bool IsColorCode(std::int16_t code) {
    return code >= 0 && code <= 7;
}

bool IsBallColor(std::int16_t code) {
    return code >= 1 && code <= 7;
}

// Entry 0 is unused; the three that drop must be balls, or a move would drop nothing.
bool ArePreviewColors(const std::array<std::int16_t, 4>& codes) {
    return IsColorCode(codes[0]) && std::all_of(codes.begin() + 1, codes.end(), IsBallColor);
}

bool IsSeed(float seed) {
    return std::isfinite(seed) && seed >= 0.0f && seed < 1.0f;
}

template <std::size_t N>
void ReadCodes(ByteReader& in, std::array<std::int16_t, N>& codes) {
    for (std::int16_t& code : codes) {
        code = in.I16();
    }
}

}  // namespace

std::array<std::uint8_t, kPositionFileSize> EncodePosition(const SavedPosition& position) {
    std::array<std::uint8_t, kPositionFileSize> bytes{};
    ByteWriter out(bytes);
    out.Bytes(kHeader);
    for (const std::int16_t code : position.Board) {
        out.I16(code);
    }
    out.I32(position.Score);
    for (const std::int16_t code : position.NextColors) {
        out.I16(code);
    }
    out.I16(kSingleTag);
    out.F32(position.RandomSeed);
    out.I32(position.DrawCount);
    return bytes;
}

std::optional<SavedPosition> DecodePosition(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kPositionFileSize) {
        return std::nullopt;
    }
    ByteReader in(bytes);
    SavedPosition position;
    const bool headerOk = in.Bytes(kHeader.size()) == kHeader;
    ReadCodes(in, position.Board);
    position.Score = in.I32();
    ReadCodes(in, position.NextColors);
    const bool tagOk = in.I16() == kSingleTag;
    position.RandomSeed = in.F32();
    position.DrawCount = in.I32();
    const bool valuesOk = std::all_of(position.Board.begin(), position.Board.end(), IsColorCode) &&
                          ArePreviewColors(position.NextColors) && IsSeed(position.RandomSeed) &&
                          position.DrawCount >= 0;
    if (!headerOk || !tagOk || !valuesOk) {
        return std::nullopt;
    }
    return position;
}

std::optional<SavedPosition> ReadPositionFile(const std::filesystem::path& file,
                                              const CallFaults& faults) {
    // One byte more than a position is enough to tell a longer file.
    const std::optional<FileStart> start = ReadFileStart(file, kPositionFileSize + 1, faults);
    return start ? DecodePosition(start->Bytes) : std::nullopt;
}

bool WritePositionFile(const std::filesystem::path& file, const SavedPosition& position,
                       const CallFaults& faults) {
    return WriteWholeFile(file, EncodePosition(position), faults);
}

}  // namespace zintu
