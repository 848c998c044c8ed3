// Breaks one sentence into phrase lines of at most 40 characters, between
// words only, preferring natural phrase boundaries: after a comma, semicolon
// or colon, before a conjunction, a relative or subordinating word or a
// preposition, and never leaving one word alone on a line if it can help it.
#pragma once

#include "lexicon.h"

#include <cstdint>
#include <vector>

namespace cadenzo::format {

using Cost = std::int64_t;
inline constexpr Cost kInfeasible = INT64_MAX / 4;
// The least a phrase line costs; every other price is added to it.
inline constexpr Cost kPerLine = 10;

class SentenceBreaker {
  public:
    // `words` must outlive the breaker; words longer than 40 characters make
    // every line count infeasible (minLines() > maxLines()).
    // `maxLines` caps how many lines are priced (at least 1). With `bestOnly`
    // the pricing stops at the line count past which no breaking can be
    // cheaper than one already found (every line costs at least kPerLine), so
    // bestLines() and breakInto(bestLines()) are as without it, and cost() of
    // the counts not priced is kInfeasible.
    SentenceBreaker(const std::vector<WordInfo>& words, int maxLines, bool bestOnly = false);

    int wordCount() const { return static_cast<int>(words_.size()); }
    int minLines() const { return minLines_; }
    int maxLines() const { return maxLines_; }
    // The line count with the lowest cost (the fewest lines on a tie).
    int bestLines() const { return bestLines_; }
    // Cost of the best breaking into exactly `lines` lines; kInfeasible
    // outside [minLines, maxLines].
    Cost cost(int lines) const;
    // Index of the first word of each line, for the best breaking into
    // exactly `lines` lines (minLines <= lines <= maxLines).
    std::vector<int> breakInto(int lines) const;

  private:
    std::vector<Cost> breakCostTable() const;
    std::vector<Cost> lineCostTable() const;
    void priceLineCounts(const std::vector<Cost>& breakBefore, const std::vector<Cost>& lineCosts, bool bestOnly);
    void chooseLineCounts();
    Cost lineCost(int first, int end) const;
    Cost boundaryCost(int next) const;
    int lineLength(int first, int end) const;

    const std::vector<WordInfo>& words_;
    std::vector<int> prefix_; // prefix_[i]: characters of words [0, i)
    int maxLines_ = 0;
    int minLines_ = 0;
    int bestLines_ = 0;
    int pricedLines_ = 0; // rows of best_ filled
    // best_[k * (n + 1) + i]: lowest cost of words [0, i) in k lines; from_ the
    // start of the k-th line.
    std::vector<Cost> best_;
    std::vector<int> from_;
    std::size_t at(int lines, int end) const {
        return static_cast<std::size_t>(lines) * (words_.size() + 1) + static_cast<std::size_t>(end);
    }
};

} // namespace cadenzo::format
