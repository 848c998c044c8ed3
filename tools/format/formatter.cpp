#include "formatter.h"

#include "cascade.h"
#include "line_breaker.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace cadenzo::format {

namespace {

// Most phrase lines between two markers in a book of the usual shape.
constexpr int kMaxLinesBetweenMarkers = 33;

// Where sentence s of paragraph p of chapter c stands in the book; the
// positions lie inside the book.
SentenceEntry entryAt(const Manuscript& book, std::size_t c, std::size_t p, std::size_t s) {
    const Chapter& chapter = book.chapters[c];
    const Paragraph& paragraph = chapter.paragraphs[p];
    SentenceEntry entry;
    entry.chapter = static_cast<int>(c);
    entry.sourceLine = paragraph.sourceLine;
    entry.firstInChapter = p == 0 && s == 0;
    entry.lastInChapter = p + 1 == chapter.paragraphs.size() && s + 1 == paragraph.sentences.size();
    entry.lastChapter = c + 1 == book.chapters.size();
    if (entry.lastInChapter && !entry.lastChapter) entry.nextOpeningLines = openingLines(book.chapters[c + 1]);
    entry.sentence = &paragraph.sentences[s];
    return entry;
}

// The words of one sentence at a time, each distinct word described once: a
// word is described by its text alone. The keys are views into the book's
// sentences, which outlive the describer.
class SentenceDescriber {
  public:
    void describe(const Sentence& sentence) {
        words_.clear();
        texts_.clear();
        const std::string_view text = sentence.text;
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find(' ', pos);
            if (end == std::string_view::npos) end = text.size();
            if (end > pos) {
                const std::string_view word = text.substr(pos, end - pos);
                auto [found, added] = described_.try_emplace(word);
                if (added) found->second = describeWord(word);
                words_.push_back(found->second);
                texts_.push_back(word);
            }
            pos = end + 1;
        }
    }

    const std::vector<WordInfo>& words() const { return words_; }
    const std::vector<std::string_view>& texts() const { return texts_; }

  private:
    std::vector<WordInfo> words_;
    std::vector<std::string_view> texts_;
    std::unordered_map<std::string_view, WordInfo> described_;
};

// The sentences of the book in order, as the writer asks for them.
class SentenceCursor {
  public:
    explicit SentenceCursor(const Manuscript& book) : book_(book) {}

    SentenceEntry next() {
        const auto& chapters = book_.chapters;
        while (chapter_ < chapters.size() &&
               (paragraph_ >= chapters[chapter_].paragraphs.size() ||
                sentence_ >= chapters[chapter_].paragraphs[paragraph_].sentences.size())) {
            if (paragraph_ < chapters[chapter_].paragraphs.size()) {
                ++paragraph_;
            } else {
                ++chapter_;
                paragraph_ = 0;
            }
            sentence_ = 0;
        }
        if (chapter_ >= chapters.size()) throw std::logic_error("more layouts asked than sentences");
        return entryAt(book_, chapter_, paragraph_, sentence_++);
    }

  private:
    const Manuscript& book_;
    std::size_t chapter_ = 0, paragraph_ = 0, sentence_ = 0;
};

// The natural layout of one described sentence: its best breaking into
// lines, the cascade and the highlights the words call for.
SentenceLayout layOut(const SentenceEntry& entry, const SentenceDescriber& sentence, const BookLexicon& lexicon) {
    const std::vector<WordInfo>& words = sentence.words();
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
    layout.words = sentence.texts();
    return layout;
}

// A book of this many sentences is laid out on two threads.
constexpr std::size_t kParallelFrom = 4096;
constexpr std::size_t kBatchSentences = 2048;
// Sentences between two progress reports.
constexpr std::size_t kProgressEvery = 512;

// Sentence layouts made a batch at a time, the batch's first half on this
// thread and its second half beside it, each half with a describer of its
// own; the lexicon is only read. A sentence's layout depends on nothing but
// the sentence and the lexicon, so the book is the same as laid out in one
// thread, and the first error in book order is the one raised.
class BatchLayouts {
  public:
    BatchLayouts(SentenceCursor& cursor, std::size_t total, const BookLexicon& lexicon, SentenceDescriber& describer)
        : cursor_(cursor), total_(total), lexicon_(lexicon), describer_(describer) {}

    SentenceLayout at(std::size_t index) {
        if (index < first_ || index >= first_ + layouts_.size()) fill(index);
        return std::move(layouts_.at(index - first_));
    }

  private:
    void fill(std::size_t index) {
        first_ = index;
        entries_.clear();
        const std::size_t count = index < total_ ? std::min(kBatchSentences, total_ - index) : 0;
        for (std::size_t i = 0; i < count; ++i) entries_.push_back(cursor_.next());
        layouts_.assign(entries_.size(), SentenceLayout{});
        const std::size_t half = entries_.size() / 2;
        std::exception_ptr laterError;
        std::thread beside([this, half, &laterError] {
            try {
                layOutRange(half, entries_.size(), besideDescriber_);
            } catch (...) {
                laterError = std::current_exception();
            }
        });
        std::exception_ptr firstError;
        try {
            layOutRange(0, half, describer_);
        } catch (...) {
            firstError = std::current_exception();
        }
        beside.join();
        if (firstError) std::rethrow_exception(firstError);
        if (laterError) std::rethrow_exception(laterError);
    }

    void layOutRange(std::size_t from, std::size_t to, SentenceDescriber& describer) {
        for (std::size_t i = from; i < to; ++i) {
            describer.describe(*entries_[i].sentence);
            layouts_[i] = layOut(entries_[i], describer, lexicon_);
        }
    }

    SentenceCursor& cursor_;
    std::size_t total_; // sentences in the book
    const BookLexicon& lexicon_;
    SentenceDescriber& describer_;
    SentenceDescriber besideDescriber_;
    std::vector<SentenceEntry> entries_;
    std::vector<SentenceLayout> layouts_;
    std::size_t first_ = 0;
};

} // namespace

PreparedText prepareText(const Manuscript& book) {
    PreparedText text;
    for (std::size_t c = 0; c < book.chapters.size(); ++c) {
        const Chapter& chapter = book.chapters[c];
        for (std::size_t p = 0; p < chapter.paragraphs.size(); ++p) {
            const Paragraph& paragraph = chapter.paragraphs[p];
            for (std::size_t s = 0; s < paragraph.sentences.size(); ++s) {
                SentenceEntry entry = entryAt(book, c, p, s);
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

std::vector<std::string> formatBook(const Manuscript& book, bool besideThread, const LayoutWatch& watch) {
    const std::size_t sentences = sentenceCount(book);
    const auto& progress = watch.progress;
    // Every so many sentences: the word pass is the first third of the work.
    const auto report = [&progress, sentences](std::size_t done, bool wordPass) {
        if (!progress || done % kProgressEvery != 0 || sentences == 0) return;
        const double part = static_cast<double>(done) / static_cast<double>(sentences);
        progress(wordPass ? part / 3 : 1.0 / 3 + part * 2 / 3);
    };

    // The whole book's words first, for the names and how often each word
    // occurs; then each sentence is described again and laid out as the
    // writer reaches it, so no sentence's words are kept longer than that.
    BookLexicon lexicon;
    SentenceDescriber describer;
    std::size_t described = 0;
    for (const Chapter& chapter : book.chapters)
        for (const Paragraph& paragraph : chapter.paragraphs)
            for (const Sentence& sentence : paragraph.sentences) {
                describer.describe(sentence);
                lexicon.addSentence(describer.words());
                report(++described, true);
            }
    SentenceCursor cursor(book);
    bool firstPartDue = sentences >= kFirstPartFromSentences;
    const auto written = [&watch, &firstPartDue](const std::vector<std::string>& lines) {
        if (!firstPartDue || !watch.firstPart || lines.size() < kFirstPartLines) return;
        firstPartDue = false;
        watch.firstPart(lines);
    };
    std::vector<std::string> lines;
    if (!besideThread || sentences < kParallelFrom || std::thread::hardware_concurrency() < 2) {
        lines = writeBook(
            book,
            [&](std::size_t index) {
                report(index, false);
                const SentenceEntry entry = cursor.next();
                describer.describe(*entry.sentence);
                return layOut(entry, describer, lexicon);
            },
            written);
    } else {
        BatchLayouts batches(cursor, sentences, lexicon, describer);
        lines = writeBook(
            book,
            [&batches, &report](std::size_t index) {
                report(index, false);
                return batches.at(index);
            },
            written);
    }
    if (progress) progress(1.0);
    return lines;
}

} // namespace cadenzo::format
