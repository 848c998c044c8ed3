#include "plain_text_headings.h"

#include "base/text.h"
#include "base/unicode.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace cadenzo::format::plain {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::size_t characters(std::string_view s) { return text::characterCount(s); }

namespace {

bool isRoman(std::string_view word) {
    if (word.empty() || word.size() > 9) return false;
    const bool upper = std::isupper(static_cast<unsigned char>(word.front())) != 0;
    for (char c : word) {
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::string_view("IVXLCDM").find(u) == std::string_view::npos) return false;
        if ((std::isupper(static_cast<unsigned char>(c)) != 0) != upper) return false;
    }
    return true;
}

bool isArabic(std::string_view word) {
    return !word.empty() && word.size() <= 4 &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isNumberName(std::string_view word) {
    static const std::array<std::string_view, 28> names = {
        "one",    "two",    "three",    "four",     "five",    "six",     "seven",     "eight",    "nine",     "ten",
        "eleven", "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty",
        "thirty", "forty",  "fifty",    "sixty",    "seventy", "eighty",  "ninety",    "hundred"};
    const std::string lower = asciiLower(word);
    std::size_t pos = 0;
    // "Twenty-One", "Forty-Two"
    while (pos <= lower.size()) {
        std::size_t end = lower.find('-', pos);
        if (end == std::string::npos) end = lower.size();
        const std::string_view part(lower.data() + pos, end - pos);
        if (std::find(names.begin(), names.end(), part) == names.end()) return false;
        pos = end + 1;
    }
    return true;
}

// The number word of a heading with its trailing punctuation cut off.
std::string_view numberToken(std::string_view word) {
    while (!word.empty() && (word.back() == '.' || word.back() == ':' || word.back() == ',')) word.remove_suffix(1);
    return word;
}

// The rest of a heading line after its number: separators dropped.
std::string titleAfter(std::string_view rest) {
    rest = trim(rest);
    for (;;) {
        if (!rest.empty() && (rest.front() == '.' || rest.front() == ':' || rest.front() == '-')) {
            rest.remove_prefix(1);
        } else if (rest.substr(0, 3) == "\u2014" || rest.substr(0, 3) == "\u2013") {
            rest.remove_prefix(3);
        } else {
            break;
        }
        rest = trim(rest);
    }
    return std::string(rest);
}

// "CHAPTER IV.", "Book Two: The Sea": a chapter or part word, a number, a title.
Heading numberedHeading(std::string_view first, std::string_view rest, bool chapterWord) {
    rest = trim(rest);
    const std::size_t end = rest.find(' ');
    const std::string_view word = rest.substr(0, end);
    const std::string_view number = numberToken(word);
    if (!isRoman(number) && !isArabic(number) && !isNumberName(number)) return {};
    Heading heading;
    heading.kind = chapterWord ? HeadingKind::Chapter : HeadingKind::Part;
    heading.label = std::string(first) + " " + std::string(word);
    heading.title = end == std::string_view::npos ? "" : titleAfter(rest.substr(end));
    // "Chapter 1 the storm broke" would be a sentence, not a heading.
    if (!heading.title.empty() && word == number && word.back() != ':' &&
        std::islower(static_cast<unsigned char>(heading.title.front())))
        return {};
    return heading;
}

// A numeral alone, or a Roman numeral with a full stop and a title: "IV", "IV.", "12.", "IV. THE STORM".
// For a line whose first word is a numeral.
Heading numeralHeading(std::string_view first, std::string_view rest) {
    const std::string_view number = numberToken(first);
    const bool stop = first.size() > number.size();
    const std::string title = titleAfter(rest);
    if (!title.empty() && (!stop || !isRoman(number))) return {};
    if (!title.empty() && std::islower(static_cast<unsigned char>(title.front()))) return {};
    if (!title.empty() && (title.back() == ',' || title.back() == ';')) return {};
    Heading heading;
    heading.kind = HeadingKind::Chapter;
    heading.bare = true;
    heading.label = std::string(first);
    heading.title = title;
    return heading;
}

// Named sections of a book: "Preface", "Epilogue.".
Heading namedHeading(std::string_view line) {
    static const std::array<std::string_view, 9> named = {"preface",    "introduction", "prologue",
                                                          "epilogue",   "foreword",     "afterword",
                                                          "conclusion", "contents",     "table of contents"};
    std::string whole = asciiLower(line);
    while (!whole.empty() && (whole.back() == '.' || whole.back() == ':')) whole.pop_back();
    if (std::find(named.begin(), named.end(), whole) == named.end()) return {};
    Heading heading;
    heading.kind = HeadingKind::Chapter;
    heading.label = std::string(line);
    return heading;
}

} // namespace

Heading headingOf(std::string_view line) {
    line = trim(line);
    if (line.empty() || characters(line) > 80) return {};
    const std::size_t space = line.find(' ');
    const std::string_view first = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space);

    static const std::array<std::string_view, 3> chapterWords = {"chapter", "section", "letter"};
    static const std::array<std::string_view, 3> partWords = {"book", "part", "volume"};
    const std::string key = asciiLower(first);
    const bool chapterWord = std::find(chapterWords.begin(), chapterWords.end(), key) != chapterWords.end();
    const bool partWord = std::find(partWords.begin(), partWords.end(), key) != partWords.end();
    if (chapterWord || partWord) return numberedHeading(first, rest, chapterWord);
    if (const std::string_view number = numberToken(first);
        (isRoman(number) && std::isupper(static_cast<unsigned char>(number.front()))) ||
        (isArabic(number) && (first.size() > number.size() || rest.empty())))
        return numeralHeading(first, rest);
    return namedHeading(line);
}

} // namespace cadenzo::format::plain
