#include "ScoreFile.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <system_error>

#include "ByteCursor.h"
#include "Cp1251.h"
#include "WholeFile.h"

namespace zintu {
namespace {

void EncodeRecord(const ScoreRecord& record, ByteWriter& out) {
    std::string name = EncodeCp1251(record.Name);
    name.resize(ScoreRecord::kNameLength, ' ');
    out.Bytes(name);
    out.I32(record.Points);
    out.F64(record.Date);
    out.F64(record.Time);
}

ScoreRecord DecodeRecord(ByteReader& in) {
    ScoreRecord record;
    record.Name = DecodeCp1251(in.Bytes(ScoreRecord::kNameLength));
    record.Points = in.I32();
    record.Date = in.F64();
    record.Time = in.F64();
    return record;
}

}  // namespace

ScoreRecord BlankRecord(const OleDateTime& now) {
    ScoreRecord blank;
    blank.Date = now.Date;
    blank.Time = now.Time;
    return blank;
}

ScoreTable BlankTable(const OleDateTime& now) {
    ScoreTable table;
    table.fill(BlankRecord(now));
    return table;
}

std::array<std::uint8_t, kScoreFileSize> EncodeScoreTable(const ScoreTable& table) {
    std::array<std::uint8_t, kScoreFileSize> bytes{};
    ByteWriter out(bytes);
    for (const ScoreRecord& record : table) {
        EncodeRecord(record, out);
    }
    return bytes;
}

ScoreTable DecodeScoreTable(std::span<const std::uint8_t> bytes, const OleDateTime& now) {
    ScoreTable table = BlankTable(now);
    const std::size_t whole = std::min(bytes.size() / kScoreRecordSize, table.size());
    ByteReader in(bytes);
    for (std::size_t i = 0; i < whole; ++i) {
        table[i] = DecodeRecord(in);
    }
    return table;
}

bool IsMissingFile(const std::filesystem::path& file) {
    std::error_code error;
    return !std::filesystem::exists(file, error) && !error;
}

ScoreTable ReadScoreFile(const std::filesystem::path& file, const OleDateTime& now) {
    if (IsMissingFile(file)) {
        const ScoreTable blank = BlankTable(now);
        WriteScoreFile(file, blank);
        return blank;
    }
    std::array<std::uint8_t, kScoreFileSize> bytes{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(bytes.data()), bytes.size());
    const auto count = static_cast<std::size_t>(in.gcount());
    return DecodeScoreTable(std::span(bytes).first(count), now);
}

bool WriteScoreFile(const std::filesystem::path& file, const ScoreTable& table) {
    const auto bytes = EncodeScoreTable(table);
    if (IsMissingFile(file)) {
        return WriteWholeFile(file, bytes);
    }
    // In and out together neither create nor empty the file: the rewrite is one write in place.
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    out.flush();
    return out.good();
}

}  // namespace zintu
