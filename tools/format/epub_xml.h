// What the EPUB reader needs of XML and of names inside the zip archive:
// elements by their name without namespace prefix, the document-order walk,
// the text of XHTML with its undeclared HTML entities, and references
// resolved to entry names. Errors name the archive entry.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>

namespace cadenzo::format::epub {

[[noreturn]] void fail(const std::string& entry, const std::string& reason);

// `data` of the archive entry `entry` as a document; `kind` ("XML",
// "XHTML") names what was expected in the error for a malformed one.
void loadXml(pugi::xml_document& doc, const std::string& entry, const std::string& data, std::string_view kind);

// An element's name without its namespace prefix, lower-cased.
std::string localName(const pugi::xml_node& node);

// An attribute by its name without prefix ("type" finds "epub:type").
std::string attribute(const pugi::xml_node& node, std::string_view name);

// What a node visitor tells the walk: skip the node's children, go into them,
// or end the walk.
enum class Step { Over, Into, Stop };

// Visits the nodes below `root` in document order; `visit(node)` returns the
// Step. `leave(node)` is called when the walk goes out of a node it went into.
template <typename Visit, typename Leave> void walkBelow(const pugi::xml_node& root, Visit&& visit, Leave&& leave) {
    for (pugi::xml_node n = root.first_child(); n;) {
        const Step step = visit(n);
        if (step == Step::Stop) return;
        if (step == Step::Into && n.first_child()) {
            n = n.first_child();
            continue;
        }
        if (step == Step::Into) leave(n);
        while (n && !n.next_sibling() && n != root) {
            n = n.parent();
            if (n && n != root) leave(n);
        }
        if (!n || n == root) return;
        n = n.next_sibling();
    }
}

template <typename Visit> void walkBelow(const pugi::xml_node& root, Visit&& visit) {
    walkBelow(root, visit, [](const pugi::xml_node&) {});
}

// The first element below `root` with this local name, or a null node.
pugi::xml_node firstDescendant(const pugi::xml_node& root, std::string_view name);

// The character data below `node`, as it stands.
std::string textOf(const pugi::xml_node& node);

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
