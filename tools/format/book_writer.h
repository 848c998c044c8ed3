// Writes a laid-out manuscript in the book's stored form, one book line per
// string: the banner, the title block, each chapter's anchor, number and
// markers, the phrase lines with their colour tags, and the end.
#pragma once

#include "highlights.h"
#include "manuscript.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo::format {

// How one sentence is laid out.
struct SentenceLayout {
    std::vector<int> lineStarts;       // first word of each line
    std::vector<int> indents;          // indentation of each line
    std::vector<Highlight> highlights; // by first word, never touching
    // The sentence's words, when the layout already split its text (views
    // into the book's sentence); empty, the writer splits it.
    std::vector<std::string_view> words;
};

// The notice line that opens every book file; it carries no markup.
std::string bannerLine(const Manuscript& book);

// The paragraph marker of paragraph `number` (from 0), without its blank:
// "p000" to "p998" in decimal; from the 1,000th paragraph on the three
// characters count on in base 36 (digits, then lower-case letters) from "a00"
// to "zzz", and then start again at "a00". A marker thus always has four
// characters, begins with "p", never reads "p999" (the end the reader adds),
// and markers sort in book order for the first 34,695 paragraphs.
std::string paragraphMarker(std::size_t number);

// A chapter title cut into phrase texts of at most 40 characters, between words
// where it can.
std::vector<std::string> titlePieces(const std::string& title);

// Phrase lines before a chapter's first paragraph marker: the anchor, the
// number (when it has one) and the title's lines.
int openingLines(const Chapter& chapter);

// The phrase lines of one sentence.
std::vector<std::string> sentenceLines(const std::vector<std::string_view>& words, const SentenceLayout& layout);
std::vector<std::string> sentenceLines(const std::vector<std::string>& words, const SentenceLayout& layout);

// How sentence `index` (in book order) is laid out; asked once per sentence,
// in book order.
using LayoutOf = std::function<SentenceLayout(std::size_t index)>;

// The anchor of chapter `index` (from 0): "refpt001" for the first.
std::string chapterAnchor(std::size_t index);

// The lines written so far, after each sentence's.
using LinesWritten = std::function<void(const std::vector<std::string>& lines)>;

// Throws FormatError when the book has more chapters than anchors can number.
std::vector<std::string> writeBook(const Manuscript& book, const LayoutOf& layoutOf, const LinesWritten& written = {});

} // namespace cadenzo::format
