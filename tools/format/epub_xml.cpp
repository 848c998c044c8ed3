#include "epub_xml.h"

#include "manuscript.h"

#include "base/text.h"
#include "base/unicode.h"

#include <expat.h>

#include <array>
#include <cctype>
#include <exception>
#include <memory>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

namespace cadenzo::format::epub {

void fail(const std::string& entry, const std::string& reason) { throw FormatError("entry " + entry + ": " + reason); }

XmlKind XmlNode::kind() const { return doc_->nodes_[at_].kind; }

XmlNode XmlNode::at(std::uint32_t index) const {
    return doc_ && index != XmlDocument::kNone ? XmlNode(doc_, index) : XmlNode();
}

std::string_view XmlNode::name() const { return isElement() ? doc_->view(doc_->nodes_[at_].text) : std::string_view(); }

std::string_view XmlNode::value() const { return isText() ? doc_->view(doc_->nodes_[at_].text) : std::string_view(); }

std::string_view XmlNode::childValue() const {
    for (XmlNode n = firstChild(); n; n = n.nextSibling())
        if (n.isText()) return n.value();
    return {};
}

std::size_t XmlNode::attributeCount() const { return isElement() ? doc_->nodes_[at_].attributeCount : 0; }

std::string_view XmlNode::attributeName(std::size_t i) const {
    return i < attributeCount() ? doc_->view(doc_->attributes_[doc_->nodes_[at_].attributes + i].name) : "";
}

std::string_view XmlNode::attributeValue(std::size_t i) const {
    return i < attributeCount() ? doc_->view(doc_->attributes_[doc_->nodes_[at_].attributes + i].value) : "";
}

std::string_view XmlNode::attribute(std::string_view name) const {
    for (std::size_t i = 0; i < attributeCount(); ++i)
        if (attributeName(i) == name) return attributeValue(i);
    return {};
}

XmlNode XmlNode::parent() const { return doc_ ? at(doc_->nodes_[at_].parent) : XmlNode(); }
XmlNode XmlNode::firstChild() const { return doc_ ? at(doc_->nodes_[at_].firstChild) : XmlNode(); }
XmlNode XmlNode::nextSibling() const { return doc_ ? at(doc_->nodes_[at_].nextSibling) : XmlNode(); }

XmlNode XmlDocument::documentElement() const {
    for (XmlNode n = root().firstChild(); n; n = n.nextSibling())
        if (n.isElement()) return n;
    return {};
}

// Builds an XmlDocument from expat's events. Expat is C: nothing may be
// thrown through it, so a failure stops the parser and is kept for after.
class XmlBuilder {
  public:
    explicit XmlBuilder(XmlDocument& doc) : doc_(doc) {}

    static void XMLCALL onStart(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<XmlBuilder*>(self)->guarded([&](XmlBuilder& b) { b.start(name, attributes); });
    }
    static void XMLCALL onEnd(void* self, const XML_Char*) {
        static_cast<XmlBuilder*>(self)->guarded([](XmlBuilder& b) { b.open_ = b.doc_.nodes_[b.open_].parent; });
    }
    static void XMLCALL onText(void* self, const XML_Char* text, int length) {
        static_cast<XmlBuilder*>(self)->guarded(
            [&](XmlBuilder& b) { b.text(std::string_view(text, static_cast<std::size_t>(length))); });
    }
    // An entity the book uses without declaring it stays as written.
    static void XMLCALL onSkippedEntity(void* self, const XML_Char* name, int parameterEntity) {
        if (parameterEntity) return;
        static_cast<XmlBuilder*>(self)->guarded([&](XmlBuilder& b) {
            b.text("&");
            b.text(name);
            b.text(";");
        });
    }

    XML_Parser parser = nullptr;
    std::exception_ptr failure;

  private:
    template <typename Step> void guarded(Step&& step) {
        if (failure) return;
        try {
            step(*this);
        } catch (...) {
            failure = std::current_exception();
            XML_StopParser(parser, XML_FALSE);
        }
    }

    XmlDocument::Span keep(std::string_view s) {
        if (doc_.text_.size() + s.size() >= XmlDocument::kNone) throw std::length_error("document too large");
        const XmlDocument::Span span{static_cast<std::uint32_t>(doc_.text_.size()),
                                     static_cast<std::uint32_t>(s.size())};
        doc_.text_.append(s);
        return span;
    }

    std::uint32_t add(XmlKind kind, XmlDocument::Span text) {
        if (doc_.nodes_.size() >= XmlDocument::kNone) throw std::length_error("document too large");
        const auto index = static_cast<std::uint32_t>(doc_.nodes_.size());
        XmlDocument::Node node;
        node.kind = kind;
        node.parent = open_;
        node.text = text;
        doc_.nodes_.push_back(node);
        XmlDocument::Node& parent = doc_.nodes_[open_];
        if (parent.lastChild == XmlDocument::kNone)
            parent.firstChild = index;
        else
            doc_.nodes_[parent.lastChild].nextSibling = index;
        parent.lastChild = index;
        return index;
    }

    void start(const XML_Char* name, const XML_Char** attributes) {
        const std::uint32_t index = add(XmlKind::Element, keep(name));
        const auto first = static_cast<std::uint32_t>(doc_.attributes_.size());
        for (const XML_Char** a = attributes; a[0] && a[1]; a += 2)
            doc_.attributes_.push_back({keep(a[0]), keep(a[1])});
        doc_.nodes_[index].attributes = first;
        doc_.nodes_[index].attributeCount = static_cast<std::uint32_t>(doc_.attributes_.size()) - first;
        open_ = index;
    }

    // Expat hands over a run of text in pieces; they are joined into one node.
    void text(std::string_view s) {
        const std::uint32_t last = doc_.nodes_[open_].lastChild;
        if (last != XmlDocument::kNone && doc_.nodes_[last].kind == XmlKind::Text) {
            XmlDocument::Span& span = doc_.nodes_[last].text;
            if (span.at + span.size == doc_.text_.size()) {
                span.size += keep(s).size;
                return;
            }
        }
        add(XmlKind::Text, keep(s));
    }

    XmlDocument& doc_;
    std::uint32_t open_ = 0;
};

namespace {

// The document type is never fetched. Reading an empty one in its place
// tells expat that the document has a type it has not seen, so that an
// undeclared entity is skipped (and kept as written), not refused.
int XMLCALL onExternalEntity(XML_Parser parser, const XML_Char* context, const XML_Char*, const XML_Char*,
                             const XML_Char*) {
    XML_Parser empty = XML_ExternalEntityParserCreate(parser, context, nullptr);
    if (!empty) return XML_STATUS_ERROR;
    const XML_Status status = XML_Parse(empty, "", 0, XML_TRUE);
    XML_ParserFree(empty);
    return status;
}

// Books declared in Windows-1252 (expat knows only UTF-8, UTF-16 and Latin-1).
int XMLCALL onUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info) {
    const std::string encoding = asciiLower(name);
    if (encoding != "windows-1252" && encoding != "cp1252") return XML_STATUS_ERROR;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        info->map[byte] = static_cast<int>(text::decodeAt(text::windows1252ToUtf8(std::string_view(&c, 1)), 0).value);
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

} // namespace

XmlDocument loadXml(const std::string& entry, std::string_view data, std::string_view kind) {
    XmlDocument doc;
    XmlBuilder builder(doc);
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) throw std::bad_alloc();
    builder.parser = parser.get();
    XML_SetUserData(parser.get(), &builder);
    XML_SetElementHandler(parser.get(), XmlBuilder::onStart, XmlBuilder::onEnd);
    XML_SetCharacterDataHandler(parser.get(), XmlBuilder::onText);
    XML_SetSkippedEntityHandler(parser.get(), XmlBuilder::onSkippedEntity);
    XML_SetUnknownEncodingHandler(parser.get(), onUnknownEncoding, nullptr);
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_ALWAYS);
    XML_UseForeignDTD(parser.get(), XML_TRUE);
    XML_SetExternalEntityRefHandler(parser.get(), onExternalEntity);
    // Expat takes at most INT_MAX bytes a call.
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    XML_Status status = XML_STATUS_OK;
    do {
        const std::string_view piece = data.substr(0, kPiece);
        data.remove_prefix(piece.size());
        status = XML_Parse(parser.get(), piece.data(), static_cast<int>(piece.size()), data.empty());
    } while (status == XML_STATUS_OK && !data.empty());
    if (builder.failure) {
        try {
            std::rethrow_exception(builder.failure);
        } catch (const std::length_error&) {
            fail(entry, "is too large to read");
        }
    }
    if (status != XML_STATUS_OK)
        fail(entry, "is not well-formed " + std::string(kind) + " (" + XML_ErrorString(XML_GetErrorCode(parser.get())) +
                        " at byte " + std::to_string(XML_GetCurrentByteIndex(parser.get())) + ")");
    return doc;
}

namespace {

std::string_view withoutPrefix(std::string_view name) {
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return name;
}

} // namespace

std::string localName(const XmlNode& node) { return asciiLower(withoutPrefix(node.name())); }

std::string attribute(const XmlNode& node, std::string_view name) {
    for (std::size_t i = 0; i < node.attributeCount(); ++i)
        if (withoutPrefix(node.attributeName(i)) == name) return std::string(node.attributeValue(i));
    return {};
}

XmlNode firstDescendant(const XmlNode& root, std::string_view name) {
    XmlNode found;
    walkBelow(root, [&](const XmlNode& n) {
        if (!n.isElement() || localName(n) != name) return Step::Into;
        found = n;
        return Step::Stop;
    });
    return found;
}

std::string textOf(const XmlNode& node) {
    std::string out;
    walkBelow(node, [&](const XmlNode& n) {
        if (n.isText()) out += n.value();
        return Step::Into;
    });
    return out;
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

} // namespace cadenzo::format::epub
