#include "lexicon.h"

#include "base/unicode.h"

#include <cctype>
#include <string_view>

namespace cadenzo::format {

namespace {

// A letter or digit of any script; ASCII is answered without the Unicode tables.
bool isWordChar(char32_t c) {
    if (c < 0x80) return std::isalnum(static_cast<int>(c)) != 0;
    return text::isWordCharacter(c);
}

bool isClosing(char32_t c) {
    return c == '"' || c == ')' || c == '\'' || c == ']' || c == U'\u201D' || c == U'\u2019' || c == U'\u00BB';
}

// The character that ends the text, and where it starts.
struct Last {
    char32_t value = 0;
    std::size_t start = 0;
};
Last lastCharacter(std::string_view text, std::size_t end) {
    if (end == 0) return {};
    const std::size_t start = text::characterStart(text, end - 1);
    return {text::decodeAt(text, start).value, start};
}

} // namespace

std::string_view wordCore(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size()) {
        const text::CodePoint c = text::decodeAt(text, first);
        if (isWordChar(c.value)) break;
        first += c.length;
    }
    std::size_t last = text.size();
    while (last > first) {
        const Last c = lastCharacter(text, last);
        if (isWordChar(c.value)) break;
        last = c.start;
    }
    return text.substr(first, last - first);
}

std::size_t highlightEnd(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0) {
        const Last c = lastCharacter(text, end);
        if (isWordChar(c.value)) break;
        end = c.start;
    }
    if (end == 0) return text.size();
    // The apostrophe of a plural possessive ("the clerks' room") is part of the word.
    if (end < text.size() && (text[end - 1] == 's' || text[end - 1] == 'S')) {
        const text::CodePoint next = text::decodeAt(text, end);
        if (next.value == '\'' || next.value == U'\u2019') end += next.length;
    }
    return end;
}

bool isAllCapitals(std::string_view text) {
    int letters = 0;
    for (std::size_t i = 0; i < text.size();) {
        const text::CodePoint c = text::decodeAt(text, i);
        i += c.length;
        if (c.value < 0x80) {
            if (std::islower(static_cast<int>(c.value))) return false;
            if (std::isupper(static_cast<int>(c.value))) ++letters;
        } else if (text::isLetter(c.value)) {
            if (!text::isUpperCase(c.value)) {
                if (text::upperCase(c.value) != c.value) return false; // a lower-case letter
            } else {
                ++letters;
            }
        }
    }
    return letters > 1;
}

bool startsWithLetter(std::string_view text) {
    if (text.empty()) return false;
    const auto c = static_cast<unsigned char>(text.front());
    if (c < 0x80) return std::isalpha(c) != 0;
    return text::isLetter(text::decodeAt(text, 0).value);
}

namespace {

bool isAsciiClosing(char c) { return c == '"' || c == ')' || c == '\'' || c == ']'; }

// The mark a word ends with, from the character before any closing quotes.
EndMark endMarkOf(char32_t c) {
    switch (c) {
    case ',': return EndMark::Comma;
    case ';': return EndMark::Semicolon;
    case ':': return EndMark::Colon;
    case '-':
    case U'\u2013':
    case U'\u2014': return EndMark::Dash;
    case '.':
    case '!':
    case '?':
    case U'\u2026': return EndMark::Stop;
    default: return EndMark::None;
    }
}

// describeWord for a word of ASCII characters, the usual case, without
// decoding: the same answers as the general way.
WordInfo describeAscii(std::string_view text) {
    WordInfo info;
    info.text = std::string(text);
    info.length = static_cast<int>(text.size());
    std::size_t first = 0;
    while (first < text.size() && !std::isalnum(static_cast<unsigned char>(text[first]))) ++first;
    std::size_t last = text.size();
    while (last > first && !std::isalnum(static_cast<unsigned char>(text[last - 1]))) --last;
    std::string_view core = text.substr(first, last - first);
    if (core.size() > 2 && core[core.size() - 2] == '\'' && core.back() == 's') core.remove_suffix(2);
    info.bare.resize(core.size());
    for (std::size_t i = 0; i < core.size(); ++i)
        info.bare[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(core[i])));
    info.capitalised = !core.empty() && std::isupper(static_cast<unsigned char>(core.front()));
    if (!text.empty()) {
        info.opensQuote = text.front() == '"' || text.front() == '(';
        info.closesQuote = text.back() == '"' || text.back() == ')';
    }
    std::size_t end = text.size();
    while (end > 0 && isAsciiClosing(text[end - 1])) --end;
    if (end > 0) info.end = endMarkOf(static_cast<unsigned char>(text[end - 1]));
    info.classes = wordClasses(info.bare);
    return info;
}

// Lower case, and the typographic apostrophe as the plain one, so that
// "Don’t" is the negation "don't".
std::string bareOf(std::string_view core) {
    const std::string lower = text::toLower(core);
    std::string bare;
    bare.reserve(lower.size());
    for (std::size_t i = 0; i < lower.size();) {
        const text::CodePoint c = text::decodeAt(lower, i);
        if (c.value == U'\u2019')
            bare += '\'';
        else
            bare.append(lower, i, c.length);
        i += c.length;
    }
    return bare;
}

// The mark before any closing quotes and brackets at the end of the text.
EndMark endMarkBeforeClosing(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0) {
        const Last c = lastCharacter(text, end);
        if (!isClosing(c.value)) break;
        end = c.start;
    }
    return end > 0 ? endMarkOf(lastCharacter(text, end).value) : EndMark::None;
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

} // namespace

WordInfo describeWord(std::string_view text) {
    if (isAscii(text)) return describeAscii(text);
    WordInfo info;
    info.text = std::string(text);
    info.length = static_cast<int>(text::characterCount(text));
    std::string_view core = wordCore(text);
    if (core.size() > 2 && core.substr(core.size() - 2) == "'s")
        core.remove_suffix(2);
    else if (core.size() > 4 && core.substr(core.size() - 4) == "\u2019s")
        core.remove_suffix(4);
    info.bare = bareOf(core);
    info.capitalised = !core.empty() && text::isUpperCase(text::decodeAt(core, 0).value);
    const char32_t first = text::decodeAt(text, 0).value;
    const Last last = lastCharacter(text, text.size());
    info.opensQuote = first == '"' || first == '(' || first == U'\u201C' || first == U'\u00AB';
    info.closesQuote = last.value == '"' || last.value == ')' || last.value == U'\u201D' || last.value == U'\u00BB';
    info.end = endMarkBeforeClosing(text);
    info.classes = wordClasses(info.bare);
    return info;
}

} // namespace cadenzo::format
