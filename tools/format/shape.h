// The target shape of a fitted book: how many lines it has, where each
// chapter's anchor line stands, how many highlights of each colour it carries,
// and where the first pages must be able to break. See vestaria.shape.
#pragma once

#include "highlights.h"

#include <string_view>
#include <vector>

namespace cadenzo::format {

struct Shape {
    int lines = 0;                          // stored lines, banner included
    std::vector<int> anchors;               // stored index of each chapter's anchor line
    std::vector<int> firstParagraphMarkers; // number of each chapter's first marker (optional)
    int sentenceMarkers = -1;               // -1: not checked
    int phraseLines = -1;                   // -1: not checked
    int maxLinesBetweenMarkers = 33;
    HighlightQuota highlights;
    // Reader line indexes (stored index - 1, the banner being dropped) where a
    // paragraph or sentence marker must stand, and where none may.
    std::vector<int> markerAt;
    std::vector<int> noMarkerAt;
};

// Throws FormatError naming the shape file's line for any problem.
Shape parseShape(std::string_view text);

} // namespace cadenzo::format
