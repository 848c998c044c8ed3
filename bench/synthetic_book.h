// Stored-form books of any length, shaped like a real one: sentences of a few
// phrase lines at cascading indentations, highlights, paragraph markers.
#pragma once

#include "book/markup.h"

#include <string>

namespace cadenzo::bench {

inline StoredLines StoredBook(int lineCount) {
    static const char* const phrases[] = {"l05The tide came|9> early|4> that evening, ",
                                          "l09and the bell|7> rang|4> twice ",
                                          "l14over the wet|8> stones|4> ",
                                          "l05Nell counted|9> the posts|4> ",
                                          "l11as the water|6> rose|4> about them, ",
                                          "l20slow and grey, ",
                                          "l07toward the tower. "};
    StoredLines lines;
    lines.reserve(static_cast<std::size_t>(lineCount));
    lines.emplace_back("Tidal Type(R) banner");
    int paragraph = 0;
    for (int i = 1; i < lineCount; ++i) {
        if (i % 31 == 0)
            lines.push_back("p" + std::to_string(paragraph++ % 1000) + " ");
        else if (i % 6 == 0)
            lines.emplace_back("s000 ");
        else
            lines.emplace_back(phrases[i % 7]);
    }
    return lines;
}

} // namespace cadenzo::bench
