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

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit, ReadFailure* failure) {
    const auto failed = [failure](ReadFailure why) {
        if (failure) *failure = why;
        return std::nullopt;
    };
    const OpenFile file = openFile(path, FileMode::Read);
    if (!file) return failed(ReadFailure::CannotOpen);
    std::string text;
    std::error_code ec;
    if (const auto size = std::filesystem::file_size(path, ec); !ec && size <= limit)
        text.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
        if (got > limit - std::min(limit, text.size())) return failed(ReadFailure::TooLarge);
        text.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file.get())) return failed(ReadFailure::CannotRead);
    return text;
}

} // namespace cadenzo
