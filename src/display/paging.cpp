#include "display/paging.h"

#include "base/checked.h"
#include "book/marker_lines.h"

#include <algorithm>

namespace cadenzo {

int columnLineCount(const BookLineList& lines, int start, int capacity) {
    const int count = static_cast<int>(lines.size());
    capacity = std::min(capacity, count - 1 - start);
    for (int k = capacity - 1; k >= 1; --k)
        if (isPageEndBreak(checkedAt(lines, start + k))) return k;
    return capacity;
}

int pageBackStart(const BookLineList& lines, int pageStart, int linesPerPage) {
    const int count = static_cast<int>(lines.size());
    // A bookmark can put the page start at any number an int holds: step in 64 bits.
    const long long back = static_cast<long long>(pageStart) - linesPerPage;
    if (back < 0) return 0;
    const int candidate = static_cast<int>(back);
    int s = candidate;
    while (s < count && !isPageBackBreak(checkedAt(lines, s))) ++s;
    return s >= pageStart || s >= count ? candidate : s;
}

int anchorPageStart(const BookLineList& lines, const std::string& anchor) {
    const std::string tag = "|" + anchor + ">";
    for (std::size_t k = 0; k + 1 < lines.size(); ++k)
        if (Contains(lines[k], tag)) return static_cast<int>(k + 1);
    return 0;
}

bool switchesToCourier(const BookLineList& lines, int first, int last) {
    last = std::min(last, static_cast<int>(lines.size()) - 1);
    for (int i = std::max(first, 0); i <= last; ++i)
        if (Contains(checkedAt(lines, i), "|f>")) return true;
    return false;
}

} // namespace cadenzo
