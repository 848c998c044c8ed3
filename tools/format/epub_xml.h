// What the EPUB reader needs of XML and of names inside the zip archive:
// elements by their name without namespace prefix, the document-order walk,
// the text of XHTML with its undeclared HTML entities, and references
// resolved to entry names. Errors name the archive entry.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo::format::epub {

[[noreturn]] void fail(const std::string& entry, const std::string& reason);

class XmlDocument;

enum class XmlKind : std::uint8_t { Document, Element, Text };

// One node of an XmlDocument, or no node (false). A handle: valid while its
// document lives.
class XmlNode {
  public:
    XmlNode() = default;
    explicit operator bool() const { return doc_ != nullptr; }
    bool isElement() const { return doc_ && kind() == XmlKind::Element; }
    bool isText() const { return doc_ && kind() == XmlKind::Text; }
    // An element's name as written ("epub:type"); empty for other nodes.
    std::string_view name() const;
    // A text node's characters (CDATA included); empty for other nodes.
    std::string_view value() const;
    // The characters of the first of its children that is text; empty when none is.
    std::string_view childValue() const;
    // An attribute's value by its name as written; empty when it has none.
    std::string_view attribute(std::string_view name) const;
    // An element's attributes in the order written.
    std::size_t attributeCount() const;
    std::string_view attributeName(std::size_t i) const;
    std::string_view attributeValue(std::size_t i) const;
    XmlNode parent() const;
    XmlNode firstChild() const;
    XmlNode nextSibling() const;
    friend bool operator==(const XmlNode& a, const XmlNode& b) { return a.doc_ == b.doc_ && a.at_ == b.at_; }

  private:
    friend class XmlDocument;
    XmlNode(const XmlDocument* doc, std::uint32_t at) : doc_(doc), at_(at) {}
    XmlKind kind() const; // of a node that is one
    XmlNode at(std::uint32_t index) const;

    const XmlDocument* doc_ = nullptr;
    std::uint32_t at_ = 0;
};

// A parsed XML document as the EPUB reader walks it: elements with their
// attributes, and text, in document order. Comments, processing
// instructions and the document type are left out. Kept in three flat
// arrays, so a chapter of the book costs little more than its text.
class XmlDocument {
  public:
    XmlNode root() const { return XmlNode(this, 0); }
    // The first element below the document node, or no node.
    XmlNode documentElement() const;

  private:
    friend class XmlNode;
    friend class XmlBuilder;
    static constexpr std::uint32_t kNone = UINT32_MAX;
    struct Span {
        std::uint32_t at = 0;
        std::uint32_t size = 0;
    };
    struct Node {
        XmlKind kind = XmlKind::Document;
        std::uint32_t parent = kNone;
        std::uint32_t firstChild = kNone;
        std::uint32_t lastChild = kNone;
        std::uint32_t nextSibling = kNone;
        Span text;                    // the name of an element, the characters of text
        std::uint32_t attributes = 0; // index of the first in attributes_
        std::uint32_t attributeCount = 0;
    };
    struct Attribute {
        Span name;
        Span value;
    };
    std::string_view view(Span span) const { return std::string_view(text_).substr(span.at, span.size); }

    std::vector<Node> nodes_{Node{}};
    std::vector<Attribute> attributes_;
    std::string text_;
};

// `data` of the archive entry `entry` as a document; `kind` ("XML",
// "XHTML") names what was expected in the error for a malformed one. The
// HTML entities XHTML books use without declaring them stay as written
// ("&nbsp;"), for withEntities; nothing outside the entry is ever read.
XmlDocument loadXml(const std::string& entry, std::string_view data, std::string_view kind);

// An element's name without its namespace prefix, lower-cased.
std::string localName(const XmlNode& node);

// An attribute by its name without prefix ("type" finds "epub:type").
std::string attribute(const XmlNode& node, std::string_view name);

// What a node visitor tells the walk: skip the node's children, go into them,
// or end the walk.
enum class Step { Over, Into, Stop };

// Visits the nodes below `root` in document order; `visit(node)` returns the
// Step. `leave(node)` is called when the walk goes out of a node it went into.
template <typename Visit, typename Leave> void walkBelow(const XmlNode& root, Visit&& visit, Leave&& leave) {
    for (XmlNode n = root.firstChild(); n;) {
        const Step step = visit(n);
        if (step == Step::Stop) return;
        if (step == Step::Into && n.firstChild()) {
            n = n.firstChild();
            continue;
        }
        if (step == Step::Into) leave(n);
        while (n && !n.nextSibling() && n != root) {
            n = n.parent();
            if (n && n != root) leave(n);
        }
        if (!n || n == root) return;
        n = n.nextSibling();
    }
}

template <typename Visit> void walkBelow(const XmlNode& root, Visit&& visit) {
    walkBelow(root, visit, [](const XmlNode&) {});
}

// The first element below `root` with this local name, or a null node.
XmlNode firstDescendant(const XmlNode& root, std::string_view name);

// The character data below `node`, as it stands.
std::string textOf(const XmlNode& node);

// Runs of blanks as one space, none at either end.
std::string collapsed(std::string_view s);

// The HTML entities that XHTML books use without declaring; XML's own and
// numeric ones are decoded by the parser.
std::string withEntities(std::string text);

std::string percentDecoded(std::string_view s);

// A reference relative to `base` (a folder ending in "/" or empty) as an entry name.
std::string resolved(const std::string& base, std::string_view href);

// The folder of an entry name, with its "/", or empty.
std::string folderOf(const std::string& entry);

} // namespace cadenzo::format::epub
