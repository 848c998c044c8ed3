#include "cascade.h"

#include <algorithm>

namespace cadenzo::format {

namespace {

// Depth d stands at 2 + 3d blanks: depth 1 is the sentence's own 05, depth 0
// the step back out to 02, depth 10 the deepest step, 32.
constexpr int kStep = 3;
constexpr int kMaxDepth = (kMaxContinuationIndent - kMinContinuationIndent) / kStep;

int indentOf(int depth) { return kMinContinuationIndent + kStep * std::clamp(depth, 0, kMaxDepth); }

} // namespace

std::vector<int> cascadeIndents(const std::vector<WordInfo>& words, const std::vector<int>& lineStarts) {
    std::vector<int> indents;
    indents.reserve(lineStarts.size());
    int clause = 1;   // depth of the clause the current line belongs to
    int previous = 1; // depth of the line before
    for (std::size_t line = 0; line < lineStarts.size(); ++line) {
        const int start = lineStarts[line];
        if (line == 0 || start <= 0 || start >= static_cast<int>(words.size())) {
            indents.push_back(kSentenceIndent);
            continue;
        }
        const WordInfo& first = words[static_cast<std::size_t>(start)];
        const WordInfo& last = words[static_cast<std::size_t>(start) - 1];
        int depth = previous + 1;
        if (last.end == EndMark::Stop) {
            // A quotation ended in the middle of the sentence: "Yes?" | she said.
            depth = clause + 1;
        } else if (first.opensQuote) {
            depth = clause;
        } else if (first.is(kCoordinator) || last.end == EndMark::Semicolon) {
            depth = clause - 1;
            clause = std::max(depth + 1, 1);
        } else if (first.is(kSubordinator)) {
            depth = std::min(previous + 1, clause + 2);
            clause = depth;
        } else if (first.is(kPreposition)) {
            depth = std::min(previous + 1, clause + 3);
        } else if (last.end != EndMark::None) {
            depth = clause + 1;
        }
        depth = std::clamp(depth, 0, kMaxDepth);
        clause = std::clamp(clause, 1, kMaxDepth);
        indents.push_back(indentOf(depth));
        previous = depth;
    }
    return indents;
}

} // namespace cadenzo::format
