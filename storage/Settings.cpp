#include "storage/Settings.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "storage/Cp1251.h"
#include "storage/Platform.h"

namespace zintu {
namespace {

// A lone carriage return ends the line too, as it did for the text reader of the first
// version; no folder name contains one.
std::string_view FirstLine(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

// 0 for a byte that cannot start a sequence (continuation bytes, overlong leads, beyond U+10FFFF).
int Utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    return lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
}

bool IsScalarValue(char32_t c, int length) {
    constexpr std::array<char32_t, 5> kSmallest = {0, 0, 0x80, 0x800, 0x10000};
    return c >= kSmallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
    std::u32string text;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int length = Utf8SequenceLength(lead);
        if (length == 0 || bytes.size() - i < static_cast<std::size_t>(length)) {
            return std::nullopt;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!IsScalarValue(c, length)) {
            return std::nullopt;
        }
        text.push_back(c);
        i += length;
    }
    return text;
}

// An empty line would become "\", the root of the drive, and a line of blanks is just as empty
// to whoever wrote it; a NUL would cut the name short at the system call.
bool NamesNoFolder(std::u32string_view name) {
    const bool blank = name.find_first_not_of(U" \t") == std::u32string_view::npos;
    return blank || name.find(U'\0') != std::u32string_view::npos;
}

PathStyle Resolve(PathStyle style) {
    if (style != PathStyle::Native) {
        return style;
    }
    return std::filesystem::path::preferred_separator == '\\' ? PathStyle::Windows
                                                              : PathStyle::Posix;
}

void AppendSeparator(std::u32string& name, PathStyle style) {
    const char32_t last = name.back();
    if (style == PathStyle::Windows && last != U'\\' && last != U'/') {
        name.push_back(U'\\');
    }
    if (style == PathStyle::Posix && last != U'/') {
        name.push_back(U'/');
    }
}

}  // namespace

std::filesystem::path SharedScoreDirFromSettings(std::string_view fileBytes, PathStyle style) {
    const std::string_view line = FirstLine(fileBytes);
    std::optional<std::u32string> utf8 = DecodeUtf8(line);
    std::u32string name = utf8 ? std::move(*utf8) : DecodeCp1251(line);
    if (NamesNoFolder(name)) {
        return {};
    }
    AppendSeparator(name, Resolve(style));
    return std::filesystem::path(name);
}

std::filesystem::path ReadSharedScoreDir(const std::filesystem::path& settingsFile,
                                         const CallFaults& faults) {
    // A folder's name fits in far less; a link to an endless device is read no further.
    constexpr std::size_t kLongestLine = 4096;
    const std::optional<FileStart> start = ReadFileStart(settingsFile, kLongestLine, faults);
    if (!start) {
        return {};
    }
    const auto* bytes = reinterpret_cast<const char*>(start->Bytes.data());
    return SharedScoreDirFromSettings(std::string_view(bytes, start->Bytes.size()));
}

}  // namespace zintu
