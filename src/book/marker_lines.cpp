#include "book/marker_lines.h"

#include "base/text.h"

namespace cadenzo {

bool isPageEndBreak(std::string_view line) {
    return line.size() < 3 || line[0] == 'p' || line[0] == 'r' || line[0] == 's';
}

bool isPageBackBreak(std::string_view line) { return line.size() < 2 || line[0] == 'p' || line[0] == 's'; }

bool isMarkerText(std::string_view line) {
    std::string_view t = line;
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t.size() == 4 && !line.empty() && (line[0] == 'p' || line[0] == 's');
}

bool isIndexMarkerLine(std::string_view line) {
    return !line.empty() && (line[0] == 'p' || line.starts_with("s000")) && Trimmed(line).size() == 4;
}

} // namespace cadenzo
