#include "book_writer.h"

#include "lexicon.h"

#include <stdexcept>

namespace cadenzo::format {

namespace {

// "p999" is the marker the reader appends after every book; the book's own
// markers stop below it.
constexpr int kMaxParagraphMarkers = 999;
constexpr int kClosingIndent = 27;

// Zero-padded decimal; the callers keep values within the width.
std::string padded(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string twoDigits(int value) {
    return padded(value, 2);
}

std::string threeDigits(int value) {
    return padded(value, 3);
}

std::string colourTag(Colour colour) {
    return std::string("|") + colourCode(colour) + ">";
}

const std::string kCloseTag = "|4>";

} // namespace

std::string bannerLine(const Manuscript& book) {
    return "Tidal Type(R) phrase-formatted text. Pat. pend. (C) " + book.year + " " + book.author +
           ". All rights reserved.";
}

std::vector<std::string> sentenceLines(const std::vector<std::string>& words,
                                       const SentenceLayout& layout) {
    const std::size_t n = words.size();
    const std::size_t lines = layout.lineStarts.size();
    if (lines == 0 || layout.indents.size() != lines || layout.lineStarts.front() != 0)
        throw std::logic_error("sentence layout does not match its lines");
    for (std::size_t i = 0; i < lines; ++i) {
        const int start = layout.lineStarts[i];
        const int previous = i == 0 ? -1 : layout.lineStarts[i - 1];
        if (start <= previous || start < 0 || static_cast<std::size_t>(start) >= n)
            throw std::logic_error("sentence layout breaks outside its words");
    }

    // Tag opening before word w, and whether word w closes a highlight.
    std::vector<const Highlight*> opensAt(n, nullptr);
    std::vector<bool> closesAt(n, false);
    for (const Highlight& h : layout.highlights) {
        if (h.firstWord < 0 || h.wordCount < 1 ||
            static_cast<std::size_t>(h.firstWord) + static_cast<std::size_t>(h.wordCount) > n)
            throw std::logic_error("highlight outside its sentence");
        opensAt[static_cast<std::size_t>(h.firstWord)] = &h;
        closesAt[static_cast<std::size_t>(h.firstWord + h.wordCount - 1)] = true;
    }

    std::vector<std::string> out;
    out.reserve(lines);
    for (std::size_t line = 0; line < lines; ++line) {
        const auto start = static_cast<std::size_t>(layout.lineStarts[line]);
        const std::size_t end =
            line + 1 < lines ? static_cast<std::size_t>(layout.lineStarts[line + 1]) : n;
        int indent = layout.indents[line];
        std::string text;
        if (opensAt[start] != nullptr) {
            // Only a sentence's first word opens its line highlighted; the line
            // then begins with the tag and stands at 00.
            if (start != 0) throw std::logic_error("highlight opens a continuation line");
            text += colourTag(opensAt[start]->colour);
            indent = 0;
        }
        for (std::size_t w = start; w < end; ++w) {
            if (w > start) text += ' ';
            const std::string& word = words[w];
            if (closesAt[w]) {
                const std::size_t cut = highlightEnd(word);
                text.append(word, 0, cut);
                text += kCloseTag;
                text.append(word, cut, std::string::npos);
            } else {
                text += word;
            }
            if (w + 1 < end && opensAt[w + 1] != nullptr) text += colourTag(opensAt[w + 1]->colour);
        }
        out.push_back("l" + twoDigits(indent) + text + " ");
    }
    return out;
}

std::vector<std::string> writeBook(const Manuscript& book,
                                   const std::vector<SentenceLayout>& layouts) {
    std::size_t paragraphs = 0;
    std::size_t sentences = 0;
    for (const Chapter& chapter : book.chapters) {
        paragraphs += chapter.paragraphs.size();
        for (const Paragraph& paragraph : chapter.paragraphs)
            sentences += paragraph.sentences.size();
    }
    const std::size_t markers = paragraphs + (book.hasClosing ? 2 : 1);
    if (markers > kMaxParagraphMarkers)
        throw FormatError("the book has " + std::to_string(paragraphs) +
                          " paragraphs; paragraph markers can number at most " +
                          std::to_string(kMaxParagraphMarkers - (book.hasClosing ? 2 : 1)));
    if (layouts.size() != sentences) throw std::logic_error("one layout per sentence expected");

    std::vector<std::string> out;
    out.push_back(bannerLine(book));
    out.push_back("l00|b>" + book.title + ", by  ");
    out.push_back("l08" + book.author + "  ");
    out.push_back("l08[" + book.year + "]|n> ");

    int marker = 0;
    std::size_t next = 0;
    for (std::size_t c = 0; c < book.chapters.size(); ++c) {
        const Chapter& chapter = book.chapters[c];
        out.push_back("l00|refpt" + threeDigits(static_cast<int>(c) + 1) + "> ");
        out.push_back("l00|b>" + chapter.numeral + "|n> ");
        for (std::size_t p = 0; p < chapter.paragraphs.size(); ++p) {
            out.push_back("p" + threeDigits(marker++) + " ");
            if (p == 0) out.push_back("l00|p> ");
            const Paragraph& paragraph = chapter.paragraphs[p];
            for (std::size_t s = 0; s < paragraph.sentences.size(); ++s) {
                if (s > 0) out.push_back("s000 ");
                for (std::string& line : sentenceLines(paragraph.sentences[s].words, layouts[next]))
                    out.push_back(std::move(line));
                ++next;
            }
        }
    }
    if (book.hasClosing) {
        out.push_back("p" + threeDigits(marker++) + " ");
        out.push_back("l" + twoDigits(kClosingIndent) + book.closing + " ");
    }
    out.push_back("p" + threeDigits(marker));
    return out;
}

} // namespace cadenzo::format
