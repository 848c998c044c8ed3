#include "plain_text.h"

#include "plain_text_headings.h"

#include "base/text.h"
#include "base/unicode.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace cadenzo::format {

namespace {

using plain::characters;
using plain::Heading;
using plain::HeadingKind;
using plain::headingOf;
using plain::isSpace;
using plain::trim;

struct Line {
    int number = 0; // 1-based
    std::string_view text;
};

// Consecutive lines with text; blank lines stand between blocks.
struct Block {
    std::vector<Line> lines;
};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && asciiLower(text.substr(0, prefix.size())) == prefix;
}

// A line that ends a sentence or a clause reads as text, not as a title.
bool endsLikeText(std::string_view line) {
    if (line.empty()) return false;
    const std::size_t start = text::characterStart(line, line.size() - 1);
    const char32_t c = text::decodeAt(line, start).value;
    return c == '.' || c == '!' || c == '?' || c == ',' || c == ';' || c == ':' || c == '"' || c == U'\u201D' ||
           c == U'\u2019' || c == U'\u2026';
}

bool hasLowerCase(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const text::CodePoint c = text::decodeAt(line, i);
        i += c.length;
        if (c.value < 0x80
                ? std::islower(static_cast<int>(c.value)) != 0
                : text::isLetter(c.value) && !text::isUpperCase(c.value) && text::upperCase(c.value) != c.value)
            return true;
    }
    return false;
}

// A chapter title line under a heading: short, one line, not a sentence.
bool isTitleLine(const Block& block) {
    if (block.lines.size() != 1) return false;
    const std::string_view line = trim(block.lines.front().text);
    if (line.empty() || characters(line) > 60) return false;
    if (headingOf(line).kind != HeadingKind::None) return false;
    return !hasLowerCase(line) || !endsLikeText(line);
}

std::string joined(const Block& block) {
    std::string out;
    std::size_t size = 0;
    for (const Line& line : block.lines) size += line.text.size() + 1;
    out.reserve(size);
    for (const Line& line : block.lines) {
        const std::string_view t = trim(line.text);
        if (t.empty()) continue;
        if (!out.empty()) out += ' ';
        out += t;
    }
    return out;
}

std::string folded(std::string_view s) {
    std::string out;
    for (char c : text::toLower(s))
        if (!isSpace(c) || (!out.empty() && out.back() != ' ')) out += isSpace(c) ? ' ' : c;
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    return out;
}

std::string firstYear(std::string_view s) {
    for (std::size_t i = 0; i + 4 <= s.size(); ++i) {
        const bool digits =
            std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.begin() + static_cast<std::ptrdiff_t>(i + 4),
                        [](char c) { return c >= '0' && c <= '9'; });
        const bool alone = (i == 0 || !std::isdigit(static_cast<unsigned char>(s[i - 1]))) &&
                           (i + 4 == s.size() || !std::isdigit(static_cast<unsigned char>(s[i + 4])));
        if (digits && alone && (s[i] == '1' || s[i] == '2')) return std::string(s.substr(i, 4));
    }
    return {};
}

// "Key: value" metadata of a public-domain library header.
bool takeMetadata(std::string_view line, TextBook& book) {
    line = trim(line);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 30) return false;
    const std::string key = asciiLower(line.substr(0, colon));
    for (char c : key)
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ' && c != '-') return false;
    const std::string value(trim(line.substr(colon + 1)));
    if (key == "title") {
        if (book.title.empty()) book.title = value;
    } else if (key == "author") {
        if (book.author.empty()) book.author = value;
    } else if (key == "release date" || key == "posting date" || key == "original publication") {
        if (book.year.empty()) book.year = firstYear(value);
    } else {
        static const std::array<std::string_view, 12> others = {
            "language", "character set encoding", "produced by", "credits", "translator",  "illustrator",
            "editor",   "most recently updated",  "updated",     "ebook",   "contributor", "first posted"};
        if (std::find(others.begin(), others.end(), key) == others.end()) return false;
    }
    return true;
}

bool isLibraryMark(std::string_view line, std::string_view what) {
    line = trim(line);
    return line.substr(0, 3) == "***" && asciiLower(line).find(what) != std::string::npos;
}

class Reader {
  public:
    TextBook run(std::string_view text) {
        splitLines(text);
        std::size_t begin = 0;
        std::size_t end = lines_.size();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (isLibraryMark(lines_[i].text, "start of")) {
                for (std::size_t h = 0; h < i; ++h) takeMetadata(lines_[h].text, book_);
                begin = i + 1;
                break;
            }
        }
        for (std::size_t i = begin; i < lines_.size(); ++i)
            if (isLibraryMark(lines_[i].text, "end of")) {
                end = i;
                break;
            }
        makeBlocks(begin, end);
        takeTopMetadata();
        takeTitleBlock();
        buildChapters();
        return std::move(book_);
    }

  private:
    void splitLines(std::string_view text) {
        std::size_t pos = 0;
        int number = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string_view::npos) end = text.size();
            std::string_view line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(Line{++number, line});
            pos = end + 1;
        }
    }

    void makeBlocks(std::size_t begin, std::size_t end) {
        std::size_t textLines = 0;
        std::size_t longLines = 0;
        for (std::size_t i = begin; i < end; ++i) {
            const std::size_t length = trim(lines_[i].text).size();
            if (length == 0) continue;
            ++textLines;
            if (length > 200) ++longLines;
        }
        // A text that keeps each paragraph on one long line may have no blank lines between them.
        const bool linePerParagraph = textLines > 0 && longLines * 4 >= textLines;
        Block block;
        for (std::size_t i = begin; i < end; ++i) {
            const bool blank = trim(lines_[i].text).empty();
            if (blank || linePerParagraph) {
                if (!block.lines.empty()) blocks_.push_back(std::move(block));
                block = Block{};
            }
            if (!blank) block.lines.push_back(lines_[i]);
        }
        if (!block.lines.empty()) blocks_.push_back(std::move(block));
    }

    // Metadata lines at the top of a text without the library's marks.
    void takeTopMetadata() {
        std::size_t taken = 0;
        bool named = false;
        while (taken < blocks_.size()) {
            const Block& block = blocks_[taken];
            TextBook probe = book_;
            bool all = true;
            for (const Line& line : block.lines) all = all && takeMetadata(line.text, probe);
            if (!all) break;
            named = named || probe.title != book_.title || probe.author != book_.author;
            book_ = probe;
            ++taken;
        }
        if (named) blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(taken));
    }

    // The title (and "by Author") at the top of the text.
    void takeTitleBlock() {
        if (blocks_.empty()) return;
        const Block& first = blocks_.front();
        const std::string text = joined(first);
        // "by Jane Quill": short, and no sentence.
        const std::string by = blocks_.size() > 1 ? joined(blocks_[1]) : std::string();
        const bool byNext = startsWithNoCase(by, "by ") && characters(by) <= 60 && !endsLikeText(by);
        std::size_t drop = 0;
        if (!book_.title.empty()) {
            if (folded(text) == folded(book_.title)) drop = byNext ? 2 : 1;
        } else if (first.lines.size() <= 3 && characters(text) <= 80 &&
                   headingOf(first.lines.front().text).kind == HeadingKind::None &&
                   (byNext || (first.lines.size() == 1 && !endsLikeText(text)))) {
            book_.title = text;
            drop = byNext ? 2 : 1;
        }
        if (drop == 2 && book_.author.empty()) book_.author = std::string(trim(joined(blocks_[1]).substr(3)));
        blocks_.erase(blocks_.begin(), blocks_.begin() + static_cast<std::ptrdiff_t>(drop));
    }

    void buildChapters() {
        std::vector<Heading> headings(blocks_.size());
        int bare = 0;
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            const Block& block = blocks_[b];
            if (block.lines.size() > 2) continue;
            Heading h = headingOf(block.lines.front().text);
            if (h.kind == HeadingKind::None) continue;
            if (block.lines.size() == 2) {
                // A heading with its title on the next line.
                const std::string_view second = trim(block.lines[1].text);
                if (!h.title.empty() || characters(second) > 80 || headingOf(second).kind != HeadingKind::None)
                    continue;
                h.title = std::string(second);
            }
            if (h.bare) ++bare;
            headings[b] = std::move(h);
        }
        // A lone numeral is a heading only when the text numbers its chapters that way.
        if (bare < 2)
            for (Heading& h : headings)
                if (h.bare) h = Heading{};

        TextChapter chapter;
        std::string part;
        for (std::size_t b = 0; b < blocks_.size(); ++b) {
            Heading& h = headings[b];
            if (h.kind == HeadingKind::None) {
                const Block& block = blocks_[b];
                chapter.paragraphs.push_back(TextParagraph{block.lines.front().number, joined(block)});
                continue;
            }
            if (h.title.empty() && b + 1 < blocks_.size() && headings[b + 1].kind == HeadingKind::None &&
                isTitleLine(blocks_[b + 1]) && b + 2 < blocks_.size()) {
                h.title = std::string(trim(blocks_[b + 1].lines.front().text));
                ++b;
            }
            finish(chapter);
            if (h.kind == HeadingKind::Part && b + 1 < blocks_.size() && headings[b + 1].kind == HeadingKind::Chapter) {
                // "BOOK II" above a chapter: kept with the chapter's heading.
                part = h.label + (h.title.empty() ? "" : " \u2014 " + h.title);
                chapter = TextChapter{};
                continue;
            }
            chapter = TextChapter{};
            chapter.heading = part.empty() ? h.label : part + " \u2014 " + h.label;
            chapter.title = h.title;
            part.clear();
        }
        finish(chapter);
    }

    void finish(TextChapter& chapter) {
        if (chapter.paragraphs.empty()) return; // a contents entry or a heading without text
        book_.chapters.push_back(std::move(chapter));
    }

    std::vector<Line> lines_;
    std::vector<Block> blocks_;
    TextBook book_;
};

} // namespace

TextBook readPlainText(std::string_view text) { return Reader().run(text); }

} // namespace cadenzo::format
