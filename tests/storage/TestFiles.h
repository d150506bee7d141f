#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "ScoreRecord.h"
#include "UniqueName.h"

namespace zintu::test {

using Bytes = std::vector<std::uint8_t>;

class TempFolder {
  public:
    TempFolder() : path_(UniqueSiblingPath(std::filesystem::temp_directory_path() / "zintu")) {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline Bytes ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

inline ScoreRecord Entry(std::u32string_view name, std::int32_t points, double date = 40000.0,
                         double time = 0.5) {
    std::u32string padded(name);
    padded.resize(ScoreRecord::kNameLength, U' ');
    return {padded, points, date, time};
}

}  // namespace zintu::test
