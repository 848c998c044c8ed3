#include "epub_text.h"

#include "epub_xml.h"

#include "base/text.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace cadenzo::format::epub {

namespace {

bool isBlock(const std::string& name) {
    static const std::set<std::string, std::less<>> blocks = {
        "p",  "div",    "h1",         "h2",    "h3",      "h4",      "h5",         "h6",
        "li", "ul",     "ol",         "dl",    "dd",      "dt",      "blockquote", "pre",
        "td", "th",     "tr",         "table", "section", "article", "header",     "footer",
        "hr", "figure", "figcaption", "main",  "address", "center",  "body",       "caption"};
    return blocks.count(name) != 0;
}

// A note marker: a raised number or sign, or a link whose text is only that.
bool isNoteMarker(const XmlNode& node, const std::string& name) {
    if (name != "sup" && name != "a") return false;
    std::string all;
    for (XmlNode n = node.firstChild(); n; n = n.nextSibling()) all += n.isText() ? n.value() : n.childValue();
    const std::string marker = collapsed(all);
    const bool looksLikeMarker =
        !marker.empty() && marker.size() <= 6 && std::all_of(marker.begin(), marker.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) || c == '[' || c == ']' || c == '*' || c == '(' ||
                   c == ')' || c == ' ';
        });
    if (name == "sup") return looksLikeMarker;
    return looksLikeMarker && attribute(node, "href").find('#') != std::string::npos;
}

bool isSkipped(const XmlNode& node, const std::string& name) {
    static const std::set<std::string, std::less<>> skipped = {
        "script", "style",  "head",  "img",    "svg",      "math",   "object", "video", "audio", "iframe", "image",
        "nav",    "button", "input", "select", "noscript", "canvas", "embed",  "map",   "rt",    "rp",     "template"};
    if (skipped.count(name) != 0) return true;
    const std::string type = attribute(node, "type");
    for (std::string_view note : {"noteref", "footnote", "endnote", "rearnote", "pagebreak", "annoref"})
        if (type.find(note) != std::string::npos) return true;
    const std::string role = attribute(node, "role");
    if (role.find("noteref") != std::string::npos || role.find("pagebreak") != std::string::npos) return true;
    return isNoteMarker(node, name);
}

// Letters and digits only, lower-cased: for comparing a heading with a chapter's name.
std::string folded(const std::string& s) {
    std::string out;
    for (char c : asciiLower(collapsed(s)))
        if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) out += c;
    return out;
}

// The heading level of "h1" to "h6", else 0.
int headingLevel(const std::string& name) {
    if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') return name[1] - '0';
    return 0;
}

// The highest heading level the documents use, for books without contents.
int topHeadingLevel(const std::vector<XmlDocument>& docs) {
    int best = 0;
    for (const XmlDocument& doc : docs)
        for (int level = 1; level <= 3 && (best == 0 || level < best); ++level)
            if (firstDescendant(doc.root(), "h" + std::to_string(level))) best = level;
    return best;
}

class ChapterReader {
  public:
    explicit ChapterReader(const Contents& contents) : contents_(contents) {}

    std::vector<TextChapter> run(const std::vector<std::string>& spine, const std::vector<XmlDocument>& docs) {
        useHeadings_ = contents_.empty();
        chapterLevel_ = useHeadings_ ? topHeadingLevel(docs) : 0;
        chapters_.push_back(TextChapter{});
        for (std::size_t i = 0; i < spine.size() && i < docs.size(); ++i) {
            if (const auto t = contents_.find(Target{spine[i], ""}); t != contents_.end()) startChapter(t->second);
            walk(docs[i], spine[i]);
            flush();
        }
        std::vector<TextChapter> kept;
        for (TextChapter& chapter : chapters_)
            if (!chapter.paragraphs.empty()) kept.push_back(std::move(chapter));
        return kept;
    }

  private:
    void flush() {
        std::string text = withEntities(collapsed(paragraph_));
        paragraph_.clear();
        if (text.empty()) return;
        const bool heading = paragraphLevel_ > 0;
        const int level = paragraphLevel_;
        paragraphLevel_ = 0;
        if (useHeadings_ && heading && level == chapterLevel_) {
            startChapter(text);
            return;
        }
        TextChapter& chapter = chapters_.back();
        // The heading that repeats the contents' name for the chapter.
        if (heading && chapter.paragraphs.empty() && !chapter.title.empty()) {
            const std::string a = folded(text);
            const std::string b = folded(chapter.title);
            if (!a.empty() && (a == b || b.find(a) != std::string::npos || a.find(b) != std::string::npos)) return;
        }
        chapter.paragraphs.push_back(TextParagraph{0, std::move(text)});
    }

    void startChapter(const std::string& title) {
        flush();
        if (chapters_.back().paragraphs.empty() && chapters_.size() > 1)
            chapters_.back().title = title; // two names for one place: the last wins
        else
            chapters_.push_back(TextChapter{{}, title, {}});
    }

    void enter(const XmlNode& node, const std::string& entry, const std::string& name) {
        for (const char* idName : {"id", "name"}) {
            const std::string_view id = node.attribute(idName);
            if (id.empty()) continue;
            if (const auto t = contents_.find(Target{entry, std::string(id)}); t != contents_.end())
                startChapter(t->second);
        }
        if (isBlock(name)) flush();
        if (const int level = headingLevel(name); level > 0) paragraphLevel_ = level;
        if (name == "br") paragraph_ += ' ';
    }

    void walk(const XmlDocument& doc, const std::string& entry) {
        const XmlNode body = firstDescendant(doc.root(), "body");
        const XmlNode root = body ? body : doc.documentElement();
        if (!root) return;
        walkBelow(
            root,
            [&](const XmlNode& n) {
                if (n.isText()) {
                    paragraph_ += n.value();
                } else if (n.isElement()) {
                    const std::string name = localName(n);
                    if (!isSkipped(n, name)) {
                        enter(n, entry, name);
                        return Step::Into;
                    }
                }
                return Step::Over;
            },
            [&](const XmlNode& n) {
                if (isBlock(localName(n))) flush();
            });
    }

    const Contents& contents_;
    std::vector<TextChapter> chapters_;
    std::string paragraph_;
    int paragraphLevel_ = 0;
    bool useHeadings_ = false;
    int chapterLevel_ = 0;
};

} // namespace

std::vector<TextChapter> readChapters(ZipArchive& zip, const std::vector<std::string>& spine,
                                      const Contents& contents) {
    std::vector<XmlDocument> docs;
    docs.reserve(spine.size());
    for (const std::string& entry : spine) docs.push_back(loadXml(entry, zip.read(entry), "XHTML"));
    return ChapterReader(contents).run(spine, docs);
}

} // namespace cadenzo::format::epub
