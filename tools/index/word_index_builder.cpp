#include "word_index_builder.h"

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

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view word) {
    std::string out(word);
    for (char& c : out) c = lower(c);
    return out;
}

// Words of a line: runs of letters, with apostrophes between letters kept.
template <typename F> void forEachWord(std::string_view text, F&& f) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isLetter(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        int letters = 0;
        while (i < text.size()) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (isLetter(c)) {
                ++letters;
                ++i;
            } else if (c == '\'' && i + 1 < text.size() && isLetter(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
            } else {
                break;
            }
        }
        if (letters >= 2) f(text.substr(start, i - start));
    }
}

struct Entry {
    std::string shown; // as the word is shown: in lower case when it ever stands so
    std::vector<std::string> references;
    int lastLine = -1;
};

} // namespace

bool IsCommonWord(std::string_view w) {
    static const std::array<std::string_view, 88> common = {
        "a",     "about", "after", "again", "all",   "am",    "an",    "and",   "any",   "are",   "as",
        "at",    "be",    "been",  "but",   "by",    "can",   "could", "did",   "do",    "does",  "for",
        "from",  "had",   "has",   "have",  "he",    "her",   "here",  "him",   "his",   "how",   "i",
        "if",    "in",    "into",  "is",    "it",    "it's",  "its",   "me",    "my",    "no",    "nor",
        "not",   "now",   "of",    "off",   "on",    "once",  "one",   "only",  "or",    "our",   "out",
        "over",  "she",   "should", "so",   "some",  "than",  "that",  "the",   "their", "them",  "then",
        "there", "these", "they",  "this",  "those", "to",    "too",   "up",    "upon",  "us",    "very",
        "was",   "we",    "were",  "what",  "when",  "where", "which", "while", "who",   "will",  "with"};
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
    std::map<std::string, Entry> words; // by the word in lower case: alphabetical ignoring case
    int chapter = 0;
    for (int line = 0; line < end; ++line) {
        const std::string& raw = prepared[static_cast<std::size_t>(line)];
        if (Contains(raw, "|refpt")) ++chapter;
        if (isIndexMarkerLine(raw)) continue;
        forEachWord(WithoutMarkup(raw), [&](std::string_view word) {
            std::string key = lowered(word);
            if (!options.keepCommonWords && IsCommonWord(key)) return;
            Entry& e = words[key];
            if (e.shown.empty() || word == key) e.shown = std::string(word);
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
