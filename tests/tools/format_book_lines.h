// Reading a formatted book back, for the formatter's tests: written apart from
// the formatter so that a fault there is not repeated here.
#pragma once

#include "support/temp_files.h"

#include <string>
#include <vector>

namespace cadenzo::format::test {

using ::cadenzo::test::ReadFile;

// Lines of a book file: split at LF, the empty piece after the last LF dropped.
std::vector<std::string> splitLines(const std::string& text);

bool isMarker(const std::string& line);          // "pNNN" or "s000", with or without the blank
bool isPhrase(const std::string& line);          // "l" and two digits
int indentOf(const std::string& line);           // the two digits of a phrase line
std::string phraseText(const std::string& line); // tags left out, trailing blanks too

// The kind of each phrase line in a book: the title block, a chapter opening,
// the closing heading, or a line of a sentence (first or continuation).
enum class LineRole { Banner, Marker, Frame, SentenceStart, SentenceMore };
std::vector<LineRole> lineRoles(const std::vector<std::string>& lines);

// The paragraph marker of paragraph `number` ("p000" ... "p998", then "pa00"
// ... "pzzz" in base 36), without its blank.
std::string expectedMarker(int number);

// Every rule a book written by the formatter keeps, checked line by line;
// each problem as "line N: what". Highlight covers (words per highlight) are
// added to `covers` when it is given.
std::vector<std::string> ruleProblems(const std::vector<std::string>& lines, std::vector<int>* covers = nullptr);

// The words of all sentences, in order, tags and indentation left out.
std::vector<std::string> sentenceWords(const std::vector<std::string>& lines);

// Words of a plain text, split at blanks and line ends.
std::vector<std::string> wordsOf(const std::string& text);

} // namespace cadenzo::format::test
