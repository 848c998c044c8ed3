#include "base/file_path.h"

namespace cadenzo {

std::optional<std::filesystem::path> pathFromUtf8(const std::string& name) {
    try {
        return std::filesystem::path(std::u8string(name.begin(), name.end()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace cadenzo
