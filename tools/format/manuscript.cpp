#include "manuscript.h"

#include "base/unicode.h"

#include <cctype>
#include <cstdio>
#include <optional>

namespace cadenzo::format {

namespace {

std::string atLine(int line) { return "line " + std::to_string(line) + ": "; }

bool isBlankText(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t') return false;
    return true;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The value after "Key:" when the line starts with it.
std::optional<std::string> keyValue(std::string_view line, std::string_view key) {
    if (line.substr(0, key.size()) != key) return std::nullopt;
    return std::string(trimmed(line.substr(key.size())));
}

// Control characters cannot be shown (a tab counts as a blank); the bar is the
// markup's own character, and two letter groups would make the reader take a
// phrase line for a marker or an anchor.
void checkCharacters(std::string_view line, int number) {
    for (std::size_t i = 0; i < line.size();) {
        const text::CodePoint cp = text::decodeAt(line, i);
        i += cp.length;
        const char32_t c = cp.value;
        if (c == '\t') continue;
        if (c < 0x20 || c == 0x7f || (c >= 0x80 && c <= 0x9f)) {
            char hex[12];
            std::snprintf(hex, sizeof hex, c < 0x80 ? "0x%02X" : "U+%04X", static_cast<unsigned>(c));
            throw FormatError(atLine(number) + "character " + hex + " is a control character, which cannot be shown");
        }
        if (c == '|') throw FormatError(atLine(number) + "the character '|' is reserved for the book's markup");
    }
    for (std::string_view reserved : {"refp", "s000"})
        if (line.find(reserved) != std::string_view::npos)
            throw FormatError(atLine(number) + "the letters '" + std::string(reserved) +
                              "' cannot appear in the text: the reader takes a line holding them "
                              "for a chapter anchor or a sentence marker");
}

std::size_t characters(std::string_view text) { return text::characterCount(text); }

void splitWords(std::string_view line, int number, std::vector<std::string>& words) {
    for (std::string_view field : splitFields(line)) {
        std::string word(field);
        if (static_cast<int>(characters(word)) > kMaxPhraseLength)
            throw FormatError(atLine(number) + "the word '" + word.substr(0, text::bytesOfCharacters(word, 20)) +
                              "...' has " + std::to_string(characters(word)) +
                              " characters; a phrase line holds at most " + std::to_string(kMaxPhraseLength) +
                              " and words are never split");
        words.push_back(std::move(word));
    }
}

bool endsSentence(std::string_view word) {
    std::size_t end = word.size();
    while (end > 0) {
        const std::size_t start = text::characterStart(word, end - 1);
        const char32_t c = text::decodeAt(word, start).value;
        if (c == '"' || c == '\'' || c == ')' || c == U'\u201D' || c == U'\u2019' || c == U'\u00BB') {
            end = start;
            continue;
        }
        return c == '.' || c == '!' || c == '?' || c == U'\u2026';
    }
    return false;
}

bool startsSentence(std::string_view word) {
    if (word.empty()) return false;
    const char32_t c = text::decodeAt(word, 0).value;
    if (c == '"' || c == U'\u201C' || c == U'\u2018' || c == U'\u00AB') return true;
    if (c < 0x80) return std::isupper(static_cast<int>(c)) != 0;
    return text::isUpperCase(c);
}

bool isRomanNumeral(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (std::string_view("IVXLCDM").find(c) == std::string_view::npos) return false;
    return true;
}

class Parser {
  public:
    Manuscript run(std::string_view text) {
        int number = 0;
        std::size_t pos = 0;
        bool sawContent = false;
        while (pos <= text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            ++number;
            checkCharacters(line, number);
            if (!isBlankText(line)) sawContent = true;
            takeLine(line, number);
            pos = end + 1;
        }
        if (!sawContent) throw FormatError("the input is empty");
        closeParagraph();
        if (book_.title.empty()) throw FormatError("no 'Title:' line: the book needs a title");
        if (book_.author.empty()) throw FormatError("no 'Author:' line: the title block names the author");
        if (book_.year.empty()) throw FormatError("no 'Year:' line: the title block gives the year");
        if (book_.chapters.empty()) throw FormatError("no 'Chapter:' line: the text must be divided into chapters");
        for (const Chapter& chapter : book_.chapters)
            if (chapter.paragraphs.empty())
                throw FormatError(atLine(chapter.sourceLine) + "chapter " + chapter.numeral + " has no text");
        return std::move(book_);
    }

  private:
    void takeLine(std::string_view line, int number) {
        if (afterClosing_) {
            if (!isBlankText(line)) throw FormatError(atLine(number) + "text after the 'Closing:' line");
            return;
        }
        if (auto numeral = keyValue(line, "Chapter:")) {
            closeParagraph();
            if (!isRomanNumeral(*numeral))
                throw FormatError(atLine(number) + "chapter number '" + *numeral +
                                  "' is not a Roman numeral (letters I V X L C D M)");
            // The number stands on a line of its own, which holds 40 characters.
            checkHeaderValue(*numeral, "Chapter:", kMaxPhraseLength, number);
            if (book_.chapters.size() == kMaxChapters)
                throw FormatError(atLine(number) + "more than " + std::to_string(kMaxChapters) + " chapters");
            book_.chapters.push_back(Chapter{number, *numeral, {}, {}, *numeral});
            return;
        }
        if (auto heading = keyValue(line, "Closing:")) {
            closeParagraph();
            if (book_.chapters.empty()) throw FormatError(atLine(number) + "'Closing:' before the first chapter");
            checkHeaderValue(*heading, "Closing:", kMaxPhraseLength, number);
            book_.hasClosing = true;
            book_.closing = *heading;
            afterClosing_ = true;
            return;
        }
        if (book_.chapters.empty()) {
            takeHeaderLine(line, number);
            return;
        }
        if (isBlankText(line)) {
            closeParagraph();
            return;
        }
        if (paragraphWords_.empty()) paragraphLine_ = number;
        splitWords(line, number, paragraphWords_);
    }

    void takeHeaderLine(std::string_view line, int number) {
        if (isBlankText(line)) return;
        struct Field {
            std::string_view key;
            std::string* value;
            int room; // the line's text beside the value
        };
        // Title: "<title>, by"; author as is; year in square brackets.
        const Field fields[] = {{"Title:", &book_.title, kMaxPhraseLength - 4},
                                {"Author:", &book_.author, kMaxPhraseLength},
                                {"Year:", &book_.year, kMaxPhraseLength - 2}};
        for (const Field& field : fields) {
            if (auto value = keyValue(line, field.key)) {
                if (!field.value->empty())
                    throw FormatError(atLine(number) + "a second '" + std::string(field.key) + "' line");
                checkHeaderValue(*value, field.key, field.room, number);
                *field.value = *value;
                return;
            }
        }
        throw FormatError(atLine(number) +
                          "text before the first 'Chapter:' line (the header holds only "
                          "'Title:', 'Author:' and 'Year:' lines)");
    }

    static void checkHeaderValue(const std::string& value, std::string_view key, int room, int number) {
        if (value.empty()) throw FormatError(atLine(number) + "'" + std::string(key) + "' has no text after it");
        if (static_cast<int>(characters(value)) > room)
            throw FormatError(atLine(number) + "'" + std::string(key) + "' text is too long: at most " +
                              std::to_string(room) + " characters fit its line");
        // The author and year also stand in the banner line, which must carry no markup.
        if (value.find('>') != std::string::npos)
            throw FormatError(atLine(number) + "'" + std::string(key) + "' text must not contain '>'");
    }

    void closeParagraph() {
        if (paragraphWords_.empty()) return;
        if (book_.chapters.empty()) return; // cannot happen: words are only taken inside a chapter
        Paragraph paragraph;
        paragraph.sourceLine = paragraphLine_;
        paragraph.sentences = splitSentences(paragraphWords_);
        book_.chapters.back().paragraphs.push_back(std::move(paragraph));
        paragraphWords_.clear();
    }

    Manuscript book_;
    std::vector<std::string> paragraphWords_;
    int paragraphLine_ = 0;
    bool afterClosing_ = false;
};

} // namespace

std::vector<std::string> Sentence::words() const {
    std::vector<std::string> out;
    for (std::string_view field : splitFields(text)) out.emplace_back(field);
    return out;
}

void Sentence::addWord(std::string_view word) {
    if (!text.empty()) text += ' ';
    text += word;
}

std::vector<Sentence> splitSentences(const std::vector<std::string>& words) {
    return splitSentences(std::vector<std::string_view>(words.begin(), words.end()));
}

std::vector<Sentence> splitSentences(const std::vector<std::string_view>& words) {
    std::vector<Sentence> sentences;
    std::size_t first = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool last = i + 1 == words.size();
        if (!last && !(endsSentence(words[i]) && startsSentence(words[i + 1]))) continue;
        // Sized exactly: a book holds many sentences.
        Sentence sentence;
        std::size_t size = i - first;
        for (std::size_t w = first; w <= i; ++w) size += words[w].size();
        sentence.text.reserve(size);
        for (std::size_t w = first; w <= i; ++w) sentence.addWord(words[w]);
        sentences.push_back(std::move(sentence));
        first = i + 1;
    }
    return sentences;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

Manuscript parseManuscript(std::string_view text) {
    const std::string decoded = text::decodeFileText(text);
    return Parser().run(decoded);
}

bool looksLikeManuscript(std::string_view text) {
    text = text::withoutBom(text);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (isBlankText(line)) continue;
        return line.substr(0, 6) == "Title:" || line.substr(0, 7) == "Author:" || line.substr(0, 5) == "Year:";
    }
    return false;
}

} // namespace cadenzo::format
