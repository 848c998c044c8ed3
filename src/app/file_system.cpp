#include "app/file_system.h"

#include "base/file_path.h"
#include "base/file_writer.h"

#include <filesystem>
#include <limits>

namespace cadenzo {

namespace fs = std::filesystem;

std::vector<std::string_view> SplitLineViews(std::string_view text) {
    // Counted first: a list grown by doubling would leave its earlier copies
    // behind in the heap.
    std::size_t count = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++count;
    std::vector<std::string_view> lines;
    lines.reserve(count);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string> SplitLines(const std::string& text) {
    const std::vector<std::string_view> views = SplitLineViews(text);
    return std::vector<std::string>(views.begin(), views.end());
}

std::optional<std::string> FileSystem::readText(const std::string& path) const {
    const auto lines = readLines(path);
    if (!lines) return std::nullopt;
    return joinLines(*lines, LineEnding::CrLf);
}

bool RealFileSystem::fileExists(const std::string& path) const {
    std::error_code ec;
    const auto p = pathFromUtf8(path);
    return !path.empty() && p && fs::is_regular_file(*p, ec);
}

bool RealFileSystem::folderExists(const std::string& path) const {
    std::error_code ec;
    const auto p = pathFromUtf8(path);
    return p && fs::is_directory(*p, ec);
}

bool RealFileSystem::createFolder(const std::string& path) {
    std::error_code ec;
    const auto p = pathFromUtf8(path);
    if (p) fs::create_directories(*p, ec);
    return folderExists(path);
}

std::optional<std::string> RealFileSystem::readText(const std::string& path) const {
    const auto p = pathFromUtf8(path);
    std::error_code ec;
    if (path.empty() || !p || !fs::is_regular_file(*p, ec)) return std::nullopt;
    return readWholeFile(*p, std::numeric_limits<std::size_t>::max());
}

std::optional<std::vector<std::string>> RealFileSystem::readLines(const std::string& path) const {
    const auto text = readText(path);
    if (!text) return std::nullopt;
    return SplitLines(*text);
}

bool RealFileSystem::writeLines(const std::string& path, const std::vector<std::string>& lines) {
    return !replaceFile(path, joinLines(lines, LineEnding::CrLf));
}

} // namespace cadenzo
