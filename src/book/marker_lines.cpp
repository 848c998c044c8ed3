#include "book/marker_lines.h"

#include "base/text.h"
#include "base/unicode.h"

namespace cadenzo {

namespace {

// True when the text has fewer than n characters; a character takes one to
// four bytes, so only short texts need counting.
bool fewerCharactersThan(std::string_view text, std::size_t n) {
    if (text.size() < n) return true;
    if (text.size() >= 4 * n) return false;
    return text::characterCount(text) < n;
}

bool hasCharacters(std::string_view text, std::size_t n) {
    return text.size() >= n && text.size() <= 4 * n && text::characterCount(text) == n;
}

} // namespace

bool isPageEndBreak(std::string_view line) {
    return fewerCharactersThan(line, 3) || line[0] == 'p' || line[0] == 'r' || line[0] == 's';
}

bool isPageBackBreak(std::string_view line) { return fewerCharactersThan(line, 2) || line[0] == 'p' || line[0] == 's'; }

bool isMarkerText(std::string_view line) {
    std::string_view t = line;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return hasCharacters(t, 4) && !line.empty() && (line[0] == 'p' || line[0] == 's');
}

bool isIndexMarkerLine(std::string_view line) {
    return !line.empty() && (line[0] == 'p' || line.starts_with("s000")) && hasCharacters(Trimmed(line), 4);
}

} // namespace cadenzo
