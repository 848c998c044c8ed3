// Indentation of a sentence's phrase lines. The first line stands at 05; the
// lines after it form a cascade that shows the sentence's structure: a new
// clause after a conjunction (or after a semicolon) steps back out, a
// subordinate clause or a prepositional phrase steps in deeper, what follows
// a comma steps in a little from its clause, and a phrase broken in its middle
// steps in from the line before.
#pragma once

#include "lexicon.h"

#include <vector>

namespace cadenzo::format {

inline constexpr int kSentenceIndent = 5;
inline constexpr int kMinContinuationIndent = 2;
inline constexpr int kMaxContinuationIndent = 32;

// `lineStarts` holds the index of each line's first word (the first is 0).
std::vector<int> cascadeIndents(const std::vector<WordInfo>& words, const std::vector<int>& lineStarts);

} // namespace cadenzo::format
