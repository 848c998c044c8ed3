// Word classes the formatter breaks lines and chooses highlights by: the small
// closed classes of English (conjunctions, prepositions, determiners...) and
// the open classes it can spot from a word's form (numbers, negations).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cadenzo::format {

// How a word as written ends: the mark that closes it, looking through any
// closing quotes and brackets after that mark.
enum class EndMark { None, Comma, Semicolon, Colon, Dash, Stop };

// The closed word classes below as bits, looked up once per word.
enum WordClass : std::uint16_t {
    kCoordinator = 1u << 0,
    kPreposition = 1u << 1,
    kSubordinator = 1u << 2,
    kBindsForward = 1u << 3,
    kFunctionWord = 1u << 4,
    kNegation = 1u << 5,
    kStrongNegation = 1u << 6,
    kNumberWord = 1u << 7,
    kTimeOrMeasure = 1u << 8,
    kPlaceWord = 1u << 9,
    kDeterminer = 1u << 10,
    kSubjectPronoun = 1u << 11,
    kAuxiliary = 1u << 12, // was, had, is, been...: a line should not end on it
};

// One word of a sentence as the line breaker and the highlighter see it. Text
// is UTF-8; typographic quotes count as their plain forms (“ ” as ", ’ as ').
struct WordInfo {
    std::string text;         // as written, punctuation included
    std::string bare;         // lower-cased, outer punctuation and a possessive "'s" removed, ’ as '
    int length = 0;           // characters (not bytes) of `text`
    bool capitalised = false; // the first letter of the word is upper-case
    bool opensQuote = false;  // begins with '"', '“', '«' or '('
    bool closesQuote = false; // ends with '"', '”', '»' or ')' (after any mark)
    EndMark end = EndMark::None;
    std::uint16_t classes = 0; // WordClass bits of `bare`

    bool is(WordClass c) const { return (classes & c) != 0; }
};

WordInfo describeWord(std::string_view text);

// The word without leading and trailing punctuation, as written.
std::string_view wordCore(std::string_view text);

// The WordClass bits of a bare word.
std::uint16_t wordClasses(std::string_view bare);

// Text set wholly in capitals ("ROADS", "ÉTÉ"): at least two letters, none lower-case.
bool isAllCapitals(std::string_view text);

// The first character is a letter (of any script).
bool startsWithLetter(std::string_view text);

// Where a closing colour tag goes in a highlighted word: after its last letter
// or digit (or a plural possessive's apostrophe), so trailing punctuation and
// quotes stay in the default colour.
std::size_t highlightEnd(std::string_view text);

bool isCoordinator(std::string_view bare);    // and, but, or, nor, yet, so
bool isPreposition(std::string_view bare);    // in, of, across, toward...
bool isSubordinator(std::string_view bare);   // that, which, when, because...
bool bindsForward(std::string_view bare);     // the, a, his, Mr...: a line should not end on it
bool isFunctionWord(std::string_view bare);   // never a key word of a phrase
bool isNegation(std::string_view bare);       // not, never, nothing, isn't...
bool isNumberWord(std::string_view bare);     // four, forty, first, 1911, half...
bool isTimeOrMeasure(std::string_view bare);  // hour, miles, morning, Tuesday...
bool isStrongNegation(std::string_view bare); // never, nothing, nobody, none, nowhere, neither
bool isPlaceWord(std::string_view bare);      // island, causeway, harbour, town...
bool isDeterminer(std::string_view bare);     // the, a, his, every...: a noun follows
bool isSubjectPronoun(std::string_view bare); // he, she, they...: a verb follows

} // namespace cadenzo::format
