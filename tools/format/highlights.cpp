#include "highlights.h"

#include "highlight_occupancy.h"
#include "manuscript.h"

#include "base/unicode.h"

#include <algorithm>
#include <array>
#include <cctype>
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

namespace {

// The candidates by the part of the quota they count for.
struct CandidatesByKind {
    std::vector<const Candidate*> three, two, initial;
    std::array<std::vector<const Candidate*>, 4> singles; // by colour slot
};

CandidatesByKind byKind(const std::vector<Candidate>& candidates) {
    CandidatesByKind kinds;
    for (const Candidate& c : candidates) {
        if (c.highlight.wordCount == 3)
            kinds.three.push_back(&c);
        else if (c.highlight.wordCount == 2)
            kinds.two.push_back(&c);
        else if (c.initial)
            kinds.initial.push_back(&c);
        else
            kinds.singles[static_cast<std::size_t>(colourSlot(c.highlight.colour))].push_back(&c);
    }
    return kinds;
}

[[noreturn]] void failQuota(const std::string& what, int need, int got) {
    throw FormatError("cannot meet " + std::to_string(need) + " " + what + ": only " + std::to_string(got) +
                      " places in the text can carry one");
}

// Takes highlights for the quota and counts them by colour.
class QuotaTaker {
  public:
    static constexpr int kAnyLoad = 1 << 20;

    explicit QuotaTaker(const std::vector<SentenceShape>& sentences) : occupancy_(sentences) {}

    // Up to `need` of the list in its order, on lines with at most `maxLineLoad` highlights.
    int takeFrom(const std::vector<const Candidate*>& list, int need, int maxLineLoad) {
        int got = 0;
        for (const Candidate* c : list) {
            if (got == need) break;
            if (occupancy_.lineLoad(*c) > maxLineLoad || !occupancy_.fits(*c)) continue;
            occupancy_.take(*c);
            ++taken_[static_cast<std::size_t>(colourSlot(c->highlight.colour))];
            ++got;
        }
        return got;
    }

    void takeAll(const std::vector<const Candidate*>& list, int need, const std::string& what) {
        if (int got = takeFrom(ranked(list), need, kAnyLoad); got < need) failQuota(what, need, got);
    }

    // One colour's single words, up to its count, spread over the lines: first
    // lines without a highlight, then with one...
    void takeColour(const std::vector<const Candidate*>& singles, Colour colour, int wanted) {
        const auto slot = static_cast<std::size_t>(colourSlot(colour));
        const int need = wanted - taken_[slot];
        if (need < 0)
            throw FormatError("cannot meet " + std::to_string(wanted) + " " + colourName(colour) +
                              " highlights: the multi-word and "
                              "sentence-opening highlights alone take " +
                              std::to_string(taken_[slot]));
        const auto list = ranked(singles);
        int got = 0;
        for (int load = 0; got < need && load <= 3; ++load) got += takeFrom(list, need - got, load);
        if (got < need) got += takeFrom(list, need - got, kAnyLoad);
        if (got < need) failQuota(colourName(colour) + " highlights", wanted, wanted - need + got);
    }

    std::vector<std::vector<Highlight>> result() && { return std::move(occupancy_).result(); }

  private:
    Occupancy occupancy_;
    std::array<int, 4> taken_{};
};

} // namespace

std::vector<std::vector<Highlight>> quotaHighlights(const std::vector<Candidate>& candidates,
                                                    const std::vector<SentenceShape>& sentences,
                                                    const HighlightQuota& quota) {
    const CandidatesByKind kinds = byKind(candidates);
    QuotaTaker taker(sentences);
    taker.takeAll(kinds.three, quota.threeWord, "three-word highlights");
    taker.takeAll(kinds.two, quota.twoWord, "two-word highlights");
    taker.takeAll(kinds.initial, quota.initial, "sentence-opening highlights");
    // The scarce colours first, so the plentiful key words take what is left.
    for (Colour colour : {Colour::Name, Colour::Number, Colour::Negation, Colour::Key}) {
        const auto slot = static_cast<std::size_t>(colourSlot(colour));
        taker.takeColour(kinds.singles[slot], colour, quota.byColour[slot]);
    }
    return std::move(taker).result();
}

} // namespace cadenzo::format
