// The plain-text manuscript the formatter reads: a header (title, author,
// year), chapters of paragraphs, and an optional closing heading. See
// README.md in this folder for the format.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo::format {

// A problem with the input or the shape that the user must fix; the message
// names the line where it can.
class FormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The longest phrase text a book line may hold.
inline constexpr int kMaxPhraseLength = 40;

struct Sentence {
    std::vector<std::string> words;
};

struct Paragraph {
    int sourceLine = 0; // 1-based line of the input where it starts
    std::vector<Sentence> sentences;
};

struct Chapter {
    int sourceLine = 0;
    std::string numeral; // as given, e.g. "IV"
    std::vector<Paragraph> paragraphs;
};

struct Manuscript {
    std::string title;
    std::string author;
    std::string year;
    std::vector<Chapter> chapters;
    bool hasClosing = false;
    std::string closing; // heading of the closing section
};

// Splits a paragraph's words into sentences. A sentence ends after a word that
// ends in . ! or ? (optionally followed by closing ", ' or ) characters) when
// the next word begins with an upper-case letter or an opening ".
std::vector<Sentence> splitSentences(const std::vector<std::string>& words);

// The fields of a line: runs of characters between blanks and tabs.
std::vector<std::string_view> splitFields(std::string_view line);

// Reads a manuscript; throws FormatError naming the line of the first problem.
Manuscript parseManuscript(std::string_view text);

} // namespace cadenzo::format
