#include "epub_navigation.h"

#include "epub_xml.h"

#include <algorithm>
#include <string_view>

namespace cadenzo::format::epub {

namespace {

class ContentsReader {
  public:
    ContentsReader(ZipArchive& zip, const Package& package) : zip_(zip), package_(package) {}

    Contents run() {
        for (const auto& [id, item] : package_.manifest) {
            if (item.properties.find("nav") == std::string::npos) continue;
            readNavigation(item.entry);
            if (!targets_.empty()) return std::move(targets_);
        }
        readNcx();
        return std::move(targets_);
    }

  private:
    void addTarget(const std::string& base, std::string_view href, const std::string& label) {
        const std::string text = withEntities(collapsed(label));
        if (href.empty() || text.empty()) return;
        const std::size_t hash = href.find('#');
        Target target{resolved(base, href.substr(0, hash)),
                      hash == std::string_view::npos ? "" : percentDecoded(href.substr(hash + 1))};
        if (std::find(package_.spine.begin(), package_.spine.end(), target.entry) == package_.spine.end()) return;
        targets_.emplace(std::move(target), text);
    }

    // The links of the navigation document's table of contents: the nav
    // element of type "toc", else its first nav element.
    void readNavigation(const std::string& entry) {
        const XmlDocument doc = loadXml(entry, zip_.read(entry), "XML");
        XmlNode toc;
        for (XmlNode n = firstDescendant(doc.root(), "nav"); n; n = n.nextSibling()) {
            if (localName(n) != "nav") continue;
            if (!toc) toc = n;
            if (attribute(n, "type").find("toc") != std::string::npos) {
                toc = n;
                break;
            }
        }
        if (!toc) return;
        const std::string base = folderOf(entry);
        walkBelow(toc, [&](const XmlNode& n) {
            if (n.isElement() && localName(n) == "a") addTarget(base, n.attribute("href"), textOf(n));
            return Step::Into;
        });
    }

    // The navigation points of the NCX that the spine names.
    void readNcx() {
        const auto ncx = package_.manifest.find(package_.ncxId);
        if (ncx == package_.manifest.end() || !zip_.has(ncx->second.entry)) return;
        const std::string& entry = ncx->second.entry;
        const XmlDocument doc = loadXml(entry, zip_.read(entry), "XML");
        const std::string base = folderOf(entry);
        walkBelow(firstDescendant(doc.root(), "navmap"), [&](const XmlNode& n) {
            if (n.isElement() && localName(n) == "navpoint") {
                const XmlNode label = firstDescendant(n, "navlabel");
                const XmlNode content = firstDescendant(n, "content");
                if (label && content) addTarget(base, content.attribute("src"), textOf(label));
            }
            return Step::Into;
        });
    }

    ZipArchive& zip_;
    const Package& package_;
    Contents targets_;
};

} // namespace

Contents readContents(ZipArchive& zip, const Package& package) { return ContentsReader(zip, package).run(); }

} // namespace cadenzo::format::epub
