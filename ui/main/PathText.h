#pragma once

#include <QString>
#include <filesystem>

namespace zintu {

// Paths between Qt's text and the file system's own encoding, lossless on every platform.
inline std::filesystem::path ToPath(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

inline QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

}  // namespace zintu
