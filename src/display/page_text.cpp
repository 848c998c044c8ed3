#include "display/page_text.h"

#include "base/checked.h"
#include "base/unicode.h"
#include "book/marker_lines.h"

#include <algorithm>

namespace cadenzo {

std::string WithoutMarkup(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '|') {
            out += line[i++];
            continue;
        }
        if (line.substr(i, 6) == "|refpt") {
            const std::size_t close = line.find('>', i);
            i = close == std::string_view::npos ? line.size() : close + 1;
        } else {
            i = TagEnd(line, i);
        }
    }
    return out;
}

std::vector<std::string> InBookEncoding(std::vector<std::string> lines, text::Encoding encoding) {
    if (encoding != text::Encoding::Windows1252) return lines;
    std::vector<std::string> converted;
    converted.reserve(lines.size());
    for (const std::string& line : lines) {
        auto bytes = text::utf8ToWindows1252(line);
        if (!bytes) return lines;
        converted.push_back(std::move(*bytes));
    }
    return converted;
}

std::vector<std::string> PageTextLines(const BookLineList& lines, int first, int last) {
    std::vector<std::string> out;
    const int end = std::min(last, static_cast<int>(lines.size()) - 1);
    for (int i = std::max(first, 0); i <= end; ++i) {
        std::string text = WithoutMarkup(checkedAt(lines, i));
        if (isMarkerText(text) || Contains(text, "age>")) continue;
        out.push_back(std::move(text));
    }
    return out;
}

} // namespace cadenzo
