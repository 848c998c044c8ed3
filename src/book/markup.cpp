#include "book/markup.h"

#include "base/unicode.h"

#include <algorithm>

namespace cadenzo {

namespace {

bool isBlankLine(const std::string& line) {
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

// A phrase line's "lNN" code turned into NN leading blanks (at most 52).
std::string unfoldIndent(const std::string& line) {
    int indent = StrToInt(std::string_view(line).substr(1, 2));
    indent = std::clamp(indent, 0, kMaxIndent);
    std::string out;
    out.reserve(static_cast<std::size_t>(indent) + (line.size() > 3 ? line.size() - 3 : 0));
    out.append(static_cast<std::size_t>(indent), ' ');
    if (line.size() > 3) out.append(line, 3, std::string::npos);
    return out;
}

} // namespace

BookLineList PrepareBookLines(const BookLineList& stored) { return PrepareBookLines(BookLineList(stored)); }

namespace {

// Lines 1 to `end` of a stored book in prepared form; all or nothing.
BookLineList preparedLines(BookLineList& stored, std::size_t end, std::size_t room) {
    // Checked first, so that a bad line leaves the list as it was.
    for (std::size_t i = 1; i < end; ++i)
        if (!stored[i].empty() && stored[i][0] == 'l') StrToInt(std::string_view(stored[i]).substr(1, 2));

    BookLineList prepared;
    prepared.reserve(end + room);
    for (std::size_t i = 1; i < end; ++i) {
        std::string& line = stored[i];
        if (!line.empty() && line[0] == 'l')
            prepared.push_back(unfoldIndent(line));
        else
            prepared.push_back(std::move(line));
    }
    stored.clear();
    return prepared;
}

} // namespace

BookLineList PrepareBookLines(BookLineList&& stored, std::size_t room) {
    std::size_t end = stored.size();
    while (end > 0 && isBlankLine(stored[end - 1])) --end;
    const BookLineList ending = BookEndLines(end > 0);
    BookLineList prepared = preparedLines(stored, end, ending.size() + room);
    prepared.insert(prepared.end(), ending.begin(), ending.end());
    return prepared;
}

BookLineList PrepareBookStart(BookLineList&& stored) { return preparedLines(stored, stored.size(), 0); }

BookLineList BookEndLines(bool afterLines) {
    BookLineList ending;
    if (afterLines) ending.emplace_back("p999");
    ending.push_back(unfoldIndent("l08END OF FILE"));
    ending.emplace_back(" ");
    return ending;
}

} // namespace cadenzo
