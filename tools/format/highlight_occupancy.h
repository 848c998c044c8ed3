// Choosing highlights among candidates: which words of each sentence already
// carry one and how many each line has, so that no two highlights touch, and
// the order in which candidates of equal score are taken.
#pragma once

#include "highlights.h"

#include <vector>

namespace cadenzo::format {

class Occupancy {
  public:
    explicit Occupancy(const std::vector<SentenceShape>& sentences);

    // Free when its words, the word that carries its tag and the word after it
    // are all unhighlighted, so that no two highlights touch.
    bool fits(const Candidate& c) const;

    // Highlights already on the candidate's line; a candidate outside the book counts as full.
    int lineLoad(const Candidate& c) const;

    // Only for a candidate that fits.
    void take(const Candidate& c);

    // The highlights taken, by sentence, each sentence's in word order.
    std::vector<std::vector<Highlight>> result() &&;

  private:
    static constexpr int kFull = 1 << 30;
    std::vector<std::vector<bool>> covered_;
    std::vector<std::vector<int>> lineLoad_;
    std::vector<std::vector<Highlight>> chosen_;
};

// Best score first; among equal scores an order that spreads the choices
// evenly over the book (bit-reversed position), so that any number taken
// from the front is not bunched at the book's start.
std::vector<const Candidate*> ranked(std::vector<const Candidate*> list);

} // namespace cadenzo::format
