// Highlights: which words of a laid-out sentence carry a colour, and in which.
//   |9> the key word of a phrase (a significant noun or verb)
//   |7> names of people and places
//   |8> numbers, times and measures
//   |6> negations
// A colour tag stands after the word before the highlighted words, on the
// same line, so a highlight never begins a continuation line; only a
// sentence's first word can be highlighted at the start of a line (the line
// then stands at indentation 00). Two highlights never touch: the word that
// carries a tag is itself never highlighted.
#pragma once

#include "lexicon.h"

#include <array>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace cadenzo::format {

enum class Colour : char { Negation = '6', Name = '7', Number = '8', Key = '9' };

inline constexpr std::array<Colour, 4> kColours = {Colour::Negation, Colour::Name, Colour::Number, Colour::Key};

struct Highlight {
    int firstWord = 0;
    int wordCount = 1;
    Colour colour = Colour::Key;
};

// What the whole book says about its words: which capitalised words are names
// (capitalised inside sentences, never seen in lower case) and how often each
// word occurs (rare words make better key words).
class BookLexicon {
  public:
    void addSentence(const std::vector<WordInfo>& words);
    // Word `index` of the sentence is a name of a person or place.
    bool isName(const std::vector<WordInfo>& words, std::size_t index) const;
    int frequency(const std::string& bare) const;

  private:
    struct Entry {
        int frequency = 0;
        bool capitalisedInside = false;
        bool seenLowerCase = false;
    };
    // One entry a word, so that a word costs one look-up.
    std::unordered_map<std::string, Entry> words_;
};

// One highlight a laid-out sentence could carry.
struct Candidate {
    int sentence = 0; // index in book order
    int line = 0;     // line of the sentence it stands on
    Highlight highlight;
    int score = 0;        // higher is a better choice within its colour
    bool initial = false; // the sentence's first word, at the start of its first line
};

// Every highlight the sentence could carry as it is broken into lines.
// `mayStartHighlighted`: whether its first word may be highlighted.
std::vector<Candidate> sentenceCandidates(const std::vector<WordInfo>& words, const std::vector<int>& lineStarts,
                                          const BookLexicon& lexicon, int sentence, bool mayStartHighlighted);

// The highlights a reader would expect in a sentence, without targets: every
// name, number and negation that can carry one, and the key word of each
// line that has no other highlight, when it is a strong one.
std::vector<Highlight> naturalHighlights(const std::vector<Candidate>& candidates, int wordCount, int lineCount);

struct HighlightQuota {
    std::array<int, 4> byColour{}; // in the order of kColours
    int twoWord = 0;
    int threeWord = 0;
    int initial = 0;
};

struct SentenceShape {
    int wordCount = 0;
    int lineCount = 0;
};

// Chooses exactly the quota's highlights over the whole book, the best-scored
// first, spread evenly where scores tie. Throws FormatError naming the number
// it cannot meet.
std::vector<std::vector<Highlight>> quotaHighlights(const std::vector<Candidate>& candidates,
                                                    const std::vector<SentenceShape>& sentences,
                                                    const HighlightQuota& quota);

char colourCode(Colour colour);
int colourSlot(Colour colour); // index into kColours

} // namespace cadenzo::format
