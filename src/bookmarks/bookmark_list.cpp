#include "bookmarks/bookmark_list.h"

#include "base/checked.h"
#include "book/markup.h"

#include <algorithm>

namespace cadenzo {

namespace {

std::string headerOf(std::string_view key) { return "<<" + std::string(key); }

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

} // namespace

int FindSectionHeader(const BookmarkLines& lines, std::string_view key) {
    const std::string header = headerOf(key);
    for (std::size_t i = 1; i + 1 < lines.size(); ++i)
        if (lines[i] == header) return static_cast<int>(i);
    return -1;
}

bool EnsureSection(BookmarkLines& lines, std::string_view key) {
    if (FindSectionHeader(lines, key) >= 0) return false;
    const std::string header = headerOf(key);
    if (lines.empty()) lines.emplace_back(); // line 0 is never read
    if (lines.size() >= 2 && lines.back() == header) {
        // A header already standing last only needs its terminator.
        lines.emplace_back();
        return true;
    }
    const std::string& last = lines.back();
    if (lines.size() >= 2 && !startsWith(last, "#") && !startsWith(last, "<")) {
        lines.back() = header; // a terminator gives way to the header
    } else {
        lines.push_back(header);
    }
    lines.emplace_back();
    return true;
}

BookmarkSection SectionOf(const BookmarkLines& lines, int header) {
    BookmarkSection section{header, header + 1};
    const int count = static_cast<int>(lines.size());
    while (section.end < count - 1 && !startsWith(checkedAt(lines, section.end), "<<")) ++section.end;
    section.end = std::min(section.end, header + 1 + kMaxListedBookmarks);
    return section;
}

std::string BookmarkCaption(std::string_view line) {
    const std::size_t space = line.find(' ');
    return std::string(space == std::string_view::npos ? line : line.substr(space + 1));
}

// The number runs from the second character to the first space; a line with
// no space holds no number (the program always writes one after it).
int BookmarkLineNumber(std::string_view line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 0) return StrToInt("");
    return StrToInt(line.substr(1, space - 1));
}

std::string BookmarkLine(int pageStart, std::string_view name) {
    return "#" + std::to_string(pageStart) + " " + std::string(name);
}

} // namespace cadenzo
