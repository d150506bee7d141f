#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/Settings.h"

namespace {

// The name either is empty or ends in a separator, so "Zintu.scr" never joins the last folder
// name.
void Check(std::string_view bytes, zintu::PathStyle style, std::string_view separators) {
    const std::string dir = zintu::SharedScoreDirFromSettings(bytes, style).string();
    if (!dir.empty() && separators.find(dir.back()) == std::string_view::npos) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes, zintu::PathStyle::Windows, "\\/");
    Check(bytes, zintu::PathStyle::Posix, "/");
    return 0;
}
