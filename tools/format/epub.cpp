#include "epub.h"

#include "manuscript.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace cadenzo::format {

namespace {

// Entries larger than this are refused, so a crafted archive cannot make the
// reader unpack gigabytes.
constexpr zip_uint64_t kMaxEntryBytes = 64u * 1024u * 1024u;
constexpr zip_uint64_t kMaxTotalBytes = 512u * 1024u * 1024u;
constexpr const char* kContainer = "META-INF/container.xml";

[[noreturn]] void fail(const std::string& entry, const std::string& reason) {
    throw FormatError("entry " + entry + ": " + reason);
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// An element's name without its namespace prefix, lower-cased.
std::string localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return lower(name);
}

// An attribute by its name without prefix ("type" finds "epub:type").
std::string attribute(const pugi::xml_node& node, std::string_view name) {
    for (const pugi::xml_attribute& a : node.attributes()) {
        std::string_view n = a.name();
        if (const std::size_t colon = n.find(':'); colon != std::string_view::npos) n.remove_prefix(colon + 1);
        if (n == name) return a.value();
    }
    return {};
}

pugi::xml_node firstDescendant(const pugi::xml_node& root, std::string_view name) {
    for (pugi::xml_node n = root.first_child(); n;) {
        if (n.type() == pugi::node_element && localName(n) == name) return n;
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n && !n.next_sibling() && n != root) n = n.parent();
        if (!n || n == root) break;
        n = n.next_sibling();
    }
    return {};
}

std::string percentDecoded(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(s[i + 2]))) {
            out += static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

// A reference relative to `base` (a folder ending in "/" or empty) as an entry name.
std::string resolved(const std::string& base, std::string_view href) {
    std::vector<std::string> parts;
    const std::string path = href.substr(0, 1) == "/" ? percentDecoded(href.substr(1)) : base + percentDecoded(href);
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(pos, end - pos);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        pos = end + 1;
    }
    std::string out;
    for (const std::string& part : parts) out += (out.empty() ? "" : "/") + part;
    return out;
}

std::string folderOf(const std::string& entry) {
    const std::size_t slash = entry.rfind('/');
    return slash == std::string::npos ? "" : entry.substr(0, slash + 1);
}

std::string firstYear(std::string_view s) {
    for (std::size_t i = 0; i + 4 <= s.size(); ++i) {
        if (std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.begin() + static_cast<std::ptrdiff_t>(i + 4),
                        [](char c) { return c >= '0' && c <= '9'; }))
            return std::string(s.substr(i, 4));
    }
    return {};
}

std::string collapsed(std::string_view s) {
    std::string out;
    for (char c : s) {
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (space) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The HTML entities that XHTML books use without declaring; XML's own and
// numeric ones are decoded by the parser.
std::string withEntities(std::string text) {
    static const std::array<std::pair<std::string_view, std::string_view>, 20> entities = {
        {{"&nbsp;", "\u00A0"},   {"&mdash;", "\u2014"},  {"&ndash;", "\u2013"},  {"&hellip;", "\u2026"},
         {"&lsquo;", "\u2018"},  {"&rsquo;", "\u2019"},  {"&ldquo;", "\u201C"},  {"&rdquo;", "\u201D"},
         {"&laquo;", "\u00AB"},  {"&raquo;", "\u00BB"},  {"&copy;", "\u00A9"},   {"&eacute;", "\u00E9"},
         {"&egrave;", "\u00E8"}, {"&agrave;", "\u00E0"}, {"&ccedil;", "\u00E7"}, {"&uuml;", "\u00FC"},
         {"&ouml;", "\u00F6"},   {"&auml;", "\u00E4"},   {"&szlig;", "\u00DF"},  {"&thinsp;", "\u2009"}}};
    if (text.find('&') == std::string::npos) return text;
    for (const auto& [name, value] : entities) {
        std::size_t pos = 0;
        while ((pos = text.find(name, pos)) != std::string::npos) {
            text.replace(pos, name.size(), value);
            pos += value.size();
        }
    }
    return text;
}

class ZipArchive {
  public:
    explicit ZipArchive(std::string_view bytes) {
        if (bytes.substr(0, 2) != "PK") throw FormatError("not a zip archive, so not an EPUB book");
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source != nullptr) archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (archive_ == nullptr) {
            const std::string reason = zip_error_strerror(&error);
            if (source != nullptr) zip_source_free(source);
            zip_error_fini(&error);
            throw FormatError("not a readable zip archive (" + reason + "), so not an EPUB book");
        }
        zip_error_fini(&error);
    }
    ~ZipArchive() {
        if (archive_ != nullptr) zip_discard(archive_);
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool has(const std::string& name) const { return zip_name_locate(archive_, name.c_str(), 0) >= 0; }

    std::string read(const std::string& name) {
        const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
        if (index < 0) fail(name, "missing from the book");
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) fail(name, "cannot be read");
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            fail(name, "encrypted (DRM): Cadenzo cannot read a book locked against copying");
        if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxEntryBytes)
            fail(name, "larger than " + std::to_string(kMaxEntryBytes / (1024 * 1024)) + " MB");
        total_ += stat.size;
        if (total_ > kMaxTotalBytes) fail(name, "the book unpacks to more than 512 MB");
        zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
        if (file == nullptr) fail(name, std::string("cannot be opened: ") + zip_strerror(archive_));
        std::string data(static_cast<std::size_t>(stat.size), '\0');
        zip_int64_t got = 0;
        while (static_cast<zip_uint64_t>(got) < stat.size) {
            const zip_int64_t n = zip_fread(file, data.data() + got, stat.size - static_cast<zip_uint64_t>(got));
            if (n <= 0) break;
            got += n;
        }
        const bool complete = static_cast<zip_uint64_t>(got) == stat.size;
        std::string reason = complete ? "" : zip_file_strerror(file);
        zip_fclose(file);
        if (!complete) fail(name, "is damaged (" + reason + ")");
        return data;
    }

  private:
    zip_t* archive_ = nullptr;
    zip_uint64_t total_ = 0;
};

pugi::xml_document parseXml(const std::string& entry, const std::string& data) {
    pugi::xml_document doc;
    const pugi::xml_parse_result result =
        doc.load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result)
        fail(entry, std::string("is not well-formed XML (") + result.description() + " at byte " +
                        std::to_string(result.offset) + ")");
    return doc;
}

struct ManifestItem {
    std::string entry; // resolved name in the archive
    std::string mediaType;
    std::string properties;
};

// Where a table-of-contents entry points: a document and an element id in it.
struct Target {
    std::string entry;
    std::string id; // empty: the document's start
    bool operator<(const Target& o) const { return std::tie(entry, id) < std::tie(o.entry, o.id); }
};

bool isBlock(const std::string& name) {
    static const std::set<std::string, std::less<>> blocks = {
        "p",  "div",    "h1",         "h2",    "h3",      "h4",      "h5",         "h6",
        "li", "ul",     "ol",         "dl",    "dd",      "dt",      "blockquote", "pre",
        "td", "th",     "tr",         "table", "section", "article", "header",     "footer",
        "hr", "figure", "figcaption", "main",  "address", "center",  "body",       "caption"};
    return blocks.count(name) != 0;
}

bool isSkipped(const pugi::xml_node& node, const std::string& name) {
    static const std::set<std::string, std::less<>> skipped = {
        "script", "style",  "head",  "img",    "svg",      "math",   "object", "video", "audio", "iframe", "image",
        "nav",    "button", "input", "select", "noscript", "canvas", "embed",  "map",   "rt",    "rp",     "template"};
    if (skipped.count(name) != 0) return true;
    const std::string type = attribute(node, "type");
    for (std::string_view note : {"noteref", "footnote", "endnote", "rearnote", "pagebreak", "annoref"})
        if (type.find(note) != std::string::npos) return true;
    const std::string role = attribute(node, "role");
    if (role.find("noteref") != std::string::npos || role.find("pagebreak") != std::string::npos) return true;
    // A note marker: a raised number or sign, or a link whose text is only that.
    if (name == "sup" || name == "a") {
        std::string all;
        for (pugi::xml_node n = node.first_child(); n; n = n.next_sibling())
            all += n.type() == pugi::node_pcdata ? n.value() : n.child_value();
        const std::string marker = collapsed(all);
        const bool looksLikeMarker =
            !marker.empty() && marker.size() <= 6 && std::all_of(marker.begin(), marker.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) || c == '[' || c == ']' || c == '*' || c == '(' ||
                       c == ')' || c == ' ';
            });
        if (name == "sup" && looksLikeMarker) return true;
        if (name == "a" && looksLikeMarker && attribute(node, "href").find('#') != std::string::npos) return true;
    }
    return false;
}

std::string folded(const std::string& s) {
    std::string out;
    for (char c : lower(collapsed(s)))
        if (std::isalnum(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) out += c;
    return out;
}

class EpubReader {
  public:
    explicit EpubReader(std::string_view bytes) : zip_(bytes) {}

    TextBook run() {
        checkKind();
        checkEncryption();
        const std::string opf = packagePath();
        readPackage(opf);
        readContents(opf);
        readDocuments();
        return std::move(book_);
    }

  private:
    void checkKind() {
        if (zip_.has("mimetype")) {
            const std::string type = collapsed(zip_.read("mimetype"));
            if (type != "application/epub+zip")
                fail("mimetype",
                     "says '" + type.substr(0, 60) + "', not application/epub+zip: the zip archive is no EPUB book");
        }
        if (!zip_.has(kContainer))
            fail(kContainer, zip_.has("mimetype") ? "missing: the book does not say where its package file is"
                                                  : "missing: the zip archive is no EPUB book");
    }

    // Font obfuscation is the one use of encryption.xml an open book has.
    void checkEncryption() {
        if (zip_.has("META-INF/rights.xml"))
            fail("META-INF/rights.xml", "the book is locked against copying (DRM): Cadenzo cannot read it");
        const std::string name = "META-INF/encryption.xml";
        if (!zip_.has(name)) return;
        const pugi::xml_document doc = parseXml(name, zip_.read(name));
        for (pugi::xml_node n = doc.first_child(); n;) {
            if (n.type() == pugi::node_element && localName(n) == "encryptionmethod") {
                const std::string algorithm = n.attribute("Algorithm").value();
                if (algorithm != "http://www.idpf.org/2008/embedding" && algorithm != "http://ns.adobe.com/pdf/enc#RC")
                    fail(name, "the book is encrypted (DRM): Cadenzo cannot read it");
            }
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && !n.next_sibling()) n = n.parent();
            if (n) n = n.next_sibling();
        }
    }

    std::string packagePath() {
        const pugi::xml_document doc = parseXml(kContainer, zip_.read(kContainer));
        const pugi::xml_node rootfile = firstDescendant(doc, "rootfile");
        const std::string path = rootfile ? rootfile.attribute("full-path").value() : "";
        if (path.empty()) fail(kContainer, "names no package file (rootfile full-path)");
        const std::string entry = resolved("", path);
        if (!zip_.has(entry)) fail(entry, "missing: the package file named in " + std::string(kContainer));
        return entry;
    }

    void readPackage(const std::string& opf) {
        const pugi::xml_document doc = parseXml(opf, zip_.read(opf));
        const pugi::xml_node package = firstDescendant(doc, "package");
        if (!package) fail(opf, "has no package element");
        const std::string base = folderOf(opf);
        if (const pugi::xml_node metadata = firstDescendant(package, "metadata")) {
            for (pugi::xml_node n : metadata.children()) {
                const std::string name = localName(n);
                const std::string value = withEntities(collapsed(n.child_value()));
                if (name == "title" && book_.title.empty()) book_.title = value;
                if (name == "creator" && book_.author.empty()) book_.author = value;
                if (name == "date" && book_.year.empty()) book_.year = firstYear(value);
            }
        }
        const pugi::xml_node manifest = firstDescendant(package, "manifest");
        if (!manifest) fail(opf, "has no manifest");
        for (pugi::xml_node item : manifest.children()) {
            if (localName(item) != "item") continue;
            std::string href = item.attribute("href").value();
            href = href.substr(0, href.find('#'));
            manifest_[item.attribute("id").value()] = ManifestItem{
                resolved(base, href), item.attribute("media-type").value(), item.attribute("properties").value()};
        }
        const pugi::xml_node spine = firstDescendant(package, "spine");
        if (!spine) fail(opf, "has no spine (the reading order)");
        ncxId_ = spine.attribute("toc").value();
        for (pugi::xml_node ref : spine.children()) {
            if (localName(ref) != "itemref") continue;
            const std::string id = ref.attribute("idref").value();
            const auto found = manifest_.find(id);
            if (found == manifest_.end()) fail(opf, "the spine names '" + id + "', which the manifest does not list");
            if (std::string_view(ref.attribute("linear").value()) == "no") continue;
            const std::string& type = found->second.mediaType;
            if (type != "application/xhtml+xml" && type != "text/html" && type != "application/x-dtbook+xml") continue;
            if (!zip_.has(found->second.entry))
                fail(found->second.entry, "missing, though the spine lists it as '" + id + "'");
            spine_.push_back(found->second.entry);
        }
        if (spine_.empty()) fail(opf, "the spine lists no documents to read");
    }

    void addTarget(const std::string& base, std::string_view href, const std::string& label) {
        const std::string text = withEntities(collapsed(label));
        if (href.empty() || text.empty()) return;
        const std::size_t hash = href.find('#');
        Target target{resolved(base, href.substr(0, hash)),
                      hash == std::string_view::npos ? "" : percentDecoded(href.substr(hash + 1))};
        if (std::find(spine_.begin(), spine_.end(), target.entry) == spine_.end()) return;
        targets_.emplace(std::move(target), text);
    }

    static std::string textOf(const pugi::xml_node& node) {
        std::string out;
        for (pugi::xml_node n = node.first_child(); n;) {
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) out += n.value();
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && !n.next_sibling() && n != node) n = n.parent();
            if (!n || n == node) break;
            n = n.next_sibling();
        }
        return out;
    }

    // The navigation document of EPUB 3, else the NCX of EPUB 2.
    void readContents(const std::string& opf) {
        for (const auto& [id, item] : manifest_) {
            if (item.properties.find("nav") == std::string::npos) continue;
            const pugi::xml_document doc = parseXml(item.entry, zip_.read(item.entry));
            pugi::xml_node toc;
            for (pugi::xml_node n = firstDescendant(doc, "nav"); n; n = n.next_sibling()) {
                if (localName(n) != "nav") continue;
                if (!toc) toc = n;
                if (attribute(n, "type").find("toc") != std::string::npos) {
                    toc = n;
                    break;
                }
            }
            if (!toc) continue;
            const std::string base = folderOf(item.entry);
            for (pugi::xml_node n = toc.first_child(); n;) {
                if (n.type() == pugi::node_element && localName(n) == "a")
                    addTarget(base, n.attribute("href").value(), textOf(n));
                if (n.first_child()) {
                    n = n.first_child();
                    continue;
                }
                while (n && !n.next_sibling() && n != toc) n = n.parent();
                if (!n || n == toc) break;
                n = n.next_sibling();
            }
            if (!targets_.empty()) return;
        }
        const auto ncx = manifest_.find(ncxId_);
        if (ncx == manifest_.end() || !zip_.has(ncx->second.entry)) return;
        const pugi::xml_document doc = parseXml(ncx->second.entry, zip_.read(ncx->second.entry));
        const std::string base = folderOf(ncx->second.entry);
        const pugi::xml_node map = firstDescendant(doc, "navmap");
        for (pugi::xml_node n = map.first_child(); n;) {
            if (n.type() == pugi::node_element && localName(n) == "navpoint") {
                const pugi::xml_node label = firstDescendant(n, "navlabel");
                const pugi::xml_node content = firstDescendant(n, "content");
                if (label && content) addTarget(base, content.attribute("src").value(), textOf(label));
            }
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && !n.next_sibling() && n != map) n = n.parent();
            if (!n || n == map) break;
            n = n.next_sibling();
        }
        (void)opf;
    }

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
        TextChapter& chapter = book_.chapters.back();
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
        if (book_.chapters.back().paragraphs.empty() && book_.chapters.size() > 1)
            book_.chapters.back().title = title; // two names for one place: the last wins
        else
            book_.chapters.push_back(TextChapter{{}, title, {}});
    }

    // The highest heading level the documents use, for books without contents.
    int topHeadingLevel(const std::vector<pugi::xml_document>& docs) const {
        int best = 0;
        for (const pugi::xml_document& doc : docs)
            for (int level = 1; level <= 3 && (best == 0 || level < best); ++level)
                if (firstDescendant(doc, "h" + std::to_string(level))) best = level;
        return best;
    }

    void readDocuments() {
        std::vector<pugi::xml_document> docs(spine_.size());
        for (std::size_t i = 0; i < spine_.size(); ++i) {
            const std::string data = zip_.read(spine_[i]);
            const pugi::xml_parse_result result =
                docs[i].load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata);
            if (!result)
                fail(spine_[i], std::string("is not well-formed XHTML (") + result.description() + " at byte " +
                                    std::to_string(result.offset) + ")");
        }
        useHeadings_ = targets_.empty();
        chapterLevel_ = useHeadings_ ? topHeadingLevel(docs) : 0;
        book_.chapters.push_back(TextChapter{});
        for (std::size_t i = 0; i < spine_.size(); ++i) {
            if (const auto t = targets_.find(Target{spine_[i], ""}); t != targets_.end()) startChapter(t->second);
            walk(docs[i], spine_[i]);
            flush();
        }
        std::vector<TextChapter> kept;
        for (TextChapter& chapter : book_.chapters)
            if (!chapter.paragraphs.empty()) kept.push_back(std::move(chapter));
        book_.chapters = std::move(kept);
    }

    void enter(const pugi::xml_node& node, const std::string& entry, const std::string& name) {
        for (const char* idName : {"id", "name"}) {
            const std::string id = node.attribute(idName).value();
            if (id.empty()) continue;
            if (const auto t = targets_.find(Target{entry, id}); t != targets_.end()) startChapter(t->second);
        }
        if (isBlock(name)) flush();
        if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') paragraphLevel_ = name[1] - '0';
        if (name == "br") paragraph_ += ' ';
    }

    void walk(const pugi::xml_document& doc, const std::string& entry) {
        const pugi::xml_node body = firstDescendant(doc, "body");
        const pugi::xml_node root = body ? body : doc.document_element();
        if (!root) return;
        for (pugi::xml_node n = root.first_child(); n;) {
            bool descend = false;
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) {
                paragraph_ += n.value();
            } else if (n.type() == pugi::node_element) {
                const std::string name = localName(n);
                if (!isSkipped(n, name)) {
                    enter(n, entry, name);
                    descend = true;
                }
            }
            if (descend && n.first_child()) {
                n = n.first_child();
                continue;
            }
            if (descend && isBlock(localName(n))) flush();
            while (n && !n.next_sibling() && n != root) {
                n = n.parent();
                if (n && n != root && isBlock(localName(n))) flush();
            }
            if (!n || n == root) break;
            n = n.next_sibling();
        }
    }

    ZipArchive zip_;
    TextBook book_;
    std::map<std::string, ManifestItem> manifest_;
    std::string ncxId_;
    std::vector<std::string> spine_;
    std::map<Target, std::string> targets_;
    std::string paragraph_;
    int paragraphLevel_ = 0;
    bool useHeadings_ = false;
    int chapterLevel_ = 0;
};

} // namespace

TextBook readEpub(std::string_view bytes) { return EpubReader(bytes).run(); }

} // namespace cadenzo::format
