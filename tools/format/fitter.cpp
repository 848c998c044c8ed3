// Fitting a manuscript to a target shape. Each sentence is priced for every
// line count it can take (SentenceBreaker); per chapter, a dynamic programme
// over the sentences picks the counts of lowest total price that fill the
// chapter's phrase lines exactly and keep every marker where the shape's
// page-break pins want one and away from where they forbid one. Highlights are
// then chosen over the whole book to the shape's counts.
#include "cascade.h"
#include "formatter.h"
#include "line_breaker.h"

#include <algorithm>
#include <cstdint>

namespace cadenzo::format {

namespace {

constexpr int kTitleLines = 3;                // title, author, year
constexpr int kChapterOpeningLines = 4;       // anchor, number, first marker, "|p>"
constexpr int kFirstAnchor = 1 + kTitleLines; // after the banner and the title block

std::string roman(const Manuscript& book, std::size_t chapter) { return "chapter " + book.chapters[chapter].numeral; }

std::string firstWords(const Sentence& sentence) {
    const std::vector<std::string> words = sentence.words();
    std::string out;
    for (std::size_t i = 0; i < words.size() && i < 6; ++i) out += (i ? " " : "") + words[i];
    return out + (words.size() > 6 ? " ..." : "");
}

// What the fixed frame of the book puts at each stored line: the banner and
// phrase lines of the title block and chapter openings, markers, or the
// sentences' own area (free).
enum class Slot : char { Free, Phrase, Marker, Banner };

struct ChapterPlan {
    std::size_t firstSentence = 0;
    std::size_t sentenceCount = 0;
    int firstLine = 0;   // stored index of the chapter's first sentence line
    int phraseLines = 0; // lines its sentences must fill
};

class Fitter {
  public:
    Fitter(const Manuscript& book, const Shape& shape) : book_(book), shape_(shape), text_(prepareText(book)) {}

    std::vector<std::string> run() {
        checkFrame();
        priceSentences();
        planChapters();
        placePins();
        std::vector<int> counts(text_.sentences.size(), 0);
        for (std::size_t c = 0; c < plans_.size(); ++c) fitChapter(c, counts);
        auto layouts = layOut(counts);
        auto lines = writeBook(book_, [&](std::size_t i) { return std::move(layouts.at(i)); });
        verify(lines);
        return lines;
    }

  private:
    // The text's chapters and paragraphs against the shape's anchors and markers.
    void checkFrame() {
        const std::size_t chapters = book_.chapters.size();
        if (shape_.anchors.size() != chapters)
            throw FormatError("cannot meet the shape's " + std::to_string(shape_.anchors.size()) +
                              " chapter anchors: the text has " + std::to_string(chapters) + " chapters");
        if (shape_.anchors.front() != kFirstAnchor)
            throw FormatError("cannot meet the first anchor at line " + std::to_string(shape_.anchors.front()) +
                              ": after the banner and the title block it stands at line " +
                              std::to_string(kFirstAnchor));
        int paragraphs = 0;
        int sentences = 0;
        for (std::size_t c = 0; c < chapters; ++c) {
            if (!shape_.firstParagraphMarkers.empty() && shape_.firstParagraphMarkers[c] != paragraphs)
                throw FormatError("cannot meet the first paragraph marker p" +
                                  std::to_string(shape_.firstParagraphMarkers[c]) + " of " + roman(book_, c) +
                                  ": the chapters before it have " + std::to_string(paragraphs) + " paragraphs");
            for (const Paragraph& paragraph : book_.chapters[c].paragraphs) {
                ++paragraphs;
                sentences += static_cast<int>(paragraph.sentences.size());
            }
        }
        if (shape_.sentenceMarkers >= 0 && shape_.sentenceMarkers != sentences - paragraphs)
            throw FormatError("cannot meet " + std::to_string(shape_.sentenceMarkers) +
                              " sentence markers: the text's " + std::to_string(sentences) + " sentences in " +
                              std::to_string(paragraphs) + " paragraphs give " +
                              std::to_string(sentences - paragraphs));
    }

    void priceSentences() {
        breakers_.reserve(text_.sentences.size());
        for (const SentenceEntry& entry : text_.sentences) {
            const int room = shape_.maxLinesBetweenMarkers - linesBesideSentence(entry);
            if (room < 1)
                throw FormatError("cannot meet at most " + std::to_string(shape_.maxLinesBetweenMarkers) +
                                  " lines between markers: a chapter's heading lines alone take more");
            breakers_.emplace_back(entry.words, room);
            if (breakers_.back().minLines() > breakers_.back().maxLines())
                throw FormatError("cannot meet at most " + std::to_string(shape_.maxLinesBetweenMarkers) +
                                  " lines between markers: the sentence \"" + firstWords(*entry.sentence) +
                                  "\" (paragraph at line " + std::to_string(entry.sourceLine) + ") needs more");
        }
    }

    void planChapters() {
        const std::size_t chapters = book_.chapters.size();
        std::size_t sentence = 0;
        int phraseLines = kTitleLines;
        for (std::size_t c = 0; c < chapters; ++c) {
            const Chapter& chapter = book_.chapters[c];
            const bool last = c + 1 == chapters;
            ChapterPlan plan;
            plan.firstSentence = sentence;
            for (const Paragraph& paragraph : chapter.paragraphs) plan.sentenceCount += paragraph.sentences.size();
            const int anchor = shape_.anchors[c];
            const int next = last ? shape_.lines : shape_.anchors[c + 1];
            const int sentences = static_cast<int>(plan.sentenceCount);
            // One marker between consecutive sentences; the book's end adds its own lines.
            const int closingLines = last ? (book_.hasClosing ? 3 : 1) : 0;
            plan.firstLine = anchor + kChapterOpeningLines;
            plan.phraseLines = next - anchor - kChapterOpeningLines - (sentences - 1) - closingLines;

            int fewest = 0;
            int most = 0;
            for (std::size_t i = sentence; i < sentence + plan.sentenceCount; ++i) {
                fewest += breakers_[i].minLines();
                most += breakers_[i].maxLines();
            }
            if (plan.phraseLines < fewest || plan.phraseLines > most)
                throw FormatError("cannot meet " + roman(book_, c) + "'s " + std::to_string(next - anchor) +
                                  " lines (anchor at line " + std::to_string(anchor) + "): its sentences would need " +
                                  std::to_string(plan.phraseLines) + " phrase lines and can fill from " +
                                  std::to_string(fewest) + " to " + std::to_string(most));
            phraseLines += 3 + plan.phraseLines; // anchor, number and "|p>" lines
            sentence += plan.sentenceCount;
            plans_.push_back(plan);
        }
        if (book_.hasClosing) ++phraseLines;
        if (shape_.phraseLines >= 0 && shape_.phraseLines != phraseLines)
            throw FormatError("cannot meet " + std::to_string(shape_.phraseLines) +
                              " phrase lines: with these anchors the book has " + std::to_string(phraseLines));
    }

    // The frame's lines, then each pin against them; pins on free lines go to the chapter fit.
    void placePins() {
        const auto size = static_cast<std::size_t>(shape_.lines);
        // planChapters has left room for each chapter's opening and the book's end.
        if (size < 4 + static_cast<std::size_t>(kTitleLines) ||
            std::any_of(shape_.anchors.begin(), shape_.anchors.end(),
                        [&](int anchor) { return anchor < 0 || static_cast<std::size_t>(anchor) + 3 >= size; }))
            throw std::logic_error("the book's frame does not fit its lines");
        std::vector<Slot> slots(size, Slot::Free);
        slots[0] = Slot::Banner;
        for (int i = 1; i <= kTitleLines; ++i) slots[static_cast<std::size_t>(i)] = Slot::Phrase;
        for (int anchor : shape_.anchors) {
            slots[static_cast<std::size_t>(anchor)] = Slot::Phrase;
            slots[static_cast<std::size_t>(anchor) + 1] = Slot::Phrase;
            slots[static_cast<std::size_t>(anchor) + 2] = Slot::Marker;
            slots[static_cast<std::size_t>(anchor) + 3] = Slot::Phrase;
        }
        slots[size - 1] = Slot::Marker;
        if (book_.hasClosing) {
            slots[size - 2] = Slot::Phrase;
            slots[size - 3] = Slot::Marker;
        }

        wanted_.assign(size + 1, 0);
        banned_.assign(size, false);
        auto storedIndex = [&](int reader) {
            const int stored = reader + 1;
            if (stored < 1 || stored >= shape_.lines)
                throw FormatError("cannot meet a pin at reader line " + std::to_string(reader) +
                                  ": the book's reader lines run from 0 to " + std::to_string(shape_.lines - 2));
            return static_cast<std::size_t>(stored);
        };
        for (int reader : shape_.markerAt) {
            const std::size_t s = storedIndex(reader);
            if (slots[s] == Slot::Phrase)
                throw FormatError("cannot meet a marker at reader line " + std::to_string(reader) +
                                  ": the title block or a chapter opening stands there");
            if (slots[s] == Slot::Free) wanted_[s + 1] = 1;
        }
        for (int reader : shape_.noMarkerAt) {
            const std::size_t s = storedIndex(reader);
            if (slots[s] == Slot::Marker)
                throw FormatError("cannot keep markers away from reader line " + std::to_string(reader) +
                                  ": a chapter's or the book's end marker "
                                  "stands there");
            banned_[s] = true;
        }
        // wanted_[i]: pinned markers among stored lines [0, i).
        for (std::size_t i = 1; i <= size; ++i) wanted_[i] += wanted_[i - 1];
    }

    bool spanHoldsWantedMarker(int first, int end) const {
        return wanted_[static_cast<std::size_t>(end)] - wanted_[static_cast<std::size_t>(first)] > 0;
    }

    void fitChapter(std::size_t chapter, std::vector<int>& counts) {
        const ChapterPlan& plan = plans_[chapter];
        const std::size_t m = plan.sentenceCount;
        const auto width = static_cast<std::size_t>(plan.phraseLines) + 1;
        std::vector<Cost> row(width, kInfeasible);
        std::vector<std::vector<std::int16_t>> choice(m, std::vector<std::int16_t>(width, 0));
        row[0] = 0;
        std::size_t reached = 0; // sentences that could all be placed
        for (std::size_t j = 0; j < m; ++j) {
            const std::size_t g = plan.firstSentence + j;
            const SentenceBreaker& breaker = breakers_[g];
            const SentenceEntry& entry = text_.sentences[g];
            const bool markerAfter = !(entry.lastInChapter && !entry.lastChapter);
            std::vector<Cost> next(width, kInfeasible);
            bool any = false;
            for (std::size_t t = 0; t < width; ++t) {
                if (row[t] >= kInfeasible) continue;
                const int start = plan.firstLine + static_cast<int>(t) + static_cast<int>(j);
                for (int k = breaker.minLines(); k <= breaker.maxLines(); ++k) {
                    const std::size_t total = t + static_cast<std::size_t>(k);
                    if (total >= width) break;
                    if (spanHoldsWantedMarker(start, start + k)) break;
                    if (markerAfter && banned_[static_cast<std::size_t>(start + k)]) continue;
                    const Cost c = row[t] + breaker.cost(k);
                    if (c < next[total]) {
                        next[total] = c;
                        choice[j][total] = static_cast<std::int16_t>(k);
                        any = true;
                    }
                }
            }
            if (!any) break;
            reached = j + 1;
            row = std::move(next);
        }
        if (reached < m || row[width - 1] >= kInfeasible) explainMiss(chapter, reached, row);

        std::size_t total = width - 1;
        for (std::size_t j = m; j-- > 0;) {
            const int k = choice[j][total];
            counts[plan.firstSentence + j] = k;
            total -= static_cast<std::size_t>(k);
        }
    }

    // Line counts the pins leave sentence `j` of the chapter, from every place
    // the sentences before it can bring it to (`row`), as "reader line: counts".
    std::string pinnedCounts(const ChapterPlan& plan, std::size_t j, const std::vector<Cost>& row) const {
        const SentenceEntry& entry = text_.sentences[plan.firstSentence + j];
        const bool markerAfter = !(entry.lastInChapter && !entry.lastChapter);
        std::string out;
        for (std::size_t t = 0; t < row.size(); ++t) {
            if (row[t] >= kInfeasible) continue;
            const int start = plan.firstLine + static_cast<int>(t) + static_cast<int>(j);
            std::string counts;
            for (int k = 1; k <= shape_.maxLinesBetweenMarkers; ++k) {
                if (start + k >= shape_.lines || spanHoldsWantedMarker(start, start + k)) break;
                if (markerAfter && banned_[static_cast<std::size_t>(start + k)]) continue;
                counts += (counts.empty() ? "" : " ") + std::to_string(k);
            }
            out += (out.empty() ? "" : "; ") + std::string("from reader line ") + std::to_string(start - 1) + ": " +
                   (counts.empty() ? "none" : counts);
        }
        return out;
    }

    [[noreturn]] void explainMiss(std::size_t chapter, std::size_t reached, const std::vector<Cost>& row) const {
        const ChapterPlan& plan = plans_[chapter];
        if (reached < plan.sentenceCount) {
            const std::size_t g = plan.firstSentence + reached;
            const SentenceEntry& entry = text_.sentences[g];
            throw FormatError("cannot meet the page-break pins in " + roman(book_, chapter) + ": its sentence " +
                              std::to_string(reached + 1) + " (\"" + firstWords(*entry.sentence) +
                              "\", paragraph at line " + std::to_string(entry.sourceLine) + ") can fill " +
                              std::to_string(breakers_[g].minLines()) + " to " +
                              std::to_string(breakers_[g].maxLines()) +
                              " lines, but after the sentences before it the pins leave it these line counts: " +
                              pinnedCounts(plan, reached, row));
        }
        throw FormatError("cannot meet " + roman(book_, chapter) + "'s " + std::to_string(plan.phraseLines) +
                          " phrase lines together with the page-break pins");
    }

    std::vector<SentenceLayout> layOut(const std::vector<int>& counts) const {
        std::vector<SentenceLayout> layouts(text_.sentences.size());
        std::vector<Candidate> candidates;
        std::vector<SentenceShape> shapes;
        shapes.reserve(text_.sentences.size());
        for (std::size_t i = 0; i < text_.sentences.size(); ++i) {
            const SentenceEntry& entry = text_.sentences[i];
            SentenceLayout& layout = layouts[i];
            layout.lineStarts = breakers_[i].breakInto(counts[i]);
            layout.indents = cascadeIndents(entry.words, layout.lineStarts);
            auto found = sentenceCandidates(entry.words, layout.lineStarts, text_.lexicon, static_cast<int>(i),
                                            !entry.firstInChapter);
            candidates.insert(candidates.end(), found.begin(), found.end());
            shapes.push_back(SentenceShape{static_cast<int>(entry.words.size()), counts[i]});
        }
        auto chosen = quotaHighlights(candidates, shapes, shape_.highlights);
        for (std::size_t i = 0; i < layouts.size() && i < chosen.size(); ++i)
            layouts[i].highlights = std::move(chosen[i]);
        return layouts;
    }

    // The frame is built to the shape; a mismatch here is a fault of this tool.
    void verify(const std::vector<std::string>& lines) const {
        if (static_cast<int>(lines.size()) != shape_.lines)
            throw std::logic_error("fitted book has " + std::to_string(lines.size()) + " lines");
        for (std::size_t c = 0; c < shape_.anchors.size(); ++c) {
            const auto at = static_cast<std::size_t>(shape_.anchors[c]);
            if (at >= lines.size() || lines[at].rfind("l00|refpt", 0) != 0)
                throw std::logic_error("fitted book misplaces anchor " + std::to_string(c + 1));
        }
    }

    const Manuscript& book_;
    const Shape& shape_;
    const PreparedText text_;
    std::vector<SentenceBreaker> breakers_;
    std::vector<ChapterPlan> plans_;
    std::vector<int> wanted_;
    std::vector<bool> banned_;
};

} // namespace

std::vector<std::string> fitBook(const Manuscript& book, const Shape& shape) { return Fitter(book, shape).run(); }

} // namespace cadenzo::format
