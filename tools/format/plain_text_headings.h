// The headings of a plain-text book: "CHAPTER IV.", "Part Two", "12.",
// "IV. THE STORM", "Preface", each with its label and the title after it.
#pragma once

#include <string>
#include <string_view>

namespace cadenzo::format::plain {

enum class HeadingKind { None, Chapter, Part };

struct Heading {
    HeadingKind kind = HeadingKind::None;
    bool bare = false; // a numeral alone ("IV.", "12."): trusted only when the text has several
    std::string label; // "CHAPTER IV."
    std::string title; // text after the number on the same line
};

// The heading a line of text is, or HeadingKind::None.
Heading headingOf(std::string_view line);

// Blanks are spaces, tabs, form and line feeds within a line.
bool isSpace(char c);
std::string_view trim(std::string_view s);

// Characters, not bytes, of UTF-8 text.
std::size_t characters(std::string_view s);

} // namespace cadenzo::format::plain
