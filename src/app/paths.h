// The folder and file names every part of the reader uses.
#pragma once

#include <string>
#include <string_view>

namespace cadenzo {

// How the platform names files.
struct PathRules {
    char separator = '/';
    // Windows: the file system ignores letter case, and names are lower-cased.
    bool foldCase = false;
};

// The folder part of `path` (both "\" and "/" separate), ending in the
// separator; lower-cased under `foldCase`.
std::string FolderOf(std::string_view path, const PathRules& rules);

// The file-name part of `path` before its first ".", lower-cased under
// `foldCase`. The dot is looked for in the file name only, so a dotted
// folder (C:\My.Apps, ~/.local/bin) does not cut the name.
std::string BaseNameOf(std::string_view path, const PathRules& rules);

// The file-name part of `path` (after the last "\" or "/").
std::string_view FileNameOf(std::string_view path);

// The key of a book file: its file name up to the first "." (empty without one).
std::string bookKeyOf(std::string_view fileName);

// `folder` ending in a separator, followed by `name`.
std::string JoinPath(std::string_view folder, std::string_view name, const PathRules& rules);

struct ReaderPaths {
    std::string IniPath, BookmarkPath, TocPath, IndexPath;
};

ReaderPaths ComposePaths(std::string_view dataFolder, std::string_view programDir, std::string_view baseName,
                         const PathRules& rules);

} // namespace cadenzo
