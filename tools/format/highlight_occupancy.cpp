#include "highlight_occupancy.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <utility>

namespace cadenzo::format {

namespace {

std::uint32_t bitReversed(std::uint32_t value) {
    std::uint32_t out = 0;
    for (int bit = 0; bit < 32; ++bit) {
        out = (out << 1) | (value & 1u);
        value >>= 1;
    }
    return out;
}

} // namespace

Occupancy::Occupancy(const std::vector<SentenceShape>& sentences) : chosen_(sentences.size()) {
    covered_.reserve(sentences.size());
    lineLoad_.reserve(sentences.size());
    for (const SentenceShape& shape : sentences) {
        covered_.emplace_back(static_cast<std::size_t>(std::max(shape.wordCount, 0)), false);
        lineLoad_.emplace_back(static_cast<std::size_t>(std::max(shape.lineCount, 0)), 0);
    }
}

bool Occupancy::fits(const Candidate& c) const {
    if (c.sentence < 0 || static_cast<std::size_t>(c.sentence) >= covered_.size()) return false;
    const auto& words = covered_[static_cast<std::size_t>(c.sentence)];
    const auto& lines = lineLoad_[static_cast<std::size_t>(c.sentence)];
    const int first = c.highlight.firstWord;
    const int end = first + c.highlight.wordCount;
    if (first < 0 || c.highlight.wordCount < 1 || end > static_cast<int>(words.size())) return false;
    if (c.line < 0 || static_cast<std::size_t>(c.line) >= lines.size()) return false;
    const int from = std::max(first - 1, 0);
    const int to = std::min(end, static_cast<int>(words.size()) - 1);
    for (int k = from; k <= to; ++k)
        if (words[static_cast<std::size_t>(k)]) return false;
    return true;
}

int Occupancy::lineLoad(const Candidate& c) const {
    if (c.sentence < 0 || static_cast<std::size_t>(c.sentence) >= lineLoad_.size()) return kFull;
    const auto& lines = lineLoad_[static_cast<std::size_t>(c.sentence)];
    if (c.line < 0 || static_cast<std::size_t>(c.line) >= lines.size()) return kFull;
    return lines[static_cast<std::size_t>(c.line)];
}

void Occupancy::take(const Candidate& c) {
    // fits() has checked the sentence, line and words lie inside the book.
    if (!fits(c)) throw std::logic_error("a highlight taken where it does not fit");
    auto& words = covered_[static_cast<std::size_t>(c.sentence)];
    for (int k = 0; k < c.highlight.wordCount; ++k) words[static_cast<std::size_t>(c.highlight.firstWord + k)] = true;
    ++lineLoad_[static_cast<std::size_t>(c.sentence)][static_cast<std::size_t>(c.line)];
    chosen_[static_cast<std::size_t>(c.sentence)].push_back(c.highlight);
}

std::vector<std::vector<Highlight>> Occupancy::result() && {
    for (auto& list : chosen_)
        std::sort(list.begin(), list.end(),
                  [](const Highlight& a, const Highlight& b) { return a.firstWord < b.firstWord; });
    return std::move(chosen_);
}

std::vector<const Candidate*> ranked(std::vector<const Candidate*> list) {
    std::vector<std::pair<std::uint32_t, const Candidate*>> keyed;
    keyed.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i)
        keyed.emplace_back(bitReversed(static_cast<std::uint32_t>(i)), list[i]);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        if (a.second->score != b.second->score) return a.second->score > b.second->score;
        return a.first < b.first;
    });
    std::vector<const Candidate*> out;
    out.reserve(keyed.size());
    for (const auto& entry : keyed) out.push_back(entry.second);
    return out;
}

} // namespace cadenzo::format
