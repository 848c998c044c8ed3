#include "lexicon.h"

#include <cctype>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace cadenzo::format {

namespace {

using WordSet = std::unordered_set<std::string_view>;

const WordSet& coordinators() {
    static const WordSet words = {"and", "but", "or", "nor", "yet", "so"};
    return words;
}

const WordSet& prepositions() {
    static const WordSet words = {"about",   "above",  "across",  "after",   "against",    "along",      "alongside",
                                  "amid",    "among",  "around",  "at",      "before",     "behind",     "below",
                                  "beneath", "beside", "besides", "between", "beyond",     "by",         "down",
                                  "during",  "except", "for",     "from",    "in",         "inside",     "into",
                                  "like",    "near",   "of",      "off",     "on",         "onto",       "out",
                                  "outside", "over",   "past",    "round",   "through",    "throughout", "till",
                                  "to",      "toward", "towards", "under",   "underneath", "until",      "up",
                                  "upon",    "with",   "within",  "without", "despite",    "unto"};
    return words;
}

const WordSet& subordinators() {
    static const WordSet words = {"that",  "which",  "who",     "whom",     "whose",    "where", "when",
                                  "while", "whilst", "because", "although", "though",   "if",    "unless",
                                  "as",    "since",  "whether", "whenever", "wherever", "than",  "how",
                                  "what",  "why",    "once",    "lest"};
    return words;
}

// Words that lean on the word after them: ending a line on one splits a phrase.
const WordSet& forwardBinders() {
    static const WordSet words = {
        "a",     "an",    "the",  "his",    "her",  "its",   "their", "our",     "my",      "your", "this",  "these",
        "those", "every", "each", "some",   "any",  "no",    "mr",    "mrs",     "miss",    "dr",   "very",  "to",
        "of",    "and",   "or",   "but",    "nor",  "into",  "onto",  "upon",    "from",    "with", "at",    "in",
        "on",    "by",    "for",  "than",   "such", "whose", "both",  "either",  "neither", "too",  "quite", "rather",
        "more",  "most",  "less", "least",  "own",  "would", "could", "should",  "might",   "must", "shall", "will",
        "can",   "may",   "not",  "little", "few",  "many",  "much",  "another", "other",   "half", "saint"};
    return words;
}

const WordSet& functionWords() {
    static const WordSet words = {
        "a",         "about",     "above",      "across",    "after",     "again",    "against",    "ago",
        "all",       "almost",    "along",      "already",   "also",      "although", "always",     "am",
        "among",     "an",        "and",        "another",   "any",       "anyone",   "anything",   "are",
        "around",    "as",        "at",         "away",      "back",      "be",       "became",     "because",
        "become",    "been",      "before",     "began",     "behind",    "being",    "below",      "beneath",
        "beside",    "between",   "beyond",     "both",      "but",       "by",       "came",       "can",
        "come",      "comes",     "could",      "did",       "do",        "does",     "doing",      "done",
        "down",      "during",    "each",       "either",    "else",      "enough",   "even",       "ever",
        "every",     "everyone",  "everything", "far",       "few",       "for",      "from",       "further",
        "gave",      "get",       "gets",       "give",      "go",        "goes",     "going",      "gone",
        "got",       "had",       "has",        "have",      "having",    "he",       "her",        "here",
        "hers",      "herself",   "him",        "himself",   "his",       "how",      "however",    "i",
        "if",        "in",        "indeed",     "instead",   "into",      "is",       "it",         "its",
        "itself",    "just",      "last",       "least",     "less",      "let",      "like",       "little",
        "made",      "make",      "makes",      "many",      "may",       "me",       "might",      "mine",
        "more",      "most",      "much",       "must",      "my",        "myself",   "near",       "nearly",
        "next",      "now",       "of",         "off",       "often",     "on",       "once",       "only",
        "onto",      "or",        "other",      "others",    "otherwise", "ought",    "our",        "ours",
        "ourselves", "out",       "over",       "own",       "perhaps",   "put",      "quite",      "rather",
        "really",    "round",     "said",       "same",      "say",       "says",     "see",        "seem",
        "seemed",    "seems",     "set",        "shall",     "she",       "should",   "since",      "so",
        "some",      "someone",   "something",  "sometimes", "somewhere", "soon",     "still",      "such",
        "than",      "that",      "the",        "their",     "theirs",    "them",     "themselves", "then",
        "there",     "therefore", "these",      "they",      "thing",     "things",   "this",       "those",
        "though",    "through",   "thus",       "till",      "to",        "together", "too",        "took",
        "toward",    "towards",   "under",      "until",     "up",        "upon",     "us",         "very",
        "was",       "way",       "we",         "well",      "went",      "were",     "what",       "whatever",
        "when",      "where",     "whether",    "which",     "while",     "who",      "whole",      "whom",
        "whose",     "why",       "will",       "with",      "within",    "without",  "would",      "yes",
        "yet",       "you",       "your",       "yours",     "yourself",  "mr",       "mrs",        "miss",
        "dr",        "oh",        "ah",         "aye",       "sir",       "ma'am",    "got",        "get",
        "there's",   "that's",    "it's",       "he's",      "she's",     "i'm",      "i'll",       "i've",
        "i'd",       "you'll",    "you're",     "you've",    "you'd",     "we'll",    "we're",      "we've",
        "they're",   "they'll",   "they've",    "he'd",      "she'd",     "he'll",    "she'll",     "let's",
        "what's",    "who's",     "here's",     "where's",   "knew",      "know",     "think",      "thought",
        "told",      "tell",      "asked",      "looked",    "look",      "saw",      "want",       "wanted",
        "kept",      "keep",      "take",       "taken",     "getting",   "upward",   "onward",     "ones"};
    return words;
}

const WordSet& negations() {
    static const WordSet words = {"not",     "never",     "no",      "nothing", "nobody",   "none",    "nor",
                                  "neither", "nowhere",   "cannot",  "don't",   "doesn't",  "didn't",  "isn't",
                                  "aren't",  "wasn't",    "weren't", "won't",   "wouldn't", "can't",   "couldn't",
                                  "shan't",  "shouldn't", "haven't", "hasn't",  "hadn't",   "mustn't", "needn't",
                                  "ain't",   "no-one",    "nought",  "naught"};
    return words;
}

const WordSet& strongNegations() {
    static const WordSet words = {"never", "nothing", "nobody", "none", "nowhere", "neither"};
    return words;
}

const WordSet& numberWords() {
    static const WordSet words = {"one",      "two",      "three",     "four",      "five",     "six",      "seven",
                                  "eight",    "nine",     "ten",       "eleven",    "twelve",   "thirteen", "fourteen",
                                  "fifteen",  "sixteen",  "seventeen", "eighteen",  "nineteen", "twenty",   "thirty",
                                  "forty",    "fifty",    "sixty",     "seventy",   "eighty",   "ninety",   "hundred",
                                  "hundreds", "thousand", "thousands", "million",   "first",    "second",   "third",
                                  "fourth",   "fifth",    "sixth",     "seventh",   "eighth",   "ninth",    "tenth",
                                  "eleventh", "twelfth",  "twentieth", "hundredth", "half",     "quarter",  "twice",
                                  "thrice",   "dozen",    "dozens",    "once",      "halfway",  "fortnight"};
    return words;
}

const WordSet& timesAndMeasures() {
    static const WordSet words = {
        "inch",      "inches",    "foot",      "feet",       "yard",     "yards",    "mile",      "miles",
        "fathom",    "fathoms",   "furlong",   "furlongs",   "acre",     "acres",    "pound",     "pounds",
        "shilling",  "shillings", "penny",     "pence",      "guinea",   "guineas",  "sovereign", "ounce",
        "ounces",    "ton",       "tons",      "gallon",     "gallons",  "pint",     "pints",     "degree",
        "degrees",   "hour",      "hours",     "minute",     "minutes",  "o'clock",  "day",       "days",
        "night",     "nights",    "week",      "weeks",      "month",    "months",   "year",      "years",
        "century",   "centuries", "decade",    "decades",    "morning",  "mornings", "evening",   "evenings",
        "afternoon", "noon",      "midnight",  "dawn",       "dusk",     "tonight",  "today",     "tomorrow",
        "yesterday", "monday",    "tuesday",   "wednesday",  "thursday", "friday",   "saturday",  "sunday",
        "january",   "february",  "april",     "june",       "july",     "august",   "september", "october",
        "november",  "december",  "christmas", "michaelmas", "easter",   "winter",   "summer",    "autumn",
        "fortnight", "hourly",    "daily",     "weekly",     "yearly",   "annual",   "seconds"};
    return words;
}

bool hasDigit(std::string_view text) {
    for (char c : text)
        if (std::isdigit(static_cast<unsigned char>(c))) return true;
    return false;
}

} // namespace

bool isCoordinator(std::string_view bare) { return coordinators().count(bare) != 0; }
bool isPreposition(std::string_view bare) { return prepositions().count(bare) != 0; }
bool isSubordinator(std::string_view bare) { return subordinators().count(bare) != 0; }
bool bindsForward(std::string_view bare) { return forwardBinders().count(bare) != 0; }
bool isFunctionWord(std::string_view bare) { return functionWords().count(bare) != 0; }
bool isNegation(std::string_view bare) { return negations().count(bare) != 0; }
bool isStrongNegation(std::string_view bare) { return strongNegations().count(bare) != 0; }

bool isPlaceWord(std::string_view bare) { return (wordClasses(bare) & kPlaceWord) != 0; }

bool isDeterminer(std::string_view bare) { return (wordClasses(bare) & kDeterminer) != 0; }

bool isSubjectPronoun(std::string_view bare) { return (wordClasses(bare) & kSubjectPronoun) != 0; }

bool isNumberWord(std::string_view bare) {
    if (numberWords().count(bare) != 0) return true;
    // "1911", "40th", "fifty-six"
    if (hasDigit(bare)) return true;
    const std::size_t hyphen = bare.find('-');
    return hyphen != std::string_view::npos && numberWords().count(bare.substr(0, hyphen)) != 0 &&
           numberWords().count(bare.substr(hyphen + 1)) != 0;
}

bool isTimeOrMeasure(std::string_view bare) { return timesAndMeasures().count(bare) != 0; }

std::uint16_t wordClasses(std::string_view bare) {
    // Every listed word with all its classes, so a word costs one look-up.
    static const std::unordered_map<std::string_view, std::uint16_t> table = [] {
        std::unordered_map<std::string_view, std::uint16_t> t;
        const std::pair<const WordSet*, WordClass> sets[] = {
            {&coordinators(), kCoordinator},       {&prepositions(), kPreposition},
            {&subordinators(), kSubordinator},     {&forwardBinders(), kBindsForward},
            {&functionWords(), kFunctionWord},     {&negations(), kNegation},
            {&strongNegations(), kStrongNegation}, {&numberWords(), kNumberWord},
            {&timesAndMeasures(), kTimeOrMeasure}};
        for (const auto& [set, bit] : sets)
            for (std::string_view word : *set) t[word] |= bit;
        for (std::string_view word :
             {"island",  "islands",    "causeway",  "quay",       "harbour", "tower",    "town",   "village", "city",
              "inn",     "chapel",     "church",    "churchyard", "school",  "shore",    "beach",  "sands",   "marsh",
              "marshes", "bay",        "coast",     "mainland",   "county",  "lane",     "street", "market",  "pier",
              "jetty",   "lighthouse", "saltworks", "moor",       "hill",    "headland", "parish", "farm",    "estuary",
              "channel", "creek",      "cove",      "cliff",      "cliffs",  "dunes"})
            t[word] |= kPlaceWord;
        for (std::string_view word : {"a", "an", "the", "his", "her", "its", "their", "our", "my", "your", "this",
                                      "these", "those", "every", "each", "some", "any", "another"})
            t[word] |= kDeterminer;
        for (std::string_view word : {"i", "he", "she", "it", "we", "they", "you", "who"}) t[word] |= kSubjectPronoun;
        for (std::string_view word :
             {"was", "were", "had", "has", "have", "is", "are", "am", "be", "been", "did", "do", "does", "being"})
            t[word] |= kAuxiliary;
        return t;
    }();
    std::uint16_t classes = 0;
    if (const auto found = table.find(bare); found != table.end()) classes = found->second;
    // Not listed: "1911", "40th" or "fifty-six" are numbers too.
    if (!(classes & kNumberWord)) {
        const std::size_t hyphen = bare.find('-');
        if (hasDigit(bare) ||
            (hyphen != std::string_view::npos && (table.count(bare.substr(0, hyphen)) != 0) && isNumberWord(bare)))
            classes |= kNumberWord;
    }
    return classes;
}

} // namespace cadenzo::format
