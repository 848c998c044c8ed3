#include "format_book_lines.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace cadenzo::format::test {

namespace {

constexpr int kMaxText = 40;
constexpr int kMaxGap = 33;

bool digits(const std::string& text, std::size_t from, std::size_t count) {
    if (text.size() < from + count) return false;
    for (std::size_t i = from; i < from + count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool startsWith(const std::string& text, const std::string& head) { return text.rfind(head, 0) == 0; }

std::string at(std::size_t line) { return "line " + std::to_string(line) + ": "; }

// Characters of UTF-8 text: every byte but the continuation bytes.
std::size_t characterCount(const std::string& text) {
    std::size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

bool markerCharacters(const std::string& line) {
    if (line.size() < 4 || line[0] != 'p') return false;
    for (std::size_t i = 1; i < 4; ++i)
        if (!std::isdigit(static_cast<unsigned char>(line[i])) && !(line[i] >= 'a' && line[i] <= 'z')) return false;
    return true;
}

int countWords(const std::string& text) {
    std::istringstream in(text);
    std::string word;
    int n = 0;
    while (in >> word) ++n;
    return n;
}

// Checks the tags of one phrase line's text (after "lNN").
void checkTags(const std::string& body, std::size_t line, LineRole role, int indent, std::vector<std::string>& problems,
               std::vector<int>* covers) {
    std::size_t openAt = std::string::npos; // end of the open colour tag
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != '|') continue;
        const std::size_t close = body.find('>', i);
        if (close == std::string::npos) {
            problems.push_back(at(line) + "tag without '>'");
            return;
        }
        const std::string code = body.substr(i + 1, close - i - 1);
        const bool colour = code.size() == 1 && code[0] >= '6' && code[0] <= '9';
        if (colour) {
            if (openAt != std::string::npos) problems.push_back(at(line) + "highlight inside highlight");
            if (i == 0) {
                if (role != LineRole::SentenceStart || indent != 0)
                    problems.push_back(at(line) + "highlight opens a line that is no sentence start");
            } else if (body[i - 1] == ' ') {
                problems.push_back(at(line) + "colour tag not right after a word");
            }
            if (i > 0 && (close + 1 >= body.size() || body[close + 1] != ' '))
                problems.push_back(at(line) + "colour tag not followed by a blank");
            openAt = close + 1;
        } else if (code == "4") {
            if (openAt == std::string::npos) {
                problems.push_back(at(line) + "|4> without a highlight");
            } else {
                if (body[i - 1] == ' ') problems.push_back(at(line) + "|4> not right after a word");
                if (covers) covers->push_back(countWords(body.substr(openAt, i - openAt)));
            }
            openAt = std::string::npos;
        } else if (code == "b" || code == "n" || code == "p" ||
                   (code.size() == 8 && startsWith(code, "refpt") && digits(code, 5, 3))) {
            if (openAt != std::string::npos) problems.push_back(at(line) + "tag inside highlight");
        } else {
            problems.push_back(at(line) + "unexpected tag |" + code + ">");
        }
        i = close;
    }
    if (openAt != std::string::npos) problems.push_back(at(line) + "highlight not closed on its line");
}

} // namespace

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    return lines;
}

bool isMarker(const std::string& line) {
    const bool paragraph = markerCharacters(line);
    const bool sentence = startsWith(line, "s000");
    return (paragraph || sentence) && (line.size() == 4 || line == line.substr(0, 4) + " ");
}

bool isPhrase(const std::string& line) { return line.size() >= 3 && line[0] == 'l' && digits(line, 1, 2); }

int indentOf(const std::string& line) { return isPhrase(line) ? std::stoi(line.substr(1, 2)) : -1; }

std::string phraseText(const std::string& line) {
    std::string out;
    for (std::size_t i = 3; i < line.size(); ++i) {
        if (line[i] == '|') {
            const std::size_t close = line.find('>', i);
            if (close == std::string::npos) break;
            i = close;
            continue;
        }
        out += line[i];
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::vector<LineRole> lineRoles(const std::vector<std::string>& lines) {
    std::vector<LineRole> roles(lines.size(), LineRole::Frame);
    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& line = lines[i];
        if (i == 0) {
            roles[i] = LineRole::Banner;
        } else if (isMarker(line)) {
            roles[i] = LineRole::Marker;
        } else if (i <= 3 || line.find("|refpt") != std::string::npos || startsWith(line, "l00|b>") ||
                   line == "l00|p> " ||
                   (n >= 3 && i == n - 2 && startsWith(lines[n - 3], "p") && startsWith(line, "l27"))) {
            roles[i] = LineRole::Frame;
        } else {
            const std::string& before = lines[i - 1];
            roles[i] = isMarker(before) || before == "l00|p> " ? LineRole::SentenceStart : LineRole::SentenceMore;
        }
    }
    return roles;
}

std::string expectedMarker(int number) {
    if (number < 999) {
        char text[16];
        std::snprintf(text, sizeof text, "p%03d", number);
        return text;
    }
    // "a00" is 10 * 36 * 36 in base 36; "zzz" the last before starting again.
    int value = 12960 + (number - 999) % (46656 - 12960);
    std::string out = "p";
    const char* digits36 = "0123456789abcdefghijklmnopqrstuvwxyz";
    out += digits36[value / 1296];
    value %= 1296;
    out += digits36[value / 36];
    out += digits36[value % 36];
    return out;
}

std::vector<std::string> ruleProblems(const std::vector<std::string>& lines, std::vector<int>* covers) {
    std::vector<std::string> problems;
    const std::size_t n = lines.size();
    if (n < 5) return {"a book has at least five lines"};

    const std::string& banner = lines[0];
    for (char c : banner)
        if ((c >= 0 && c < 0x20) || c == 0x7f) problems.push_back(at(0) + "banner holds a control character");
    for (const char* bad : {"|", ">", "refp", "s000"})
        if (banner.find(bad) != std::string::npos) problems.push_back(at(0) + "banner holds " + bad);
    if (banner.empty() || std::string("lpsr").find(banner[0]) != std::string::npos)
        problems.push_back(at(0) + "banner begins like a book line");
    const bool author = lines[2] != "l08  ";
    if (!startsWith(lines[1], "l00|b>") || !endsWith(lines[1], author ? ", by  " : "  "))
        problems.push_back(at(1) + "title line");
    if (!startsWith(lines[2], "l08") || !endsWith(lines[2], "  ")) problems.push_back(at(2) + "author line");
    if (!(startsWith(lines[3], "l08[") && endsWith(lines[3], "]|n> ")) && lines[3] != "l00|n> ")
        problems.push_back(at(3) + "year line");

    const auto roles = lineRoles(lines);
    int nextParagraph = 0;
    int chapter = 0;
    int gap = -1; // phrase lines since the last marker; -1 before the first
    for (std::size_t i = 1; i < n; ++i) {
        const std::string& line = lines[i];
        const bool last = i + 1 == n;
        if (last ? !(isMarker(line) && line.size() == 4 && line[0] == 'p') : !endsWith(line, " "))
            problems.push_back(
                at(i) + (last ? "last line is not a paragraph marker without blank" : "does not end in a blank"));
        if (roles[i] == LineRole::Marker) {
            if (line[0] == 'p' && line.substr(0, 4) != expectedMarker(nextParagraph++))
                problems.push_back(at(i) + "paragraph markers out of order");
            if (gap == 0 || gap > kMaxGap)
                problems.push_back(at(i) + std::to_string(gap) + " phrase lines since the last marker");
            gap = 0;
            continue;
        }
        if (!isPhrase(line)) {
            problems.push_back(at(i) + "neither phrase line nor marker");
            continue;
        }
        if (gap >= 0) ++gap;
        const int indent = indentOf(line);
        const std::string body = line.substr(3);
        if ((indent == 0) != (!body.empty() && body[0] == '|'))
            problems.push_back(at(i) + "indentation 00 exactly when the text begins with a tag");
        if (static_cast<int>(characterCount(phraseText(line))) > kMaxText)
            problems.push_back(at(i) + "phrase text longer than 40 characters");
        if (roles[i] == LineRole::SentenceStart && indent != 5 &&
            !(indent == 0 && body.size() > 3 && body[1] >= '6' && body[1] <= '9'))
            problems.push_back(at(i) + "sentence does not start at 05");
        if (roles[i] == LineRole::SentenceMore && (indent < 2 || indent > 32))
            problems.push_back(at(i) + "continuation line outside 02-32");
        if (line.find("|refpt") != std::string::npos) {
            char name[16];
            std::snprintf(name, sizeof name, "%03d", ++chapter);
            // The anchor, the number and title lines in bold, a marker, "|p>".
            std::size_t next = i + 1;
            while (next < n && startsWith(lines[next], "l00|b>") && endsWith(lines[next], "|n> ")) ++next;
            const bool opening = line == "l00|refpt" + std::string(name) + "> " && next + 1 < n && next - i <= 4 &&
                                 lines[next][0] == 'p' && lines[next + 1] == "l00|p> ";
            if (!opening) problems.push_back(at(i) + "chapter opening");
        }
        checkTags(body, i, roles[i], indent, problems, covers);
    }
    return problems;
}

std::vector<std::string> sentenceWords(const std::vector<std::string>& lines) {
    std::vector<std::string> words;
    const auto roles = lineRoles(lines);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (roles[i] == LineRole::SentenceStart || roles[i] == LineRole::SentenceMore)
            for (std::string& word : wordsOf(phraseText(lines[i]))) words.push_back(std::move(word));
    return words;
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

} // namespace cadenzo::format::test
