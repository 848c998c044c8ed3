#include "book/markup.h"

#include "base/unicode.h"

#include <algorithm>

namespace cadenzo {

namespace {

bool isBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

} // namespace

std::size_t TagEnd(std::string_view text, std::size_t bar) {
    if (bar >= text.size()) return text.size();
    return bar + 1 + text::bytesOfCharacters(text.substr(bar + 1), 2);
}

std::string RemoveTagsAsThreeChars(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t bar = text.find('|', i);
        if (bar == std::string_view::npos) {
            out.append(text.substr(i));
            break;
        }
        out.append(text.substr(i, bar - i));
        i = TagEnd(text, bar);
    }
    return out;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

namespace {

constexpr std::size_t kRoomAfterBookLines = 64;
constexpr std::size_t kRoomAfterBookBytes = 4096;

bool isPhraseLine(std::string_view line) { return !line.empty() && line[0] == 'l'; }

// A phrase line's "lNN" code: its number of leading blanks (at most 52).
std::size_t indentOf(std::string_view line) {
    return static_cast<std::size_t>(std::clamp(StrToInt(line.substr(1, 2)), 0, kMaxIndent));
}

// A phrase line's "lNN" code turned into NN leading blanks, appended to `out`.
void pushUnfolded(BookLineList& out, std::string_view line, std::string& scratch) {
    scratch.assign(indentOf(line), ' ');
    if (line.size() > 3) scratch.append(line.substr(3));
    out.push_back(scratch);
}

// Lines 1 to `end` of a stored book in prepared form, with room for `room`
// lines of `roomBytes` bytes more. The sizes are found first, so that the
// prepared list is made once at its size and a bad line throws before it.
BookLineList preparedLines(const StoredLineAt& stored, std::size_t end, std::size_t room, std::size_t roomBytes) {
    std::size_t bytes = roomBytes;
    for (std::size_t i = 1; i < end; ++i) {
        const std::string_view line = stored(i);
        bytes += isPhraseLine(line) ? indentOf(line) + (line.size() > 3 ? line.size() - 3 : 0) : line.size();
    }
    BookLineList prepared;
    // With room for a page of lines after the book: the start-up welcome page
    // joins a book opened from the command line, and a list filled to its
    // size would be copied whole to take it.
    prepared.reserve(end + room + kRoomAfterBookLines, bytes + kRoomAfterBookBytes);
    std::string scratch;
    for (std::size_t i = 1; i < end; ++i) {
        const std::string_view line = stored(i);
        if (isPhraseLine(line))
            pushUnfolded(prepared, line, scratch);
        else
            prepared.push_back(line);
    }
    return prepared;
}

} // namespace

BookLineList PrepareStoredLines(std::size_t count, const StoredLineAt& stored) {
    std::size_t end = count;
    while (end > 0 && isBlankLine(stored(end - 1))) --end;
    const BookLineList ending = BookEndLines(end > 0);
    BookLineList prepared = preparedLines(stored, end, ending.size(), ending.textSize());
    prepared.append(ending);
    return prepared;
}

BookLineList PrepareStoredStart(std::size_t count, const StoredLineAt& stored) {
    return preparedLines(stored, count, 0, 0);
}

BookLineList BookEndLines(bool afterLines) {
    BookLineList ending;
    if (afterLines) ending.push_back("p999");
    std::string scratch;
    pushUnfolded(ending, "l08END OF FILE", scratch);
    ending.push_back(" ");
    return ending;
}

} // namespace cadenzo
