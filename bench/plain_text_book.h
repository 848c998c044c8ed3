// A plain-text novel of any length, composed from phrases of our own: a title
// and "by" line, chapters headed "CHAPTER IV." with a title line, paragraphs
// of narration and dialogue in typographic quotes, names, numbers and the
// odd accented word, wrapped at 70 columns as such files are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cadenzo::bench {

// Appends the paragraph wrapped at 70 columns (counting bytes, as simple
// tools do).
inline void appendWrapped(std::string& out, const std::string& paragraph) {
    std::size_t column = 0;
    std::size_t start = 0;
    while (start < paragraph.size()) {
        std::size_t end = paragraph.find(' ', start);
        if (end == std::string::npos) end = paragraph.size();
        const std::size_t word = end - start;
        if (column > 0 && column + 1 + word > 70) {
            out += "\n";
            column = 0;
        } else if (column > 0) {
            out += " ";
            ++column;
        }
        out.append(paragraph, start, word);
        column += word;
        start = end + 1;
    }
}

inline std::string PlainTextBook(std::size_t bytes) {
    static const char* const subjects[] = {"Mara",         "The harbour master", "Old Tobias",         "Nell",
                                           "The ferryman", "Her brother",        "Nobody on the quay", "The widow Ashe",
                                           "Émile",        "The clerk"};
    static const char* const verbs[] = {"watched the water rise along the posts",
                                        "counted the boats twice",
                                        "walked down to the causeway",
                                        "said nothing for a long while",
                                        "wrote the hours in a green ledger",
                                        "never once let the lamp go out",
                                        "carried the spare wicks up the stair",
                                        "looked toward the tower",
                                        "heard the bell ring across the marsh",
                                        "kept the café open until midnight"};
    static const char* const tails[] = {"before the tide turned",
                                        "as the light failed over Saltmarsh Quay",
                                        "because the glass was falling",
                                        "with a can of soup under his coat",
                                        "though it was nearly four o’clock",
                                        "while the rain came in from the sea",
                                        "and then went home",
                                        "in the grey hour before dawn",
                                        "without a word to anyone",
                                        "for forty years or more"};
    static const char* const speech[] = {"“Three inches by morning,” she said, “or I am no judge of weather.”",
                                         "“Is that you?” he asked.", "“It’s late,” said the clerk — and it was.",
                                         "‘Not yet,’ she answered. ‘Not until the boats are in.’",
                                         "“Where did they go… and why?”"};
    static const char* const titles[] = {"The Storm", "The Calm",    "A Letter from the Mainland",
                                         "The Lamp",  "Forty Miles", "Low Water"};
    static const char* const numerals[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};

    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    std::string out = "THE SALT ROAD\n\nby Anna Vell\n\n\n";
    std::size_t chapter = 0;
    while (out.size() < bytes) {
        std::string heading = "CHAPTER ";
        const std::size_t n = ++chapter;
        heading += n <= 10 ? numerals[n - 1] : std::to_string(n);
        out += "\n" + heading + ".\n" + titles[n % 6] + "\n\n\n";
        const std::size_t paragraphs = 40 + next(30);
        for (std::size_t p = 0; p < paragraphs && out.size() < bytes; ++p) {
            std::string paragraph;
            const std::size_t sentences = 1 + next(7);
            for (std::size_t s = 0; s < sentences; ++s) {
                if (next(5) == 0) {
                    paragraph += speech[next(5)];
                } else {
                    paragraph += subjects[next(10)];
                    paragraph += " ";
                    paragraph += verbs[next(10)];
                    if (next(2) == 0) paragraph += std::string(", ") + tails[next(10)];
                    paragraph += next(9) == 0 ? "!" : ".";
                }
                paragraph += " ";
            }
            appendWrapped(out, paragraph);
            out += "\n\n";
        }
    }
    return out;
}

} // namespace cadenzo::bench
