#include "PositionFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string_view>
#include <system_error>

#include "ByteCursor.h"
#include "UniqueName.h"

namespace zintu {
namespace {

constexpr std::string_view kHeader = "Zintu 3.1";
constexpr std::int16_t kSingleTag = 4;  // the seed's type tag: a 4-byte float follows

bool IsColorCode(std::int16_t code) {
    return code >= 0 && code <= 7;
}

template <std::size_t N>
bool AllColorCodes(const std::array<std::int16_t, N>& codes) {
    return std::all_of(codes.begin(), codes.end(), IsColorCode);
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

bool WriteWhole(const std::filesystem::path& file, const SavedPosition& position) {
    const auto bytes = EncodePosition(position);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    out.close();
    return !out.fail();
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
    const bool valuesOk = AllColorCodes(position.Board) && AllColorCodes(position.NextColors) &&
                          IsSeed(position.RandomSeed) && position.DrawCount >= 0;
    if (!headerOk || !tagOk || !valuesOk) {
        return std::nullopt;
    }
    return position;
}

std::optional<SavedPosition> ReadPositionFile(const std::filesystem::path& file) {
    // One byte more than a position is enough to tell a longer file.
    std::array<std::uint8_t, kPositionFileSize + 1> bytes{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    return DecodePosition(std::span(bytes).first(static_cast<std::size_t>(in.gcount())));
}

bool WritePositionFile(const std::filesystem::path& file, const SavedPosition& position) {
    const std::filesystem::path temporary = UniqueSiblingPath(file);
    std::error_code error;
    if (WriteWhole(temporary, position)) {
        std::filesystem::rename(temporary, file, error);
        if (!error) {
            return true;
        }
    }
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace zintu
