#include "catalogue/catalogue.h"

#include "base/checked.h"
#include "book/markup.h"

#include <array>

namespace cadenzo {

namespace {

constexpr std::string_view kSeparator = "<<";

std::string padded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

const std::array<const char*, 12> kNumerals = {"I",   "II",   "III", "IV", "V",  "VI",
                                               "VII", "VIII", "IX",  "X",  "XI", "XII"};

std::string anchorName(int chapter) {
    std::string digits = std::to_string(chapter);
    return "refpt" + std::string(3 - digits.size(), '0') + digits;
}

} // namespace

std::string CatalogueEndLine() { return padded("(END)", 65); }

CatalogueLineList BuiltInCatalogue() {
    CatalogueLineList lines;
    lines.push_back("Brightshelf  <<0none");
    lines.push_back("Listed by Title       <<1title");
    lines.push_back(padded("Vestaria, by Penwright", 64) + "<<2vesta");
    for (int c = 1; c <= 12; ++c)
        lines.push_back(std::string(kNumerals[static_cast<std::size_t>(c - 1)]) + "<<3vesta@" + anchorName(c));
    lines.push_back(padded("Listed by Author", 64) + "<<1author");
    lines.push_back(padded("Penwright", 64) + "<<2aut");
    lines.push_back(padded("Vestaria, by Penwright", 64) + "<<3vesta");
    for (int c = 1; c <= 12; ++c)
        lines.push_back(std::string(kNumerals[static_cast<std::size_t>(c - 1)]) + "<<4vesta@" + anchorName(c));
    lines.push_back(CatalogueEndLine());
    return lines;
}

CatalogueLineList CatalogueFromFileLines(const std::vector<std::string>& fileLines) {
    CatalogueLineList lines;
    for (const std::string& line : fileLines)
        if (Contains(line, kSeparator)) lines.push_back(line);
    lines.push_back(CatalogueEndLine());
    return lines;
}

std::string_view DisplayText(std::string_view line) { return line.substr(0, line.find(kSeparator)); }

std::string EntryText(std::string_view line) {
    const std::size_t sep = line.find(kSeparator);
    if (sep == std::string_view::npos) return {};
    const std::size_t afterLevel = sep + kSeparator.size() + 1;
    return afterLevel >= line.size() ? std::string() : std::string(Trimmed(line.substr(afterLevel)));
}

CatalogueTree BuildCatalogueTree(const CatalogueLineList& lines) {
    CatalogueTree nodes;
    std::array<int, 6> slots;
    slots.fill(-1);
    std::vector<std::vector<int>> children;
    std::vector<int> roots;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t sep = line.find(kSeparator);
        if (sep == std::string::npos) continue;
        const std::size_t levelAt = sep + kSeparator.size();
        const char level = levelAt < line.size() ? line[levelAt] : '\0';

        CatalogueNode node{std::string(DisplayText(line)), -1, 0, static_cast<int>(i)};
        const int self = static_cast<int>(nodes.size());
        if (level == '0') {
            slots[0] = self;
        } else if (level >= '1' && level <= '5') {
            const int depth = level - '0';
            node.parent = slots[static_cast<std::size_t>(depth - 1)];
            slots[static_cast<std::size_t>(depth)] = self;
        } else {
            // Any other level hangs under the last depth-5 node; no slot changes.
            node.parent = slots[5];
        }
        nodes.push_back(std::move(node));
        children.emplace_back();
        if (nodes.back().parent < 0)
            roots.push_back(self);
        else
            children[static_cast<std::size_t>(nodes.back().parent)].push_back(self);
    }

    // Pre-order numbers, without recursion (trees from files may be deep).
    int next = 0;
    std::vector<int> stack(roots.rbegin(), roots.rend());
    while (!stack.empty()) {
        const int n = stack.back();
        stack.pop_back();
        nodes[static_cast<std::size_t>(n)].number = next++;
        const auto& kids = children[static_cast<std::size_t>(n)];
        stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
    return nodes;
}

std::vector<std::string> SeedBookmarkLines(const CatalogueLineList& lines) {
    std::vector<std::string> seeded;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t sep = line.find(kSeparator);
        if (sep == std::string::npos || Contains(line, "@")) continue;
        std::string header = line.substr(sep);
        if (header.size() > 2) header.erase(2, 1); // the level character
        seeded.push_back(std::move(header));
    }
    return seeded;
}

std::size_t TitleLineOf(const CatalogueLineList& lines, std::size_t line) {
    for (std::size_t i = std::min(line, lines.empty() ? 0 : lines.size() - 1) + 1; i-- > 0;)
        if (!Contains(lines[i], "@")) return i;
    return line;
}

std::string entryTitle(const CatalogueLineList& lines, std::size_t line) {
    const std::size_t titleLine = Contains(EntryText(checkedAt(lines, line)), "@") ? TitleLineOf(lines, line) : line;
    return std::string(Trimmed(DisplayText(checkedAt(lines, titleLine))));
}

EntryTarget splitEntry(std::string_view entryText) {
    const std::size_t at = entryText.find('@');
    if (at == std::string_view::npos) return {std::string(entryText)};
    return {std::string(entryText.substr(0, at)), std::string(entryText.substr(at + 1))};
}

bool isAbsentAnchor(std::string_view anchor) { return anchor.empty() || anchor == " " || anchor == "00000"; }

} // namespace cadenzo
