#include "word_index_builder.h"

#include "base/unicode.h"
#include "book/marker_lines.h"
#include "display/page_text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <stdexcept>

namespace cadenzo::index {

namespace {

constexpr int kMaxLine = 999'999;

// A letter of any script; ASCII, most of a book, without a library call.
bool isLetter(char32_t c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return text::isLetter(c);
}

// Words of a line: runs of letters (of any script), with an apostrophe
// (typewriter or typographic) between two letters kept, as in "Keeper's".
template <typename F> void forEachWord(std::string_view line, F&& f) {
    auto letterAt = [&](std::size_t pos) { return pos < line.size() && isLetter(text::decodeAt(line, pos).value); };
    auto isApostrophe = [](char32_t c) { return c == U'\'' || c == U'\u2019'; };
    std::size_t i = 0;
    while (i < line.size()) {
        const text::CodePoint first = text::decodeAt(line, i);
        if (!isLetter(first.value)) {
            i += first.length;
            continue;
        }
        const std::size_t start = i;
        int letters = 0;
        while (i < line.size()) {
            const text::CodePoint c = text::decodeAt(line, i);
            if (isLetter(c.value)) {
                ++letters;
                i += c.length;
            } else if (isApostrophe(c.value) && letterAt(i + c.length)) {
                i += c.length;
            } else {
                break;
            }
        }
        if (letters >= 2) f(line.substr(start, i - start));
    }
}

// Alphabetical order as a reader expects it: letter case and accents set
// aside first ("eagle", "École", "ecru"), the word in lower case breaking ties.
std::string orderKey(std::string_view lowered) {
    std::string key;
    key.reserve(lowered.size() * 2 + 1);
    for (std::size_t i = 0; i < lowered.size();) {
        const text::CodePoint c = text::decodeAt(lowered, i);
        i += c.length;
        text::appendUtf8(key, c.value < 0x80 ? c.value : text::lowerCase(text::baseLetter(c.value)));
    }
    key += '\0';
    key += lowered;
    return key;
}

struct Entry {
    std::string shown; // as the word is shown: in lower case when it ever stands so
    std::vector<std::string> references;
    int lastLine = -1;
};

} // namespace

bool IsCommonWord(std::string_view w) {
    static const std::array<std::string_view, 88> common = {
        "a",    "about", "after", "again", "all",   "am",     "an",    "and",  "any",  "are",  "as",   "at",    "be",
        "been", "but",   "by",    "can",   "could", "did",    "do",    "does", "for",  "from", "had",  "has",   "have",
        "he",   "her",   "here",  "him",   "his",   "how",    "i",     "if",   "in",   "into", "is",   "it",    "it's",
        "its",  "me",    "my",    "no",    "nor",   "not",    "now",   "of",   "off",  "on",   "once", "one",   "only",
        "or",   "our",   "out",   "over",  "she",   "should", "so",    "some", "than", "that", "the",  "their", "them",
        "then", "there", "these", "they",  "this",  "those",  "to",    "too",  "up",   "upon", "us",   "very",  "was",
        "we",   "were",  "what",  "when",  "where", "which",  "while", "who",  "will", "with"};
    return std::find(common.begin(), common.end(), w) != common.end();
}

std::string Reference(int chapter, int line) {
    char text[24];
    std::snprintf(text, sizeof text, line < 100'000 ? "|%04d%05d" : "|%04d%06d", chapter % 10'000, line);
    return text;
}

std::vector<std::string> BuildWordIndex(const BookLineList& prepared, const IndexOptions& options) {
    // The last three prepared lines ("p999", the end line, a blank) are the reader's, not the book's.
    const int end = std::max(0, static_cast<int>(prepared.size()) - 3);
    if (end - 1 > kMaxLine) throw std::runtime_error("the book has more lines than six-digit references can name");
    std::map<std::string, Entry> words; // by orderKey: alphabetical ignoring case and accents
    int chapter = 0;
    for (int line = 0; line < end; ++line) {
        const std::string_view raw = prepared[static_cast<std::size_t>(line)];
        if (Contains(raw, "|refpt")) ++chapter;
        if (isIndexMarkerLine(raw)) continue;
        forEachWord(WithoutMarkup(raw), [&](std::string_view word) {
            const std::string lower = text::toLower(word);
            if (!options.keepCommonWords && IsCommonWord(lower)) return;
            Entry& e = words[orderKey(lower)];
            if (e.shown.empty() || word == lower) e.shown = std::string(word);
            if (e.lastLine == line) return;
            e.lastLine = line;
            e.references.push_back(Reference(chapter, line));
        });
    }
    std::vector<std::string> out;
    out.reserve(words.size());
    for (auto& [key, e] : words) {
        std::string row = std::move(e.shown);
        for (const std::string& r : e.references) row += r;
        out.push_back(std::move(row));
    }
    return out;
}

} // namespace cadenzo::index
