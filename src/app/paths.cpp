#include "app/paths.h"

#include "base/text.h"

namespace cadenzo {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t fileNameStart(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (isSeparator(path[i - 1])) return i;
    return 0;
}

} // namespace

std::string_view FileNameOf(std::string_view path) { return path.substr(fileNameStart(path)); }

std::string FolderOf(std::string_view path, const PathRules& rules) {
    std::string folder(path.substr(0, fileNameStart(path)));
    if (folder.empty()) folder = std::string(".") + rules.separator;
    return rules.foldCase ? asciiLower(folder) : folder;
}

std::string BaseNameOf(std::string_view path, const PathRules& rules) {
    std::string_view name = FileNameOf(path);
    name = name.substr(0, name.find('.'));
    std::string base(name);
    return rules.foldCase ? asciiLower(base) : base;
}

std::string JoinPath(std::string_view folder, std::string_view name, const PathRules& rules) {
    std::string joined(folder);
    if (!joined.empty() && !isSeparator(joined.back())) joined += rules.separator;
    joined += name;
    return joined;
}

ReaderPaths ComposePaths(std::string_view dataFolder, std::string_view programDir, std::string_view baseName,
                         const PathRules& rules) {
    const std::string base(baseName);
    return ReaderPaths{JoinPath(dataFolder, base + ".ini", rules), JoinPath(dataFolder, base + ".bm", rules),
                       JoinPath(programDir, base + ".toc", rules), JoinPath(programDir, base + ".lix", rules)};
}

std::string bookKeyOf(std::string_view fileName) {
    const std::string_view name = FileNameOf(fileName);
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(0, dot));
}

} // namespace cadenzo
