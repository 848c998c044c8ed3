#include "epub_xml.h"

#include "manuscript.h"

#include "base/text.h"

#include <array>
#include <cctype>
#include <utility>
#include <vector>

namespace cadenzo::format::epub {

void fail(const std::string& entry, const std::string& reason) { throw FormatError("entry " + entry + ": " + reason); }

void loadXml(pugi::xml_document& doc, const std::string& entry, const std::string& data, std::string_view kind) {
    const pugi::xml_parse_result result =
        doc.load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata);
    if (!result)
        fail(entry, "is not well-formed " + std::string(kind) + " (" + result.description() + " at byte " +
                        std::to_string(result.offset) + ")");
}

namespace {

std::string_view withoutPrefix(std::string_view name) {
    if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return name;
}

} // namespace

std::string localName(const pugi::xml_node& node) { return asciiLower(withoutPrefix(node.name())); }

std::string attribute(const pugi::xml_node& node, std::string_view name) {
    for (const pugi::xml_attribute& a : node.attributes())
        if (withoutPrefix(a.name()) == name) return a.value();
    return {};
}

pugi::xml_node firstDescendant(const pugi::xml_node& root, std::string_view name) {
    pugi::xml_node found;
    walkBelow(root, [&](const pugi::xml_node& n) {
        if (n.type() != pugi::node_element || localName(n) != name) return Step::Into;
        found = n;
        return Step::Stop;
    });
    return found;
}

std::string textOf(const pugi::xml_node& node) {
    std::string out;
    walkBelow(node, [&](const pugi::xml_node& n) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) out += n.value();
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
