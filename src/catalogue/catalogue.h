// Catalogue lines: display text, "<<", a level character, the book's key and
// an optional "@" anchor. They describe the table-of-contents tree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

using CatalogueLineList = std::vector<std::string>;

// The end line that closes every catalogue: "(END)" filled to 65 characters.
std::string CatalogueEndLine();

// The 31 lines of the built-in catalogue.
CatalogueLineList BuiltInCatalogue();

// A catalogue read from a file: lines without "<<" (blank lines, notes) are
// dropped, so node numbers stay equal to line numbers, and the end line is
// added.
CatalogueLineList CatalogueFromFileLines(const std::vector<std::string>& fileLines);

// Everything before the first "<<" (the whole line without one).
std::string_view DisplayText(std::string_view line);
// The line after its level character, trimmed ("vesta@refpt003"); empty
// when the line has no "<<".
std::string EntryText(std::string_view line);

// A node of the catalogue tree. Nodes are listed in the order the lines made
// them; `number` is the node's place in pre-order (parent before children),
// which equals its line's index when the levels are well formed.
struct CatalogueNode {
    std::string text;
    int parent = -1; // index into the node list, -1 for a top-level node
    int number = 0;
    int line = 0; // the catalogue line that made it
};
using CatalogueTree = std::vector<CatalogueNode>;

CatalogueTree BuildCatalogueTree(const CatalogueLineList& lines);

// The bookmark file's first lines: "<<" + key for every line (but the last)
// that holds "<<" and no "@".
std::vector<std::string> SeedBookmarkLines(const CatalogueLineList& lines);

// The line whose display text is the book's title for the entry at `line`:
// the nearest line at or above it that holds no "@".
std::size_t TitleLineOf(const CatalogueLineList& lines, std::size_t line);

// The title a chosen entry shows in the caption: the trimmed display text of
// its title line (the entry's own line when its text has no "@").
std::string entryTitle(const CatalogueLineList& lines, std::size_t line);

// An entry's text split at its first "@": the book's key before it and the
// anchor after it ("vesta@refpt003"); the anchor is "00000" without an "@".
struct EntryTarget {
    std::string key;
    std::string anchor = "00000";
};
EntryTarget splitEntry(std::string_view entryText);

// True when an anchor names no place in the book (" ", "00000" or nothing):
// the book then opens where the reader last left it.
bool isAbsentAnchor(std::string_view anchor);

} // namespace cadenzo
