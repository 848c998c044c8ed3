// Writes a laid-out manuscript in the book's stored form, one book line per
// string: the banner, the title block, each chapter's anchor, number and
// markers, the phrase lines with their colour tags, and the end.
#pragma once

#include "highlights.h"
#include "manuscript.h"

#include <string>
#include <vector>

namespace cadenzo::format {

// How one sentence is laid out.
struct SentenceLayout {
    std::vector<int> lineStarts;       // first word of each line
    std::vector<int> indents;          // indentation of each line
    std::vector<Highlight> highlights; // by first word, never touching
};

// The notice line that opens every book file; it carries no markup.
std::string bannerLine(const Manuscript& book);

// The phrase lines of one sentence.
std::vector<std::string> sentenceLines(const std::vector<std::string>& words,
                                       const SentenceLayout& layout);

// `layouts` holds one entry per sentence of the book, in book order. Throws
// FormatError when the book has more paragraphs than markers can number.
std::vector<std::string> writeBook(const Manuscript& book,
                                   const std::vector<SentenceLayout>& layouts);

} // namespace cadenzo::format
