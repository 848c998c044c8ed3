#include "base/file_path.h"

#include <algorithm>

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

OpenFile openFile(const std::filesystem::path& path, FileMode mode) {
#ifdef _WIN32
    return OpenFile(_wfopen(path.c_str(), mode == FileMode::Read ? L"rb" : L"wb"));
#else
    return OpenFile(std::fopen(path.c_str(), mode == FileMode::Read ? "rb" : "wb"));
#endif
}

bool readRest(std::FILE* file, std::string& out, std::size_t limit) {
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        if (got > limit - std::min(limit, out.size())) return false;
        out.append(buffer, got);
        if (got < sizeof buffer) return std::ferror(file) == 0;
    }
}

} // namespace cadenzo
