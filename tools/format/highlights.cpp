#include "highlights.h"

#include "manuscript.h"

#include "base/unicode.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>

namespace cadenzo::format {

namespace {

// Scores within a colour; they only order candidates of the same colour,
// except that multi-word and sentence-initial highlights compare across colours.
constexpr int kNameScore = 90;
constexpr int kPlaceWordScore = 50; // a common noun for a place, when names run short
constexpr int kDigitsScore = 88;
constexpr int kNumberScore = 84;
constexpr int kMeasureScore = 76;
constexpr int kLooseNumberScore = 60; // "once", "half", "one"
constexpr int kStrongNegationScore = 70;
constexpr int kNegationScore = 60;
constexpr int kWeakNegationScore = 48; // "no", "nor"
constexpr int kNameGroupScore = 100;
constexpr int kNumberGroupScore = 96;
constexpr int kNegationGroupScore = 66; // "no one"
// Without targets: the weakest negation and key word still worth a colour.
constexpr int kNaturalNegationFloor = kNegationScore;
constexpr int kNaturalNameFloor = kNameScore;
constexpr int kNaturalKeyFloor = 40;

bool isPronounI(const std::string& bare) { return bare == "i" || bare.rfind("i'", 0) == 0; }

bool insideSentence(const std::vector<WordInfo>& words, std::size_t index) {
    if (index == 0 || index >= words.size()) return false;
    const EndMark before = words[index - 1].end;
    return before != EndMark::Stop && before != EndMark::Colon && !words[index].opensQuote;
}

// Letters (of any script), apostrophes and hyphens, at least three characters.
bool isWordLike(const std::string& bare) {
    if (bare.size() < 3 || !startsWithLetter(bare)) return false;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < bare.size();) {
        const text::CodePoint c = text::decodeAt(bare, i);
        i += c.length;
        ++characters;
        if (c.value < 0x80) {
            if (!std::isalpha(static_cast<int>(c.value)) && c.value != '\'' && c.value != '-') return false;
        } else if (!text::isLetter(c.value)) {
            return false;
        }
    }
    return characters >= 3;
}

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// "one" as a pronoun ("the one", "no one", "one another") is not a number.
bool isPronounOne(const std::vector<WordInfo>& words, std::size_t index) {
    if (words[index].bare != "one") return false;
    if (index + 1 < words.size() && words[index].end == EndMark::None && words[index + 1].bare == "another")
        return true;
    if (index == 0 || words[index - 1].end != EndMark::None) return false;
    static const std::vector<std::string> before = {"the",  "no",   "any",   "every",  "some", "each",
                                                    "this", "that", "which", "little", "a"};
    return std::find(before.begin(), before.end(), words[index - 1].bare) != before.end();
}

std::optional<std::pair<Colour, int>> numberOrNegation(const std::vector<WordInfo>& words, std::size_t index) {
    const WordInfo& word = words[index];
    const std::string& bare = word.bare;
    if (bare.empty()) return std::nullopt;
    if (word.is(kNegation)) {
        if (word.is(kStrongNegation)) return std::pair{Colour::Negation, kStrongNegationScore};
        if (bare == "no" || bare == "nor") return std::pair{Colour::Negation, kWeakNegationScore};
        return std::pair{Colour::Negation, kNegationScore};
    }
    if (word.is(kNumberWord)) {
        if (isPronounOne(words, index)) return std::nullopt;
        if (std::isdigit(static_cast<unsigned char>(bare.front()))) return std::pair{Colour::Number, kDigitsScore};
        if (bare == "once" || bare == "half" || bare == "one" || bare == "second")
            return std::pair{Colour::Number, kLooseNumberScore};
        return std::pair{Colour::Number, kNumberScore};
    }
    if (word.is(kTimeOrMeasure)) return std::pair{Colour::Number, kMeasureScore};
    return std::nullopt;
}

int keyScore(const std::vector<WordInfo>& words, std::size_t index, const BookLexicon& lexicon) {
    const WordInfo& word = words[index];
    int score = 20 + std::min(static_cast<int>(text::characterCount(word.bare)), 10);
    const int frequency = lexicon.frequency(word.bare);
    if (frequency <= 1)
        score += 8;
    else if (frequency <= 3)
        score += 6;
    else if (frequency <= 7)
        score += 4;
    else if (frequency <= 15)
        score += 2;
    else if (frequency > 40)
        score -= 4;
    if (word.bare.size() > 4 && endsWith(word.bare, "ly")) score -= 8;

    if (index > 0 && words[index - 1].end == EndMark::None) {
        const WordInfo& previous = words[index - 1];
        if (previous.is(kDeterminer)) {
            score += 6; // a noun after its determiner
        } else if (previous.is(kSubjectPronoun) || lexicon.isName(words, index - 1)) {
            score += 4; // a verb after its subject
        } else if (index > 1 && words[index - 2].end == EndMark::None && words[index - 2].is(kDeterminer) &&
                   !previous.is(kFunctionWord)) {
            score += 5; // a noun after determiner and adjective
        }
    }
    if (word.end == EndMark::None && !word.closesQuote && index + 1 < words.size()) {
        const WordInfo& next = words[index + 1];
        if (!next.is(kFunctionWord) && !next.capitalised && isWordLike(next.bare))
            score -= 5; // it modifies the word after it
    } else {
        score += 2; // the head of a phrase tends to end it
    }
    return score;
}

std::optional<std::pair<Colour, int>> classifySingle(const std::vector<WordInfo>& words, std::size_t index,
                                                     const BookLexicon& lexicon) {
    if (auto found = numberOrNegation(words, index)) return found;
    if (lexicon.isName(words, index)) return std::pair{Colour::Name, kNameScore};
    const WordInfo& word = words[index];
    if (!isWordLike(word.bare) || word.is(kFunctionWord) || word.capitalised) return std::nullopt;
    return std::pair{Colour::Key, keyScore(words, index, lexicon)};
}

// Two or three words that read as one: a name ("Saltmarsh Quay"), a number
// with its unit ("forty miles"), a time ("half past five"), "no one".
std::optional<std::pair<Colour, int>> classifyGroup(const std::vector<WordInfo>& words, std::size_t index,
                                                    std::size_t count, const BookLexicon& lexicon) {
    for (std::size_t k = index; k + 1 < index + count; ++k)
        if (words[k].end != EndMark::None || words[k].closesQuote || words[k + 1].opensQuote) return std::nullopt;
    bool allNames = true;
    for (std::size_t k = index; k < index + count; ++k) allNames = allNames && lexicon.isName(words, k);
    if (allNames) return std::pair{Colour::Name, kNameGroupScore};

    const std::string& first = words[index].bare;
    const std::string& last = words[index + count - 1].bare;
    const WordInfo& lastWord = words[index + count - 1];
    const bool firstIsNumber = words[index].is(kNumberWord) && !isPronounOne(words, index);
    if (count == 2) {
        if (firstIsNumber && first != "once" && (lastWord.is(kTimeOrMeasure) || lastWord.is(kNumberWord)))
            return std::pair{Colour::Number, kNumberGroupScore};
        if (first == "no" && last == "one") return std::pair{Colour::Negation, kNegationGroupScore};
        return std::nullopt;
    }
    const std::string& middle = words[index + 1].bare;
    if (firstIsNumber && lastWord.is(kNumberWord) && (middle == "past" || middle == "and" || middle == "to"))
        return std::pair{Colour::Number, kNumberGroupScore};
    return std::nullopt;
}

std::uint32_t bitReversed(std::uint32_t value) {
    std::uint32_t out = 0;
    for (int bit = 0; bit < 32; ++bit) {
        out = (out << 1) | (value & 1u);
        value >>= 1;
    }
    return out;
}

// Which words already carry a highlight, and how many highlights each line has.
class Occupancy {
  public:
    explicit Occupancy(const std::vector<SentenceShape>& sentences) : chosen_(sentences.size()) {
        covered_.reserve(sentences.size());
        lineLoad_.reserve(sentences.size());
        for (const SentenceShape& shape : sentences) {
            covered_.emplace_back(static_cast<std::size_t>(std::max(shape.wordCount, 0)), false);
            lineLoad_.emplace_back(static_cast<std::size_t>(std::max(shape.lineCount, 0)), 0);
        }
    }

    // Free when its words, the word that carries its tag and the word after it
    // are all unhighlighted, so that no two highlights touch.
    bool fits(const Candidate& c) const {
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

    // Highlights already on the candidate's line; a candidate outside the book counts as full.
    int lineLoad(const Candidate& c) const {
        if (c.sentence < 0 || static_cast<std::size_t>(c.sentence) >= lineLoad_.size()) return kFull;
        const auto& lines = lineLoad_[static_cast<std::size_t>(c.sentence)];
        if (c.line < 0 || static_cast<std::size_t>(c.line) >= lines.size()) return kFull;
        return lines[static_cast<std::size_t>(c.line)];
    }

    // Only for a candidate that fits.
    void take(const Candidate& c) {
        auto& words = covered_[static_cast<std::size_t>(c.sentence)];
        for (int k = 0; k < c.highlight.wordCount; ++k)
            words[static_cast<std::size_t>(c.highlight.firstWord + k)] = true;
        ++lineLoad_[static_cast<std::size_t>(c.sentence)][static_cast<std::size_t>(c.line)];
        chosen_[static_cast<std::size_t>(c.sentence)].push_back(c.highlight);
    }

    std::vector<std::vector<Highlight>> result() && {
        for (auto& list : chosen_)
            std::sort(list.begin(), list.end(),
                      [](const Highlight& a, const Highlight& b) { return a.firstWord < b.firstWord; });
        return std::move(chosen_);
    }

  private:
    static constexpr int kFull = 1 << 30;
    std::vector<std::vector<bool>> covered_;
    std::vector<std::vector<int>> lineLoad_;
    std::vector<std::vector<Highlight>> chosen_;
};

// Best score first; among equal scores an order that spreads the choices
// evenly over the book (bit-reversed position), so that any number taken
// from the front is not bunched at the book's start.
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

std::string colourName(Colour colour) { return std::string("|") + colourCode(colour) + ">"; }

} // namespace

char colourCode(Colour colour) { return static_cast<char>(colour); }

int colourSlot(Colour colour) {
    for (std::size_t i = 0; i < kColours.size(); ++i)
        if (kColours[i] == colour) return static_cast<int>(i);
    return 0;
}

void BookLexicon::addSentence(const std::vector<WordInfo>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const WordInfo& word = words[i];
        if (word.bare.empty()) continue;
        Entry& entry = words_[word.bare];
        ++entry.frequency;
        if (!startsWithLetter(word.bare)) continue;
        if (!word.capitalised)
            entry.seenLowerCase = true;
        else if (insideSentence(words, i) && !word.is(kFunctionWord) && !isPronounI(word.bare))
            entry.capitalisedInside = true;
    }
}

bool BookLexicon::isName(const std::vector<WordInfo>& words, std::size_t index) const {
    if (index >= words.size()) return false;
    const WordInfo& word = words[index];
    if (!word.capitalised || word.bare.empty() || isPronounI(word.bare) || word.is(kFunctionWord) ||
        !startsWithLetter(word.bare) || isAllCapitals(word.text))
        return false;
    if (insideSentence(words, index)) return true;
    const auto found = words_.find(word.bare);
    return found != words_.end() && found->second.capitalisedInside && !found->second.seenLowerCase;
}

int BookLexicon::frequency(const std::string& bare) const {
    const auto found = words_.find(bare);
    return found == words_.end() ? 0 : found->second.frequency;
}

std::vector<Candidate> sentenceCandidates(const std::vector<WordInfo>& words, const std::vector<int>& lineStarts,
                                          const BookLexicon& lexicon, int sentence, bool mayStartHighlighted) {
    std::vector<Candidate> out;
    const std::size_t n = words.size();
    if (n == 0 || lineStarts.empty()) return out;
    std::vector<int> lineOf(n, 0);
    for (std::size_t line = 0; line < lineStarts.size(); ++line) {
        const std::size_t start = static_cast<std::size_t>(std::max(lineStarts[line], 0));
        for (std::size_t w = start; w < n; ++w) lineOf[w] = static_cast<int>(line);
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t count = 1; count <= 3 && i + count <= n; ++count) {
            if (lineOf[i + count - 1] != lineOf[i]) break;
            const bool hosted = i > 0 && lineOf[i - 1] == lineOf[i];
            const bool initial = i == 0 && count == 1 && mayStartHighlighted;
            if (!hosted && !initial) continue;
            auto kind = count == 1 ? classifySingle(words, i, lexicon) : classifyGroup(words, i, count, lexicon);
            // A word for a place stands as a key word and, with a lower score, as a name.
            if (count == 1 && kind && kind->first == Colour::Key && words[i].is(kPlaceWord) && !initial) {
                Candidate c;
                c.sentence = sentence;
                c.line = lineOf[i];
                c.highlight = Highlight{static_cast<int>(i), 1, Colour::Name};
                c.score = kPlaceWordScore;
                out.push_back(c);
            }
            if (!kind) continue;
            // A sentence opens highlighted only on a name, a number or a strong negation,
            // and not on the first word of a quotation.
            if (initial && (kind->first == Colour::Key || words[i].opensQuote ||
                            (kind->first == Colour::Negation && kind->second < kStrongNegationScore)))
                continue;
            Candidate c;
            c.sentence = sentence;
            c.line = lineOf[i];
            c.highlight = Highlight{static_cast<int>(i), static_cast<int>(count), kind->first};
            c.score = kind->second;
            c.initial = initial;
            out.push_back(c);
        }
    }
    return out;
}

std::vector<Highlight> naturalHighlights(const std::vector<Candidate>& candidates, int wordCount, int lineCount) {
    if (candidates.empty()) return {};
    // The candidates are all of one sentence: count it as sentence 0 here.
    std::vector<Candidate> local = candidates;
    for (Candidate& c : local) c.sentence = 0;
    Occupancy occupancy({SentenceShape{wordCount, lineCount}});

    std::vector<const Candidate*> groups;
    std::vector<const Candidate*> singles;
    std::vector<const Candidate*> keys;
    for (const Candidate& c : local) {
        // Without targets a sentence opens highlighted only on a strong negation.
        if (c.initial && c.highlight.colour != Colour::Negation) continue;
        if (c.highlight.wordCount > 1)
            groups.push_back(&c);
        else if (c.highlight.colour == Colour::Key)
            keys.push_back(&c);
        else if ((c.highlight.colour != Colour::Negation || c.score >= kNaturalNegationFloor) &&
                 (c.highlight.colour != Colour::Name || c.score >= kNaturalNameFloor))
            singles.push_back(&c);
    }
    for (const auto* list : {&groups, &singles})
        for (const Candidate* c : ranked(*list))
            if (occupancy.fits(*c)) occupancy.take(*c);
    for (const Candidate* c : ranked(keys))
        if (c->score >= kNaturalKeyFloor && occupancy.lineLoad(*c) == 0 && occupancy.fits(*c)) occupancy.take(*c);
    auto chosen = std::move(occupancy).result();
    return chosen.empty() ? std::vector<Highlight>{} : std::move(chosen.back());
}

std::vector<std::vector<Highlight>> quotaHighlights(const std::vector<Candidate>& candidates,
                                                    const std::vector<SentenceShape>& sentences,
                                                    const HighlightQuota& quota) {
    Occupancy occupancy(sentences);
    std::array<int, 4> taken{};
    std::vector<const Candidate*> three, two, initial;
    std::array<std::vector<const Candidate*>, 4> singles;
    for (const Candidate& c : candidates) {
        if (c.highlight.wordCount == 3)
            three.push_back(&c);
        else if (c.highlight.wordCount == 2)
            two.push_back(&c);
        else if (c.initial)
            initial.push_back(&c);
        else
            singles[static_cast<std::size_t>(colourSlot(c.highlight.colour))].push_back(&c);
    }

    auto takeFrom = [&](const std::vector<const Candidate*>& list, int need, int maxLineLoad) {
        int got = 0;
        for (const Candidate* c : list) {
            if (got == need) break;
            if (occupancy.lineLoad(*c) > maxLineLoad || !occupancy.fits(*c)) continue;
            occupancy.take(*c);
            ++taken[static_cast<std::size_t>(colourSlot(c->highlight.colour))];
            ++got;
        }
        return got;
    };
    auto fail = [](const std::string& what, int need, int got) {
        throw FormatError("cannot meet " + std::to_string(need) + " " + what + ": only " + std::to_string(got) +
                          " places in the text can carry one");
    };

    constexpr int kAnyLoad = 1 << 20;
    if (int got = takeFrom(ranked(three), quota.threeWord, kAnyLoad); got < quota.threeWord)
        fail("three-word highlights", quota.threeWord, got);
    if (int got = takeFrom(ranked(two), quota.twoWord, kAnyLoad); got < quota.twoWord)
        fail("two-word highlights", quota.twoWord, got);
    if (int got = takeFrom(ranked(initial), quota.initial, kAnyLoad); got < quota.initial)
        fail("sentence-opening highlights", quota.initial, got);

    // The scarce colours first, so the plentiful key words take what is left.
    for (Colour colour : {Colour::Name, Colour::Number, Colour::Negation, Colour::Key}) {
        const auto slot = static_cast<std::size_t>(colourSlot(colour));
        const int need = quota.byColour[slot] - taken[slot];
        if (need < 0)
            throw FormatError("cannot meet " + std::to_string(quota.byColour[slot]) + " " + colourName(colour) +
                              " highlights: the multi-word and "
                              "sentence-opening highlights alone take " +
                              std::to_string(taken[slot]));
        const auto list = ranked(singles[slot]);
        int got = 0;
        // Spread over the lines: first lines without a highlight, then with one...
        for (int load = 0; got < need && load <= 3; ++load) got += takeFrom(list, need - got, load);
        if (got < need) got += takeFrom(list, need - got, kAnyLoad);
        if (got < need)
            fail(colourName(colour) + " highlights", quota.byColour[slot], quota.byColour[slot] - need + got);
    }
    return std::move(occupancy).result();
}

} // namespace cadenzo::format
