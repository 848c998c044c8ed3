// The word index of a book (".lix"): one line per word, the word followed by
// its line references, each "|" + four hidden characters + a line number of
// five digits (short) or six (long). Loaded, it becomes a three-level tree:
// initial letters, words, references.
#pragma once

#include "base/checked.h"

#include <string>
#include <vector>

namespace cadenzo {

// The index's rows in tree order: a lower-case letter row before every run of
// words with the same initial (ignoring case, and accents: "École" stands
// under "e"), each word followed by its
// short references in file order, then its long ones. Empty lines are left
// out. Built in one pass over the lines.
std::vector<std::string> IndexRows(const std::vector<std::string>& fileLines);

// The loaded tree. Node 0 is the root "Index"; a row of one character (of any
// length in bytes) is a letter; words that come before any letter row (they
// begin with a blank) are top-level nodes beside it.
struct IndexTree {
    std::vector<std::string> text; // references shown as two blanks + the number's characters
    std::vector<int> parent;       // -1 for top-level nodes
    std::vector<int> row;          // place among its siblings
    std::vector<int> childStart;   // children of node n: childIds[childStart[n] .. + childCount[n]]
    std::vector<int> childCount;
    std::vector<int> childIds;
    std::vector<int> topLevel;

    int size() const { return static_cast<int>(text.size()); }
    // The k-th child of a node; a node or child number the tree does not hold
    // (the window names them) raises the list index error.
    int child(int node, int k) const {
        if (k < 0 || k >= checkedAt(childCount, node)) throw ListIndexError(k);
        return checkedAt(childIds, static_cast<long long>(checkedAt(childStart, node)) + k);
    }
    // The node that comes first after the root in tree order (the first
    // letter row), or -1.
    int firstAfterRoot() const;
};

IndexTree BuildIndexTree(std::vector<std::string> rows);

} // namespace cadenzo
