#include "book_writer.h"

#include "lexicon.h"

#include "base/unicode.h"

#include <stdexcept>

namespace cadenzo::format {

namespace {

// "p999" is the marker the reader appends after every book; the book's own
// decimal markers stop below it.
constexpr std::size_t kDecimalMarkers = 999;
// Base-36 numbers from "a00" (10 * 36 * 36) to "zzz" (36^3 - 1).
constexpr std::size_t kFirstLettered = 10 * 36 * 36;
constexpr std::size_t kLettered = 36 * 36 * 36 - kFirstLettered;
constexpr int kClosingIndent = 27;

// Zero-padded decimal; the callers keep values within the width.
std::string padded(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string twoDigits(int value) { return padded(value, 2); }

std::string threeDigits(int value) { return padded(value, 3); }

std::string colourTag(Colour colour) { return std::string("|") + colourCode(colour) + ">"; }

const std::string kCloseTag = "|4>";

} // namespace

std::string bannerLine(const Manuscript& book) {
    std::string owner = book.year;
    if (!book.author.empty()) owner += (owner.empty() ? "" : " ") + book.author;
    return "Tidal Type(R) phrase-formatted text. Pat. pend. (C) " + owner + (owner.empty() ? "" : ". ") +
           "All rights reserved.";
}

std::string paragraphMarker(std::size_t number) {
    if (number < kDecimalMarkers) return "p" + threeDigits(static_cast<int>(number));
    std::size_t value = kFirstLettered + (number - kDecimalMarkers) % kLettered;
    std::string out = "p000";
    for (std::size_t i = 3; i >= 1; --i) {
        out[i] = "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36];
        value /= 36;
    }
    return out;
}

std::vector<std::string> titlePieces(const std::string& title) {
    std::vector<std::string> pieces;
    std::string line;
    std::size_t lineCharacters = 0;
    std::size_t pos = 0;
    while (pos < title.size()) {
        while (pos < title.size() && title[pos] == ' ') ++pos;
        std::size_t end = title.find(' ', pos);
        if (end == std::string::npos) end = title.size();
        std::string_view word(title.data() + pos, end - pos);
        pos = end;
        while (!word.empty()) {
            const std::size_t wordCharacters = text::characterCount(word);
            const std::size_t need = lineCharacters + (line.empty() ? 0 : 1) + wordCharacters;
            if (need <= static_cast<std::size_t>(kMaxPhraseLength)) {
                if (!line.empty()) line += ' ';
                line += word;
                lineCharacters = need;
                word = {};
            } else if (!line.empty()) {
                pieces.push_back(std::move(line));
                line.clear();
                lineCharacters = 0;
            } else {
                const std::size_t cut = text::bytesOfCharacters(word, kMaxPhraseLength);
                pieces.emplace_back(word.substr(0, cut));
                word.remove_prefix(cut);
            }
        }
    }
    if (!line.empty()) pieces.push_back(std::move(line));
    return pieces;
}

int openingLines(const Chapter& chapter) {
    return 1 + (chapter.numeral.empty() ? 0 : 1) + static_cast<int>(titlePieces(chapter.title).size());
}

std::vector<std::string> sentenceLines(const std::vector<std::string>& words, const SentenceLayout& layout) {
    return sentenceLines(std::vector<std::string_view>(words.begin(), words.end()), layout);
}

std::vector<std::string> sentenceLines(const std::vector<std::string_view>& words, const SentenceLayout& layout) {
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
        const std::size_t end = line + 1 < lines ? static_cast<std::size_t>(layout.lineStarts[line + 1]) : n;
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
            const std::string_view word = words[w];
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

std::string chapterAnchor(std::size_t index) { return "refpt" + threeDigits(static_cast<int>(index) + 1); }

std::vector<std::string> writeBook(const Manuscript& book, const LayoutOf& layoutOf, const LinesWritten& written) {
    std::size_t paragraphs = 0;
    for (const Chapter& chapter : book.chapters) paragraphs += chapter.paragraphs.size();
    const std::size_t sentences = sentenceCount(book);
    if (book.chapters.size() > kMaxChapters)
        throw FormatError("the book has " + std::to_string(book.chapters.size()) +
                          " chapters; chapter anchors can number at most " + std::to_string(kMaxChapters));

    std::vector<std::string> out;
    out.push_back(bannerLine(book));
    out.reserve(sentences * 5 + paragraphs + book.chapters.size() * 6 + 8);
    out.push_back("l00|b>" + book.title + (book.author.empty() ? "  " : ", by  "));
    out.push_back("l08" + book.author + "  ");
    // Without a year the line holds only the tag that ends the bold, so it stands at 00.
    out.push_back(book.year.empty() ? std::string("l00|n> ") : "l08[" + book.year + "]|n> ");

    std::size_t marker = 0;
    std::size_t next = 0;
    for (std::size_t c = 0; c < book.chapters.size(); ++c) {
        const Chapter& chapter = book.chapters[c];
        out.push_back("l00|" + chapterAnchor(c) + "> ");
        if (!chapter.numeral.empty()) out.push_back("l00|b>" + chapter.numeral + "|n> ");
        for (const std::string& piece : titlePieces(chapter.title)) out.push_back("l00|b>" + piece + "|n> ");
        for (std::size_t p = 0; p < chapter.paragraphs.size(); ++p) {
            out.push_back(paragraphMarker(marker++) + " ");
            if (p == 0) out.push_back("l00|p> ");
            const Paragraph& paragraph = chapter.paragraphs[p];
            for (std::size_t s = 0; s < paragraph.sentences.size(); ++s) {
                if (s > 0) out.push_back("s000 ");
                const Sentence& sentence = paragraph.sentences[s];
                const SentenceLayout layout = layoutOf(next);
                const std::vector<std::string_view> split =
                    layout.words.empty() ? splitFields(sentence.text) : std::vector<std::string_view>();
                for (std::string& line : sentenceLines(layout.words.empty() ? split : layout.words, layout))
                    out.push_back(std::move(line));
                if (written) written(out);
                ++next;
            }
        }
    }
    if (book.hasClosing) {
        out.push_back(paragraphMarker(marker++) + " ");
        out.push_back("l" + twoDigits(kClosingIndent) + book.closing + " ");
    }
    out.push_back(paragraphMarker(marker));
    return out;
}

} // namespace cadenzo::format
