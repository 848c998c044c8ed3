#include "search/word_index.h"

#include "base/unicode.h"

#include <algorithm>
#include <optional>

namespace cadenzo {

namespace {

// What a line's initial is grouped by, and the letter row shown for it: the
// first character in lower case, an accented letter without its accents (so
// "École" stands under "e" with "eagle"). Bytes that are no UTF-8 stay as
// they are.
std::string initialOf(std::string_view line) {
    const auto first = static_cast<unsigned char>(line[0]);
    if (first < 0x80) return std::string(1, static_cast<char>(first >= 'A' && first <= 'Z' ? first + 32 : first));
    const text::CodePoint c = text::decodeAt(line, 0);
    if (c.value == 0xFFFD && c.length == 1) return std::string(1, line[0]);
    std::string out;
    text::appendUtf8(out, text::lowerCase(text::baseLetter(c.value)));
    return out;
}

constexpr std::size_t kShortRef = 10; // "|" + 4 hidden + 5 digits
constexpr std::size_t kLongRef = 11;  // "|" + 4 hidden + 6 digits

// A row that the placing of a long reference passes over.
bool isShortRow(const std::string& row) { return !row.empty() && row[0] == '|' && row.size() < kLongRef; }

struct SplitLine {
    std::string word;
    std::vector<std::string> shorts, longs; // file order
    bool lastShortAfterLastLong = false;
};

// Cuts references off the end of the line while its tail is one.
SplitLine split(const std::string& line) {
    SplitLine out;
    std::string rest = line;
    bool longSeen = false;
    for (;;) {
        if (rest.size() > kShortRef && rest[rest.size() - kShortRef] == '|') {
            if (!longSeen && out.shorts.empty()) out.lastShortAfterLastLong = true;
            out.shorts.push_back(rest.substr(rest.size() - kShortRef));
            rest.resize(rest.size() - kShortRef);
        } else if (rest.size() > kLongRef && rest[rest.size() - kLongRef] == '|') {
            longSeen = true;
            out.longs.push_back(rest.substr(rest.size() - kLongRef));
            rest.resize(rest.size() - kLongRef);
        } else {
            break;
        }
    }
    std::reverse(out.shorts.begin(), out.shorts.end());
    std::reverse(out.longs.begin(), out.longs.end());
    if (out.longs.empty()) out.lastShortAfterLastLong = false;
    out.word = std::move(rest);
    return out;
}

} // namespace

std::vector<std::string> IndexRows(const std::vector<std::string>& fileLines) {
    // Letter rows first: they depend on initials alone.
    std::vector<const std::string*> lines;
    std::vector<std::optional<std::string>> letterRow; // any byte, NUL included, can head a run
    std::string group = " ";
    for (const std::string& line : fileLines) {
        if (line.empty()) continue;
        lines.push_back(&line);
        std::string initial = initialOf(line);
        const bool newGroup = initial != group;
        letterRow.push_back(newGroup ? std::optional<std::string>(initial) : std::nullopt);
        if (newGroup) group = std::move(initial);
    }

    // Each line's rows, as they stand before its own references are cut.
    auto letterRowQualifies = [&](std::size_t i) { return letterRow[i] == "|"; };
    auto lineQualifies = [&](std::size_t i) { return isShortRow(*lines[i]); };

    std::vector<std::string> rows;
    rows.reserve(fileLines.size() * 2);
    std::vector<bool> letterDone(lines.size(), false), lineDone(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (letterRow[i] && !letterDone[i]) rows.push_back(*letterRow[i]);
        if (lineDone[i]) continue;
        SplitLine s = split(*lines[i]);
        rows.push_back(std::move(s.word));
        if (s.longs.empty()) {
            for (auto& r : s.shorts) rows.push_back(std::move(r));
            continue;
        }
        // A long reference goes after the run of short rows that follows its
        // word, which may reach into the rows of the lines after it; it is
        // never placed after the list's last row.
        std::vector<std::string> following;
        bool reachesEnd = true;
        for (std::size_t k = i + 1; k < lines.size(); ++k) {
            if (letterRow[k]) {
                if (!letterRowQualifies(k)) {
                    reachesEnd = false;
                    break;
                }
                following.push_back(*letterRow[k]);
                letterDone[k] = true;
            }
            if (!lineQualifies(k)) {
                reachesEnd = false;
                break;
            }
            following.push_back(*lines[k]);
            lineDone[k] = true;
        }
        std::string last;
        if (reachesEnd && !following.empty()) {
            last = std::move(following.back());
            following.pop_back();
        } else if (reachesEnd && s.lastShortAfterLastLong) {
            last = std::move(s.shorts.back());
            s.shorts.pop_back();
        }
        for (auto& r : s.shorts) rows.push_back(std::move(r));
        for (auto& r : following) rows.push_back(std::move(r));
        for (auto& r : s.longs) rows.push_back(std::move(r));
        if (!last.empty()) rows.push_back(std::move(last));
    }
    return rows;
}

int IndexTree::firstAfterRoot() const {
    if (!childCount.empty() && childCount[0] > 0) return child(0, 0);
    return topLevel.size() > 1 ? topLevel[1] : -1;
}

IndexTree BuildIndexTree(std::vector<std::string> rows) {
    IndexTree tree;
    const std::size_t n = rows.size() + 1;
    tree.text.reserve(n);
    tree.parent.reserve(n);
    tree.text.emplace_back("Index");
    tree.parent.push_back(-1);
    int letter = -1, word = -1;
    for (std::string& r : rows) {
        const int self = static_cast<int>(tree.text.size());
        if (!r.empty() && r[0] == '|') {
            // The bar and the four hidden characters are not shown.
            tree.parent.push_back(word);
            const std::size_t shown = 1 + text::bytesOfCharacters(std::string_view(r).substr(1), 4);
            tree.text.push_back("  " + r.substr(std::min(shown, r.size())));
        } else if (!r.empty() && r.size() <= 4 && text::characterCount(r) == 1) {
            tree.parent.push_back(0);
            tree.text.push_back(std::move(r));
            letter = self;
        } else {
            tree.parent.push_back(letter);
            tree.text.push_back(std::move(r));
            word = self;
        }
    }
    // Children, grouped by parent in order (counting sort keeps row order).
    const int size = tree.size();
    tree.childCount.assign(static_cast<std::size_t>(size), 0);
    tree.row.assign(static_cast<std::size_t>(size), 0);
    for (int i = 0; i < size; ++i) {
        const int p = tree.parent[static_cast<std::size_t>(i)];
        if (p < 0) {
            tree.row[static_cast<std::size_t>(i)] = static_cast<int>(tree.topLevel.size());
            tree.topLevel.push_back(i);
        } else {
            tree.row[static_cast<std::size_t>(i)] = tree.childCount[static_cast<std::size_t>(p)]++;
        }
    }
    tree.childStart.assign(static_cast<std::size_t>(size), 0);
    int offset = 0;
    for (int i = 0; i < size; ++i) {
        tree.childStart[static_cast<std::size_t>(i)] = offset;
        offset += tree.childCount[static_cast<std::size_t>(i)];
    }
    tree.childIds.assign(static_cast<std::size_t>(offset), 0);
    for (int i = 0; i < size; ++i) {
        const int p = tree.parent[static_cast<std::size_t>(i)];
        if (p >= 0)
            tree.childIds[static_cast<std::size_t>(tree.childStart[static_cast<std::size_t>(p)] +
                                                   tree.row[static_cast<std::size_t>(i)])] = i;
    }
    return tree;
}

} // namespace cadenzo
