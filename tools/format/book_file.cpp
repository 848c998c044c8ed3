#include "book_file.h"

#include "base/file_path.h"
#include "base/text.h"
#include "base/unicode.h"
#include "formatter.h"
#include "plain_text.h"
#ifdef CADENZO_FORMAT_EPUB
#include "epub.h"
#endif

#include <filesystem>
#include <system_error>

namespace cadenzo::format {

namespace {

// Lines of 40 characters a sentence may fill before it is cut: well inside the
// lines that may stand between two markers, whatever the chapter's opening.
constexpr std::size_t kMaxSentenceLines = 20;
constexpr std::size_t kMaxChapterTitle = 2 * kMaxPhraseLength;
constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;

bool isBlankLike(char32_t c) {
    return c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == 0xA0 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F); }

void breakGroup(std::string& text, std::string_view group, std::size_t at) {
    std::size_t pos = 0;
    while ((pos = text.find(group, pos)) != std::string::npos) {
        text.insert(pos + at, "\u200B");
        pos += group.size() + 3;
    }
}

// Text that the book's lines can carry, on one line, blanks collapsed.
std::string clean(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size();) {
        const auto byte = static_cast<unsigned char>(raw[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '|') {
            // Printable ASCII, the usual case: kept, blanks collapsed.
            if (byte != ' ' || (!out.empty() && out.back() != ' ')) out += static_cast<char>(byte);
            ++i;
            continue;
        }
        const text::CodePoint c = text::decodeAt(raw, i);
        if (c.value < 0x80 && c.value >= 0x20 && c.value != '|' && c.value != 0x7F) {
            if (c.value != ' ' || (!out.empty() && out.back() != ' ')) out += static_cast<char>(c.value);
        } else if (isBlankLike(c.value)) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else if (c.value == '|') {
            out += "\u00A6";
        } else if (isControl(c.value) || c.value == 0xFEFF || c.value == 0x200B) {
            // not shown
        } else {
            out.append(raw, i, c.length);
        }
        i += c.length;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    breakGroup(out, "refp", 3);
    breakGroup(out, "s000", 1);
    return out;
}

// At most `room` characters: cut between words where it can, with "…".
std::string fitted(const std::string& text, std::size_t room) {
    if (text::characterCount(text) <= room) return text;
    std::size_t cut = text::bytesOfCharacters(text, room - 1);
    const std::size_t space = text.rfind(' ', cut);
    if (space != std::string::npos && space > cut / 2) cut = space;
    std::string out = text.substr(0, cut);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out + "\u2026";
}

std::size_t characters(const std::string& word) { return text::characterCount(word); }

// Views into `text`.
std::vector<std::string_view> wordsOf(const std::string& text) {
    std::vector<std::string_view> words;
    for (std::string_view field : splitFields(text)) {
        // Words are never split in a book, but a line holds 40 characters.
        while (text::characterCount(field) > static_cast<std::size_t>(kMaxPhraseLength)) {
            const std::size_t cut = text::bytesOfCharacters(field, kMaxPhraseLength);
            words.emplace_back(field.substr(0, cut));
            field.remove_prefix(cut);
        }
        if (!field.empty()) words.emplace_back(field);
    }
    return words;
}

bool endsClause(const std::string& word) {
    if (word.empty()) return false;
    const std::size_t start = text::characterStart(word, word.size() - 1);
    const char32_t c = text::decodeAt(word, start).value;
    return c == ',' || c == ';' || c == ':' || c == U'\u2014' || c == U'\u2013';
}

// A sentence cut into pieces of at most kMaxSentenceLines lines when packed
// tight, each cut after the last comma, semicolon, colon or dash in the
// second half of a piece, or else at a word.
void addSentence(Sentence&& sentence, std::vector<Sentence>& out) {
    // Two lines side by side always hold more than 40 characters, so a
    // sentence of at most 360 bytes packs into fewer lines than the limit.
    static_assert(2 * (360 / (kMaxPhraseLength + 1) + 1) + 1 <= static_cast<int>(kMaxSentenceLines));
    if (sentence.text.size() <= 360) {
        out.push_back(std::move(sentence));
        return;
    }
    std::size_t first = 0;
    const std::vector<std::string> words = sentence.words();
    while (first < words.size()) {
        std::size_t lines = 1;
        std::size_t length = 0;
        std::size_t end = first;
        for (; end < words.size(); ++end) {
            const std::size_t w = characters(words[end]);
            if (length > 0 && length + 1 + w > static_cast<std::size_t>(kMaxPhraseLength)) {
                if (++lines > kMaxSentenceLines) break;
                length = w;
            } else {
                length += (length > 0 ? 1 : 0) + w;
            }
        }
        if (end < words.size()) {
            for (std::size_t j = end; j > first + (end - first) / 2; --j)
                if (endsClause(words[j - 1])) {
                    end = j;
                    break;
                }
        }
        Sentence piece;
        for (std::size_t w = first; w < end; ++w) piece.addWord(words[w]);
        out.push_back(std::move(piece));
        first = end;
    }
}

std::string withoutEndMarks(std::string text) {
    while (!text.empty() && (text.back() == '.' || text.back() == ':' || text.back() == ' ')) text.pop_back();
    return text;
}

std::string withoutMarkupSigns(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '>') out += c;
    return out;
}

} // namespace

bool readsEpub() {
#ifdef CADENZO_FORMAT_EPUB
    return true;
#else
    return false;
#endif
}

BookKind bookKindOf(const std::string& name, std::string_view bytes) {
    const auto path = pathFromUtf8(name);
    if (path && asciiLower(utf8FromPath(path->extension())) == ".epub") return BookKind::Epub;
    return looksLikeManuscript(bytes) ? BookKind::Manuscript : BookKind::PlainText;
}

namespace {

// A book of more chapters than anchors can number keeps all its text: the
// chapters past the last anchor run on in the last chapter, each heading a
// paragraph of its own.
void foldChaptersPastTheLast(Manuscript& book) {
    if (book.chapters.size() <= kMaxChapters) return;
    Chapter& last = book.chapters[kMaxChapters - 1];
    for (std::size_t c = kMaxChapters; c < book.chapters.size(); ++c) {
        Chapter& chapter = book.chapters[c];
        const std::vector<std::string_view> heading = wordsOf(chapter.caption);
        if (!heading.empty()) {
            Paragraph paragraph;
            paragraph.sourceLine = chapter.sourceLine;
            for (Sentence& sentence : splitSentences(heading)) addSentence(std::move(sentence), paragraph.sentences);
            last.paragraphs.push_back(std::move(paragraph));
        }
        for (Paragraph& paragraph : chapter.paragraphs) last.paragraphs.push_back(std::move(paragraph));
    }
    book.chapters.resize(kMaxChapters);
}

} // namespace

Manuscript bookFromText(TextBook source, const std::string& fallbackTitle) {
    Manuscript book;
    book.title = fitted(clean(source.title), kMaxPhraseLength - 4);
    if (book.title.empty()) book.title = fitted(clean(fallbackTitle), kMaxPhraseLength - 4);
    // The author and the year also stand in the banner line, which carries no markup.
    book.author = fitted(withoutMarkupSigns(clean(source.author)), kMaxPhraseLength);
    book.year = fitted(withoutMarkupSigns(clean(source.year)), kMaxPhraseLength - 2);
    const std::string bookTitle = clean(source.title).empty() ? book.title : clean(source.title);
    for (TextChapter& from : source.chapters) {
        Chapter chapter;
        chapter.numeral = fitted(clean(from.heading), kMaxPhraseLength);
        chapter.title = fitted(clean(from.title), kMaxChapterTitle);
        for (const TextParagraph& text : from.paragraphs) {
            const std::string cleaned = clean(text.text);
            const std::vector<std::string_view> words = wordsOf(cleaned);
            if (words.empty()) continue;
            Paragraph paragraph;
            paragraph.sourceLine = text.sourceLine;
            for (Sentence& sentence : splitSentences(words)) addSentence(std::move(sentence), paragraph.sentences);
            if (chapter.paragraphs.empty()) chapter.sourceLine = text.sourceLine;
            chapter.paragraphs.push_back(std::move(paragraph));
        }
        if (chapter.paragraphs.empty()) continue;
        const std::string heading = withoutEndMarks(chapter.numeral);
        if (!heading.empty() && !chapter.title.empty())
            chapter.caption = heading + " \u2014 " + chapter.title;
        else
            chapter.caption = !heading.empty() ? heading : chapter.title;
        if (chapter.caption.empty()) chapter.caption = bookTitle;
        book.chapters.push_back(std::move(chapter));
    }
    if (book.chapters.empty()) throw FormatError("the book has no text");
    foldChaptersPastTheLast(book);
    return book;
}

Manuscript readBook(std::string_view bytes, const std::string& name, std::optional<BookKind> kind) {
    const BookKind k = kind ? *kind : bookKindOf(name, bytes);
    const auto path = pathFromUtf8(name);
    const std::string stem = path ? utf8FromPath(path->stem()) : name;
    try {
        switch (k) {
        case BookKind::Manuscript: return parseManuscript(bytes);
        case BookKind::PlainText: {
            // UTF-8 is read where it lies; only Windows-1252 needs a converted copy.
            const std::string_view utf8 = text::withoutBom(bytes);
            const std::string converted = text::isValidUtf8(utf8) ? std::string() : text::decodeFileText(bytes);
            const std::string_view text = converted.empty() ? utf8 : converted;
            if (text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos)
                throw FormatError("the input is empty");
            return bookFromText(readPlainText(text), stem);
        }
        case BookKind::Epub:
#ifdef CADENZO_FORMAT_EPUB
            return bookFromText(readEpub(bytes), stem);
#else
            throw FormatError("this build of Cadenzo cannot read EPUB books");
#endif
        }
    } catch (const FormatError& e) {
        throw FormatError(name + ": " + e.what());
    }
    throw FormatError(name + ": unknown kind of book");
}

namespace {

LaidOutBook laidOutHeader(const Manuscript& book, BookKind kind) {
    LaidOutBook out;
    out.kind = kind;
    out.title = book.title;
    out.author = book.author;
    out.year = book.year;
    for (std::size_t c = 0; c < book.chapters.size(); ++c)
        out.chapters.push_back(LaidOutChapter{book.chapters[c].caption, chapterAnchor(c), 0});
    return out;
}

LaidOutBook laidOut(const Manuscript& book, const std::string& name, BookKind kind, bool besideThread = false,
                    const BookLayoutWatch& watch = {}) {
    LaidOutBook out = laidOutHeader(book, kind);
    LayoutWatch formatterWatch{watch.progress, {}};
    if (watch.firstPart)
        formatterWatch.firstPart = [&out, &watch](const std::vector<std::string>& lines) {
            LaidOutBook part = out;
            part.lines = lines;
            watch.firstPart(part);
        };
    try {
        out.lines = formatBook(book, besideThread, formatterWatch);
    } catch (const FormatError& e) {
        throw FormatError(name + ": " + e.what());
    }
    // Each chapter's anchor line, found in book order.
    std::size_t chapter = 0;
    for (std::size_t i = 0; i < out.lines.size() && chapter < out.chapters.size(); ++i)
        if (out.lines[i].compare(0, 4, "l00|") == 0 && out.lines[i].compare(4, 8, out.chapters[chapter].anchor) == 0)
            out.chapters[chapter++].line = i;
    return out;
}

} // namespace

LaidOutBook layOutBook(std::string_view bytes, const std::string& name, std::optional<BookKind> kind) {
    const BookKind k = kind ? *kind : bookKindOf(name, bytes);
    return laidOut(readBook(bytes, name, k), name, k);
}

std::string readBookFileBytes(const std::string& path) {
    const auto file = pathFromUtf8(path);
    if (!file) throw FormatError("cannot read '" + path + "': no such file, or not readable");
    std::error_code ec;
    if (std::filesystem::is_directory(*file, ec)) throw FormatError("cannot read '" + path + "': it is a folder");
    const std::string tooLarge = "cannot read '" + path + "': it has more than " +
                                 std::to_string(kMaxFileBytes / (1024 * 1024)) + " MB, more than any book";
    if (const auto size = std::filesystem::file_size(*file, ec); !ec && size > kMaxFileBytes)
        throw FormatError(tooLarge);
    ReadFailure failure = ReadFailure::CannotOpen;
    std::optional<std::string> text = readWholeFile(*file, kMaxFileBytes, &failure);
    if (text) return std::move(*text);
    switch (failure) {
    case ReadFailure::TooLarge: throw FormatError(tooLarge);
    case ReadFailure::CannotRead: throw FormatError("cannot read '" + path + "'");
    case ReadFailure::CannotOpen: break;
    }
    throw FormatError("cannot read '" + path + "': no such file, or not readable");
}

LaidOutBook layOutBookFile(const std::string& path, std::optional<BookKind> kind, bool besideThread,
                           const BookLayoutWatch& watch) {
    std::string bytes = readBookFileBytes(path);
    const BookKind k = kind ? *kind : bookKindOf(path, bytes);
    const Manuscript book = readBook(bytes, path, k);
    std::string().swap(bytes); // the model holds the text now
    return laidOut(book, path, k, besideThread, watch);
}

} // namespace cadenzo::format
