// The bookmark file's lines: line 0 (never read), then one section per book
// ("<<" + key) listing its bookmarks newest first ("#" + line + " " + name).
// The last line is never read as a bookmark.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

using BookmarkLines = std::vector<std::string>;

inline constexpr int kMaxListedBookmarks = 98;

struct BookmarkSection {
    int header = -1; // BMBookLine
    int end = 0;     // BMEndLine: just past the last listed bookmark
    int count() const { return end - header - 1; }
};

// The first header equal to "<<" + key at line 1 or later, not the last line;
// -1 when there is none.
int FindSectionHeader(const BookmarkLines& lines, std::string_view key);

// Makes sure the key has a section: adds "<<" + key near the end, always
// followed by a terminator line, so its first bookmark is listed like every
// other. Returns true when the lines changed.
bool EnsureSection(BookmarkLines& lines, std::string_view key);

// The section of the key (which must exist) and its listed bookmarks, at most 98.
BookmarkSection SectionOf(const BookmarkLines& lines, int header);

// A bookmark line's name: everything after its first space (the whole line
// when it holds none).
std::string BookmarkCaption(std::string_view line);

// A bookmark line's line number: from its second character up to its first
// space. Throws ConversionError when that is not a decimal integer.
int BookmarkLineNumber(std::string_view line);

std::string BookmarkLine(int pageStart, std::string_view name);

} // namespace cadenzo
