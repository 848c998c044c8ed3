#include "formatter.h"

#include "cascade.h"
#include "line_breaker.h"

namespace cadenzo::format {

namespace {

// Most phrase lines between two markers in a book of the usual shape.
constexpr int kMaxLinesBetweenMarkers = 33;

} // namespace

PreparedText prepareText(const Manuscript& book) {
    PreparedText text;
    for (std::size_t c = 0; c < book.chapters.size(); ++c) {
        const Chapter& chapter = book.chapters[c];
        for (std::size_t p = 0; p < chapter.paragraphs.size(); ++p) {
            const Paragraph& paragraph = chapter.paragraphs[p];
            for (std::size_t s = 0; s < paragraph.sentences.size(); ++s) {
                SentenceEntry entry;
                entry.chapter = static_cast<int>(c);
                entry.sourceLine = paragraph.sourceLine;
                entry.firstInChapter = p == 0 && s == 0;
                entry.lastInChapter =
                    p + 1 == chapter.paragraphs.size() && s + 1 == paragraph.sentences.size();
                entry.lastChapter = c + 1 == book.chapters.size();
                if (entry.lastInChapter && !entry.lastChapter)
                    entry.nextOpeningLines = openingLines(book.chapters[c + 1]);
                entry.sentence = &paragraph.sentences[s];
                for (const std::string& word : paragraph.sentences[s].words)
                    entry.words.push_back(describeWord(word));
                text.lexicon.addSentence(entry.words);
                text.sentences.push_back(std::move(entry));
            }
        }
    }
    return text;
}

int linesBesideSentence(const SentenceEntry& entry) {
    int lines = entry.firstInChapter ? 1 : 0;
    if (entry.lastInChapter && !entry.lastChapter) lines += entry.nextOpeningLines;
    return lines;
}

std::vector<std::string> formatBook(const Manuscript& book) {
    const PreparedText text = prepareText(book);
    std::vector<SentenceLayout> layouts;
    layouts.reserve(text.sentences.size());
    for (std::size_t i = 0; i < text.sentences.size(); ++i) {
        const SentenceEntry& entry = text.sentences[i];
        const int room = kMaxLinesBetweenMarkers - linesBesideSentence(entry);
        const SentenceBreaker breaker(entry.words, room, true);
        if (breaker.minLines() > breaker.maxLines())
            throw FormatError("line " + std::to_string(entry.sourceLine) +
                              ": a sentence of this paragraph is too long: it needs more than " +
                              std::to_string(room) + " phrase lines");
        SentenceLayout layout;
        layout.lineStarts = breaker.breakInto(breaker.bestLines());
        layout.indents = cascadeIndents(entry.words, layout.lineStarts);
        const auto candidates = sentenceCandidates(entry.words, layout.lineStarts, text.lexicon, 0,
                                                   !entry.firstInChapter);
        layout.highlights = naturalHighlights(candidates, static_cast<int>(entry.words.size()),
                                              static_cast<int>(layout.lineStarts.size()));
        layouts.push_back(std::move(layout));
    }
    return writeBook(book, layouts);
}

} // namespace cadenzo::format
