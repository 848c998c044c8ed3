#include "line_breaker.h"

#include "manuscript.h"

#include <algorithm>

namespace cadenzo::format {

namespace {

// Prices of a breaking. Every line costs a little (kPerLine), lines far from
// the comfortable length cost more, and each break costs what it does to the
// phrase it falls in.
// In tenths of a character: the house style's lines average under twenty characters.
constexpr int kComfortableTenths = 186;
constexpr Cost kLoneWord = 30;      // a line of one word in a longer sentence
constexpr Cost kBreakAfterMark = 0; // after , ; : or a mid-sentence stop
constexpr Cost kBreakAtQuote = 2;   // at the edge of a quotation
constexpr Cost kBreakBeforeCoordinator = 3;
constexpr Cost kBreakBeforeSubordinator = 4;
constexpr Cost kBreakBeforePreposition = 5;
constexpr Cost kBreakInsidePhrase = 16;
constexpr Cost kBreakAfterBinder = 30;       // "the | sea", "of | the"
constexpr Cost kBreakAfterPreposition = 14;  // "a little after | four"
constexpr Cost kBreakAfterSubject = 24;      // "and she | went"
constexpr Cost kBreakAfterAuxiliary = 12;    // "she had | gone"
constexpr Cost kBreakAfterSubordinator = 20; // "so heavy that | it"
constexpr Cost kBreakInsideNumber = 16;      // "a hundred | and forty", "forty | miles"
constexpr Cost kBreakInsideName = 12;        // "Saltmarsh | Quay"
constexpr Cost kLineStartsWithName = 8;      // a name opening a line cannot carry a highlight

// The most words a line can hold: each word and its blank take two characters.
constexpr int kMostWords = (kMaxPhraseLength + 1) / 2;

bool isPronounI(const std::string& bare) { return bare == "i" || bare.rfind("i'", 0) == 0; }

} // namespace

SentenceBreaker::SentenceBreaker(const std::vector<WordInfo>& words, int maxLines, bool bestOnly) : words_(words) {
    const int n = static_cast<int>(words_.size());
    prefix_.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 0; i < n; ++i)
        prefix_[static_cast<std::size_t>(i) + 1] =
            prefix_[static_cast<std::size_t>(i)] + words_[static_cast<std::size_t>(i)].length;
    maxLines_ = std::clamp(maxLines, 1, std::max(n, 1));
    priceLineCounts(breakCostTable(), lineCostTable(), bestOnly);
    chooseLineCounts();
}

// The price of a break depends only on where it falls: priced once per word.
std::vector<Cost> SentenceBreaker::breakCostTable() const {
    const int n = wordCount();
    std::vector<Cost> breakBefore(static_cast<std::size_t>(n) + 1, 0);
    for (int i = 1; i < n; ++i) breakBefore[static_cast<std::size_t>(i)] = boundaryCost(i);
    return breakBefore;
}

// What a line costs depends only on its words: priced once for every line
// that fits. Each line end has kMostWords cells, the one-word line first;
// lines too long stay kInfeasible.
std::vector<Cost> SentenceBreaker::lineCostTable() const {
    const int n = wordCount();
    std::vector<Cost> costs((static_cast<std::size_t>(n) + 1) * kMostWords, kInfeasible);
    for (int end = 1; end <= n; ++end)
        for (int first = end - 1; first >= 0 && end - first <= kMostWords; --first) {
            if (lineLength(first, end) > kMaxPhraseLength) break;
            costs[static_cast<std::size_t>(end) * kMostWords + static_cast<std::size_t>(end - first - 1)] =
                lineCost(first, end);
        }
    return costs;
}

// The cheapest breaking of the first words into each number of lines. Rows
// are added as line counts are priced, so a search that stops early never
// fills the rest.
void SentenceBreaker::priceLineCounts(const std::vector<Cost>& breakBefore, const std::vector<Cost>& lineCosts,
                                      bool bestOnly) {
    const int n = wordCount();
    const auto width = static_cast<std::size_t>(n) + 1;
    const std::size_t rowsAhead = static_cast<std::size_t>(bestOnly ? std::min(maxLines_, 8) : maxLines_) + 1;
    best_.reserve(rowsAhead * width);
    from_.reserve(rowsAhead * width);
    best_.assign(width, kInfeasible);
    from_.assign(width, -1);
    best_[at(0, 0)] = 0;
    Cost lowest = kInfeasible;
    for (int k = 1; k <= maxLines_; ++k) {
        pricedLines_ = k;
        best_.resize((static_cast<std::size_t>(k) + 1) * width, kInfeasible);
        from_.resize(best_.size(), -1);
        Cost rowLowest = kInfeasible; // cheapest start for a further line
        for (int end = k; end <= n; ++end) {
            const Cost tail = breakBefore[static_cast<std::size_t>(end)];
            Cost& cell = best_[at(k, end)];
            int& from = from_[at(k, end)];
            const Cost* costs = &lineCosts[static_cast<std::size_t>(end) * kMostWords];
            for (int first = end - 1; first >= k - 1 && end - first <= kMostWords; --first) {
                const Cost line = costs[end - first - 1];
                if (line >= kInfeasible) break;
                const Cost before = best_[at(k - 1, first)];
                if (before >= kInfeasible) continue;
                const Cost total = before + line + tail;
                if (total < cell) {
                    cell = total;
                    from = first;
                }
            }
            if (end < n) rowLowest = std::min(rowLowest, cell);
        }
        lowest = std::min(lowest, best_[at(k, n)]);
        // Every later line count costs at least a start in this row and one
        // more line; when that cannot beat the cheapest found, stop.
        if (bestOnly && lowest < kInfeasible && (rowLowest >= kInfeasible || rowLowest + kPerLine >= lowest)) break;
    }
}

// The fewest lines that work and the cheapest number of lines.
void SentenceBreaker::chooseLineCounts() {
    minLines_ = 0;
    Cost lowest = kInfeasible;
    for (int k = 1; k <= pricedLines_; ++k) {
        const Cost c = cost(k);
        if (c >= kInfeasible) continue;
        if (minLines_ == 0) minLines_ = k;
        if (c < lowest) {
            lowest = c;
            bestLines_ = k;
        }
    }
    // Every word fits a line, so one word a line always works when the cap allows it.
    if (minLines_ == 0) {
        minLines_ = maxLines_ + 1;
        bestLines_ = maxLines_ + 1;
    }
}

Cost SentenceBreaker::cost(int lines) const {
    if (lines < 1 || lines > pricedLines_) return kInfeasible;
    return best_[at(lines, wordCount())];
}

std::vector<int> SentenceBreaker::breakInto(int lines) const {
    std::vector<int> starts;
    if (cost(lines) >= kInfeasible) return starts;
    starts.assign(static_cast<std::size_t>(lines), 0);
    int end = wordCount();
    for (int k = lines; k >= 1; --k) {
        const int first = from_[at(k, end)];
        starts[static_cast<std::size_t>(k) - 1] = first;
        end = first;
    }
    return starts;
}

int SentenceBreaker::lineLength(int first, int end) const {
    return prefix_[static_cast<std::size_t>(end)] - prefix_[static_cast<std::size_t>(first)] + (end - first - 1);
}

Cost SentenceBreaker::lineCost(int first, int end) const {
    const int length = lineLength(first, end);
    Cost c = kPerLine;
    const Cost off = Cost{length} * 10 - kComfortableTenths;
    c += off < 0 ? off * off / 800 : off * off / 600;
    if (end - first == 1 && wordCount() > 1) c += kLoneWord;
    return c;
}

// The price of starting a new line at word `next` (0 < next < word count).
Cost SentenceBreaker::boundaryCost(int next) const {
    const WordInfo& before = words_[static_cast<std::size_t>(next) - 1];
    const WordInfo& after = words_[static_cast<std::size_t>(next)];
    Cost c = 0;
    if (before.end != EndMark::None)
        c = kBreakAfterMark;
    else if (before.closesQuote || after.opensQuote)
        c = kBreakAtQuote;
    else if (after.is(kCoordinator))
        c = kBreakBeforeCoordinator;
    else if (after.is(kSubordinator))
        c = kBreakBeforeSubordinator;
    else if (after.is(kPreposition))
        c = kBreakBeforePreposition;
    else
        c = kBreakInsidePhrase;

    if (before.end == EndMark::None && !before.closesQuote) {
        if (before.is(kBindsForward))
            c += kBreakAfterBinder;
        else if (before.is(kSubjectPronoun) && before.bare != "it" && before.bare != "you")
            c += kBreakAfterSubject;
        else if (before.is(kSubordinator))
            c += kBreakAfterSubordinator;
        else if (before.is(kPreposition))
            c += kBreakAfterPreposition;
        else if (before.is(kAuxiliary))
            c += kBreakAfterAuxiliary;
        if (before.capitalised && after.capitalised && !after.opensQuote) c += kBreakInsideName;
        if (before.is(kNumberWord) &&
            (after.is(kNumberWord) || after.is(kTimeOrMeasure) ||
             (after.bare == "and" && after.end == EndMark::None && static_cast<std::size_t>(next) + 1 < words_.size() &&
              words_[static_cast<std::size_t>(next) + 1].is(kNumberWord))))
            c += kBreakInsideNumber;
    }
    if (after.capitalised && !after.opensQuote && !isPronounI(after.bare)) c += kLineStartsWithName;
    return c;
}

} // namespace cadenzo::format
