// The book the layout works on, whatever file it came from: title, author,
// year, chapters of paragraphs of sentences of words (UTF-8), and an optional
// closing heading; and the reader of the manuscript format, which gives it
// directly. See README.md in this folder for the format.
#pragma once

#include <cstddef>
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
// Most chapters a book has: an anchor is "refpt" and three digits, from "refpt001".
inline constexpr std::size_t kMaxChapters = 999;

// A sentence keeps its words joined by single blanks (a word holds no blank),
// so a book costs little more memory than its text.
struct Sentence {
    std::string text;
    std::vector<std::string> words() const;
    void addWord(std::string_view word);
};

struct Paragraph {
    int sourceLine = 0; // 1-based line of the input where it starts
    std::vector<Sentence> sentences;
};

struct Chapter {
    int sourceLine = 0;
    std::string numeral; // its number line as given, e.g. "IV" or "CHAPTER IV."; may be empty
    std::vector<Paragraph> paragraphs;
    std::string title;   // a chapter title shown in bold under the number; may be empty
    std::string caption; // how a table of contents names it, e.g. "Chapter One — The Storm"
};

struct Manuscript {
    std::string title;
    std::string author;
    std::string year;
    std::vector<Chapter> chapters;
    bool hasClosing = false;
    std::string closing; // heading of the closing section
};

// How many sentences the book's chapters hold.
inline std::size_t sentenceCount(const Manuscript& book) {
    std::size_t sentences = 0;
    for (const Chapter& chapter : book.chapters)
        for (const Paragraph& paragraph : chapter.paragraphs) sentences += paragraph.sentences.size();
    return sentences;
}

// Splits a paragraph's words into sentences. A sentence ends after a word that
// ends in . ! ? or … (optionally followed by closing " ' ) ” ’ » characters)
// when the next word begins with an upper-case letter or an opening " “ ‘ «.
std::vector<Sentence> splitSentences(const std::vector<std::string>& words);
std::vector<Sentence> splitSentences(const std::vector<std::string_view>& words);

// The fields of a line: runs of characters between blanks and tabs.
std::vector<std::string_view> splitFields(std::string_view line);

// Reads a manuscript (UTF-8, or Windows-1252 when not valid UTF-8); throws
// FormatError naming the line of the first problem.
Manuscript parseManuscript(std::string_view text);

// True when the text is in the manuscript format: its first line with text
// starts one of the header's lines, "Title:", "Author:" or "Year:".
bool looksLikeManuscript(std::string_view text);

} // namespace cadenzo::format
