#include "formatter.h"

#include "cascade.h"
#include "line_breaker.h"

#include <stdexcept>
#include <string_view>
#include <unordered_map>

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
                entry.lastInChapter = p + 1 == chapter.paragraphs.size() && s + 1 == paragraph.sentences.size();
                entry.lastChapter = c + 1 == book.chapters.size();
                if (entry.lastInChapter && !entry.lastChapter)
                    entry.nextOpeningLines = openingLines(book.chapters[c + 1]);
                entry.sentence = &paragraph.sentences[s];
                for (std::string_view word : splitFields(paragraph.sentences[s].text))
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
    // The whole book's words first, for the names and how often each word
    // occurs; then each sentence is described again and laid out as the
    // writer reaches it, so no sentence's words are kept longer than that.
    BookLexicon lexicon;
    std::vector<WordInfo> words;
    std::vector<std::string_view> texts;
    // A word is described by its text alone, so each distinct word once; the
    // keys are views into the book's sentences, which outlive this call.
    std::unordered_map<std::string_view, WordInfo> described;
    auto describe = [&words, &texts, &described](const Sentence& sentence) {
        words.clear();
        texts.clear();
        const std::string_view text = sentence.text;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find(' ', pos);
            if (end == std::string_view::npos) end = text.size();
            if (end > pos) {
                const std::string_view word = text.substr(pos, end - pos);
                auto [found, added] = described.try_emplace(word);
                if (added) found->second = describeWord(word);
                words.push_back(found->second);
                texts.push_back(word);
            }
            pos = end + 1;
        }
    };
    for (const Chapter& chapter : book.chapters)
        for (const Paragraph& paragraph : chapter.paragraphs)
            for (const Sentence& sentence : paragraph.sentences) {
                describe(sentence);
                lexicon.addSentence(words);
            }

    std::size_t chapter = 0, paragraph = 0, sentence = 0;
    return writeBook(book, [&](std::size_t) {
        // The writer asks in book order; find where this sentence stands.
        while (chapter < book.chapters.size() &&
               (paragraph >= book.chapters[chapter].paragraphs.size() ||
                sentence >= book.chapters[chapter].paragraphs[paragraph].sentences.size())) {
            if (paragraph < book.chapters[chapter].paragraphs.size() &&
                sentence >= book.chapters[chapter].paragraphs[paragraph].sentences.size()) {
                ++paragraph;
                sentence = 0;
            } else {
                ++chapter;
                paragraph = 0;
                sentence = 0;
            }
        }
        if (chapter >= book.chapters.size()) throw std::logic_error("more layouts asked than sentences");
        const Chapter& c = book.chapters[chapter];
        const Paragraph& p = c.paragraphs[paragraph];
        SentenceEntry entry;
        entry.chapter = static_cast<int>(chapter);
        entry.sourceLine = p.sourceLine;
        entry.firstInChapter = paragraph == 0 && sentence == 0;
        entry.lastInChapter = paragraph + 1 == c.paragraphs.size() && sentence + 1 == p.sentences.size();
        entry.lastChapter = chapter + 1 == book.chapters.size();
        if (entry.lastInChapter && !entry.lastChapter)
            entry.nextOpeningLines = openingLines(book.chapters[chapter + 1]);
        describe(p.sentences[sentence]);
        ++sentence;

        const int room = kMaxLinesBetweenMarkers - linesBesideSentence(entry);
        const SentenceBreaker breaker(words, room, true);
        if (breaker.minLines() > breaker.maxLines())
            throw FormatError("line " + std::to_string(entry.sourceLine) +
                              ": a sentence of this paragraph is too long: it needs more than " + std::to_string(room) +
                              " phrase lines");
        SentenceLayout layout;
        layout.lineStarts = breaker.breakInto(breaker.bestLines());
        layout.indents = cascadeIndents(words, layout.lineStarts);
        const auto candidates = sentenceCandidates(words, layout.lineStarts, lexicon, 0, !entry.firstInChapter);
        layout.highlights =
            naturalHighlights(candidates, static_cast<int>(words.size()), static_cast<int>(layout.lineStarts.size()));
        layout.words = texts;
        return layout;
    });
}

} // namespace cadenzo::format
