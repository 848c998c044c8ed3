#include "search/find.h"

#include <algorithm>

namespace cadenzo {

namespace {

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letters (single-byte text: anything above 0x7F counts as one) and digits.
bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0x80;
}

std::string joinedWithoutTags(const BookLineList& lines, int i) {
    std::string joined(Trimmed(lines[static_cast<std::size_t>(i)]));
    joined += ' ';
    if (static_cast<std::size_t>(i) + 1 < lines.size()) joined += Trimmed(lines[static_cast<std::size_t>(i) + 1]);
    return RemoveTagsAsThreeChars(joined);
}

} // namespace

bool Occurs(std::string_view text, std::string_view pattern, bool foldCase, bool wholeWord) {
    if (pattern.empty() || pattern.size() > text.size()) return false;
    auto equal = [foldCase](char a, char b) { return foldCase ? fold(a) == fold(b) : a == b; };
    for (auto from = text.begin();;) {
        const auto at = std::search(from, text.end(), pattern.begin(), pattern.end(), equal);
        if (at == text.end()) return false;
        if (!wholeWord) return true;
        const auto end = at + static_cast<std::ptrdiff_t>(pattern.size());
        const bool openBefore = at == text.begin() || !isWordChar(*(at - 1));
        const bool openAfter = end == text.end() || !isWordChar(*end);
        if (openBefore && openAfter) return true;
        from = at + 1;
    }
}

std::optional<int> SearchLines(const BookLineList& lines, int first, int last, const FindQuery& query) {
    const int count = static_cast<int>(lines.size());
    if (query.text.empty() || count == 0) return std::nullopt;
    first = std::clamp(first, 0, count - 1);
    last = std::clamp(last, 0, count - 1);
    const int step = last >= first ? 1 : -1;
    const bool fold = !query.matchCase;
    const std::string_view phrase = query.text;
    const std::string_view key = phrase.substr(0, phrase.find(' '));
    const bool isPhrase = phrase.find(' ') != std::string_view::npos;

    for (int i = first;; i += step) {
        // Word scan: on to the next line holding the key word, or to the last line.
        bool hit = false;
        for (;; i += step) {
            hit = Occurs(lines[static_cast<std::size_t>(i)], key, fold, query.wholeWord);
            if (hit || i == last) break;
        }
        if (isPhrase) hit = Occurs(joinedWithoutTags(lines, i), phrase, fold, query.wholeWord);
        if (hit) return i;
        if (i == last) return std::nullopt;
    }
}

int FindHitPageStart(const BookLineList& lines, int hit, int origin) {
    int a = std::clamp(hit, 0, static_cast<int>(lines.size()) - 1);
    while (a > 0 && !(lines[static_cast<std::size_t>(a)].size() > 0 && lines[static_cast<std::size_t>(a)][0] == 'p')) --a;
    return a <= origin ? hit : a;
}

} // namespace cadenzo
