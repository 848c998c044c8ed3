// A book as the readers of everyday files find it: title, author, year and
// chapters of paragraphs of UTF-8 text, nothing checked yet. The plain-text
// and EPUB readers fill it; bookFromText turns it into the Manuscript the
// layout works on, making any text fit the book's rules (this header needs no
// library, so the EPUB reader can stand apart from the layout).
#pragma once

#include <string>
#include <vector>

namespace cadenzo::format {

struct TextParagraph {
    int sourceLine = 0; // where it starts in the input, 0 when it has no lines
    std::string text;
};

struct TextChapter {
    std::string heading; // "CHAPTER IV.", "Chapter One", "IV."; may be empty
    std::string title;   // "The Storm"; may be empty
    std::vector<TextParagraph> paragraphs;
};

struct TextBook {
    std::string title;
    std::string author;
    std::string year;
    std::vector<TextChapter> chapters;
};

} // namespace cadenzo::format
