#include "epub_package.h"

#include "epub_xml.h"

#include <algorithm>
#include <string_view>

namespace cadenzo::format::epub {

namespace {

constexpr const char* kContainer = "META-INF/container.xml";

void checkKind(ZipArchive& zip) {
    if (zip.has("mimetype")) {
        const std::string type = collapsed(zip.read("mimetype"));
        if (type != "application/epub+zip")
            fail("mimetype",
                 "says '" + type.substr(0, 60) + "', not application/epub+zip: the zip archive is no EPUB book");
    }
    if (!zip.has(kContainer))
        fail(kContainer, zip.has("mimetype") ? "missing: the book does not say where its package file is"
                                             : "missing: the zip archive is no EPUB book");
}

// Font obfuscation is the one use of encryption.xml an open book has.
void checkEncryption(ZipArchive& zip) {
    if (zip.has("META-INF/rights.xml"))
        fail("META-INF/rights.xml", "the book is locked against copying (DRM): Cadenzo cannot read it");
    const std::string name = "META-INF/encryption.xml";
    if (!zip.has(name)) return;
    const XmlDocument doc = loadXml(name, zip.read(name), "XML");
    walkBelow(doc.root(), [&](const XmlNode& n) {
        if (n.isElement() && localName(n) == "encryptionmethod") {
            const std::string_view algorithm = n.attribute("Algorithm");
            if (algorithm != "http://www.idpf.org/2008/embedding" && algorithm != "http://ns.adobe.com/pdf/enc#RC")
                fail(name, "the book is encrypted (DRM): Cadenzo cannot read it");
        }
        return Step::Into;
    });
}

std::string packagePath(ZipArchive& zip) {
    const XmlDocument doc = loadXml(kContainer, zip.read(kContainer), "XML");
    const std::string_view path = firstDescendant(doc.root(), "rootfile").attribute("full-path");
    if (path.empty()) fail(kContainer, "names no package file (rootfile full-path)");
    const std::string entry = resolved("", path);
    if (!zip.has(entry)) fail(entry, "missing: the package file named in " + std::string(kContainer));
    return entry;
}

// The first four digits in a row: "1851" of "1851-10-18".
std::string firstYear(std::string_view s) {
    for (std::size_t i = 0; i + 4 <= s.size(); ++i) {
        if (std::all_of(s.begin() + static_cast<std::ptrdiff_t>(i), s.begin() + static_cast<std::ptrdiff_t>(i + 4),
                        [](char c) { return c >= '0' && c <= '9'; }))
            return std::string(s.substr(i, 4));
    }
    return {};
}

void readMetadata(const XmlNode& package, Package& out) {
    const XmlNode metadata = firstDescendant(package, "metadata");
    for (XmlNode n = metadata.firstChild(); n; n = n.nextSibling()) {
        const std::string name = localName(n);
        const std::string value = withEntities(collapsed(n.childValue()));
        if (name == "title" && out.title.empty()) out.title = value;
        if (name == "creator" && out.author.empty()) out.author = value;
        if (name == "date" && out.year.empty()) out.year = firstYear(value);
    }
}

void readManifest(const XmlNode& package, const std::string& opf, Package& out) {
    const XmlNode manifest = firstDescendant(package, "manifest");
    if (!manifest) fail(opf, "has no manifest");
    const std::string base = folderOf(opf);
    for (XmlNode item = manifest.firstChild(); item; item = item.nextSibling()) {
        if (localName(item) != "item") continue;
        std::string_view href = item.attribute("href");
        href = href.substr(0, href.find('#'));
        out.manifest[std::string(item.attribute("id"))] = ManifestItem{
            resolved(base, href), std::string(item.attribute("media-type")), std::string(item.attribute("properties"))};
    }
}

void readSpine(ZipArchive& zip, const XmlNode& package, const std::string& opf, Package& out) {
    const XmlNode spine = firstDescendant(package, "spine");
    if (!spine) fail(opf, "has no spine (the reading order)");
    out.ncxId = spine.attribute("toc");
    for (XmlNode ref = spine.firstChild(); ref; ref = ref.nextSibling()) {
        if (localName(ref) != "itemref") continue;
        const std::string id(ref.attribute("idref"));
        const auto found = out.manifest.find(id);
        if (found == out.manifest.end()) fail(opf, "the spine names '" + id + "', which the manifest does not list");
        if (ref.attribute("linear") == "no") continue;
        const std::string& type = found->second.mediaType;
        if (type != "application/xhtml+xml" && type != "text/html" && type != "application/x-dtbook+xml") continue;
        if (!zip.has(found->second.entry))
            fail(found->second.entry, "missing, though the spine lists it as '" + id + "'");
        out.spine.push_back(found->second.entry);
    }
    if (out.spine.empty()) fail(opf, "the spine lists no documents to read");
}

} // namespace

Package readPackage(ZipArchive& zip) {
    checkKind(zip);
    checkEncryption(zip);
    const std::string opf = packagePath(zip);
    const XmlDocument doc = loadXml(opf, zip.read(opf), "XML");
    const XmlNode package = firstDescendant(doc.root(), "package");
    if (!package) fail(opf, "has no package element");
    Package out;
    readMetadata(package, out);
    readManifest(package, opf, out);
    readSpine(zip, package, opf, out);
    return out;
}

} // namespace cadenzo::format::epub
