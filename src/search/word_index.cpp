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

// The file's non-empty lines, each with the letter row that heads it when its
// initial starts a new group. Letter rows depend on initials alone.
struct LetteredLines {
    std::vector<const std::string*> lines;
    std::vector<std::optional<std::string>> letterRow; // any byte, NUL included, can head a run
};

LetteredLines letterLines(const std::vector<std::string>& fileLines) {
    LetteredLines out;
    std::string group = " ";
    for (const std::string& line : fileLines) {
        if (line.empty()) continue;
        out.lines.push_back(&line);
        std::string initial = initialOf(line);
        const bool newGroup = initial != group;
        out.letterRow.push_back(newGroup ? std::optional<std::string>(initial) : std::nullopt);
        if (newGroup) group = std::move(initial);
    }
    return out;
}

// The run of short rows that follows line i's word, reaching into the rows of
// the lines after it (as they stand before their own references are cut);
// the rows it takes are marked done.
struct FollowingRun {
    std::vector<std::string> rows;
    bool reachesEnd = true; // the run goes on to the list's last row
};

FollowingRun followingShortRun(const LetteredLines& in, std::size_t i, std::vector<bool>& letterDone,
                               std::vector<bool>& lineDone) {
    FollowingRun run;
    for (std::size_t k = i + 1; k < in.lines.size(); ++k) {
        if (in.letterRow[k]) {
            if (in.letterRow[k] != "|") {
                run.reachesEnd = false;
                break;
            }
            run.rows.push_back(*in.letterRow[k]);
            letterDone[k] = true;
        }
        if (!isShortRow(*in.lines[k])) {
            run.reachesEnd = false;
            break;
        }
        run.rows.push_back(*in.lines[k]);
        lineDone[k] = true;
    }
    return run;
}

} // namespace

std::vector<std::string> IndexRows(const std::vector<std::string>& fileLines) {
    const LetteredLines in = letterLines(fileLines);
    std::vector<std::string> rows;
    rows.reserve(fileLines.size() * 2);
    std::vector<bool> letterDone(in.lines.size(), false), lineDone(in.lines.size(), false);
    for (std::size_t i = 0; i < in.lines.size(); ++i) {
        if (in.letterRow[i] && !letterDone[i]) rows.push_back(*in.letterRow[i]);
        if (lineDone[i]) continue;
        SplitLine s = split(*in.lines[i]);
        rows.push_back(std::move(s.word));
        if (s.longs.empty()) {
            for (auto& r : s.shorts) rows.push_back(std::move(r));
            continue;
        }
        // A long reference goes after the run of short rows that follows its
        // word; it is never placed after the list's last row.
        FollowingRun following = followingShortRun(in, i, letterDone, lineDone);
        std::string last;
        if (following.reachesEnd && !following.rows.empty()) {
            last = std::move(following.rows.back());
            following.rows.pop_back();
        } else if (following.reachesEnd && s.lastShortAfterLastLong) {
            last = std::move(s.shorts.back());
            s.shorts.pop_back();
        }
        for (auto& r : s.shorts) rows.push_back(std::move(r));
        for (auto& r : following.rows) rows.push_back(std::move(r));
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
