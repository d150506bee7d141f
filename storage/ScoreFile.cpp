#include "storage/ScoreFile.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "storage/ByteCursor.h"
#include "storage/Cp1251.h"
#include "storage/Platform.h"
#include "storage/WholeFile.h"

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

// Asked whether the file is missing only once the read failed: a read is the usual case.
std::optional<ScoreTable> ReadExistingScoreFile(const std::filesystem::path& file,
                                                const OleDateTime& now, const CallFaults& faults) {
    if (const std::optional<FileStart> start = ReadFileStart(file, kScoreFileSize, faults)) {
        return DecodeScoreTable(start->Bytes, now);
    }
    if (IsMissingFile(file)) {
        return std::nullopt;
    }
    return BlankTable(now);
}

std::optional<ScoreTable> ReadOwnScoreFile(const std::filesystem::path& file,
                                           const OleDateTime& now, const CallFaults& faults) {
    if (const std::optional<FileStart> start = ReadFileStart(file, kScoreFileSize, faults)) {
        return DecodeScoreTable(start->Bytes, now);
    }
    if (!IsMissingFile(file)) {
        return std::nullopt;
    }
    const ScoreTable blank = BlankTable(now);
    WriteScoreFile(file, blank, AlwaysWrite, faults);
    return blank;
}

ScoreTable ReadScoreFile(const std::filesystem::path& file, const OleDateTime& now) {
    return ReadOwnScoreFile(file, now).value_or(BlankTable(now));
}

bool WriteScoreFile(const std::filesystem::path& file, const ScoreTable& table,
                    const std::function<bool()>& mayWrite, const CallFaults& faults) {
    const auto bytes = EncodeScoreTable(table);
    switch (OverwriteFileStart(file, bytes, mayWrite, faults)) {
        case OverwriteResult::Written:
            return true;
        case OverwriteResult::Missing:
            return mayWrite() && WriteWholeFile(file, bytes, faults);
        case OverwriteResult::Failed:
            break;
    }
    return false;
}

}  // namespace zintu
