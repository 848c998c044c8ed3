#include "search/find.h"

#include "base/checked.h"
#include "base/unicode.h"

#include <algorithm>

namespace cadenzo {

namespace {

// A letter or digit (of any script) starts or ends at this byte: the whole-word
// test looks at the characters just before and after a match.
bool wordCharacterBefore(std::string_view text, std::size_t pos) {
    if (pos == 0) return false;
    return text::isWordCharacter(text::decodeAt(text, text::characterStart(text, pos - 1)).value);
}
bool wordCharacterAt(std::string_view text, std::size_t pos) {
    return pos < text.size() && text::isWordCharacter(text::decodeAt(text, pos).value);
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t findAsciiFolded(std::string_view text, std::string_view pattern, std::size_t from) {
    const auto at =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(),
                    pattern.begin(), pattern.end(), [](char a, char b) { return foldAscii(a) == foldAscii(b); });
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

std::string joinedWithoutTags(const BookLineList& lines, int i) {
    std::string joined(Trimmed(checkedAt(lines, i)));
    joined += ' ';
    if (static_cast<std::size_t>(i) + 1 < lines.size()) joined += Trimmed(lines[static_cast<std::size_t>(i) + 1]);
    return RemoveTagsAsThreeChars(joined);
}

} // namespace

bool Occurs(std::string_view text, std::string_view pattern, bool foldCase, bool wholeWord) {
    if (pattern.empty()) return false;
    // Without letter case both sides are lower-cased character by character
    // (accented and other scripts' letters too); a match in the lowered text is
    // a match in the text, and letters stay letters for the whole-word test.
    // Plain ASCII, most books' text, is compared in place.
    std::string loweredText, loweredPattern;
    const bool asciiFold = foldCase && isAscii(text) && isAscii(pattern);
    if (foldCase && !asciiFold) {
        loweredText = text::toLower(text);
        loweredPattern = text::toLower(pattern);
        text = loweredText;
        pattern = loweredPattern;
    }
    if (pattern.size() > text.size()) return false;
    for (std::size_t from = 0;;) {
        const std::size_t at = asciiFold ? findAsciiFolded(text, pattern, from) : text.find(pattern, from);
        if (at == std::string_view::npos) return false;
        if (!wholeWord) return true;
        if (!wordCharacterBefore(text, at) && !wordCharacterAt(text, at + pattern.size())) return true;
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
            hit = Occurs(checkedAt(lines, i), key, fold, query.wholeWord);
            if (hit || i == last) break;
        }
        if (isPhrase) hit = Occurs(joinedWithoutTags(lines, i), phrase, fold, query.wholeWord);
        if (hit) return i;
        if (i == last) return std::nullopt;
    }
}

int FindHitPageStart(const BookLineList& lines, int hit, int origin) {
    // No line to step back over: the hit itself is the start.
    if (lines.empty()) return hit;
    int a = std::clamp(hit, 0, static_cast<int>(lines.size()) - 1);
    while (a > 0 && !checkedAt(lines, a).starts_with('p')) --a;
    return a <= origin ? hit : a;
}

} // namespace cadenzo
