// A short book written for these tests, which the formatter has never seen.
#pragma once

#include <array>

namespace cadenzo::format::test {

inline constexpr std::array<const char*, 4> kSampleParagraphs = {
    "Odile Marsh kept the lamp at Port Ellery for eleven years, and in all that time she never "
    "once let it go out. She trimmed the wick at dusk, polished the brass at noon, and wrote the "
    "hours in a green ledger that her mother had bought in 1887.",

    "The harbour master, a patient man called Amos Reed, thought her strange but reliable. When "
    "the gales came in November, he would walk up the cliff path with a can of soup under his "
    "coat, because he knew Odile would not come down for it herself.",

    "One winter night the glass fell faster than either of them had seen it fall. \"Three inches "
    "by morning,\" Amos said, tapping the dial, \"or I am no judge of weather.\" Odile did not "
    "answer; she was already carrying the spare wicks up the narrow stair, two steps at a time.",

    "By dawn the sea had taken the jetty, the boathouse and half the road to the village, but "
    "the light was still burning. Nobody ever asked her how.",
};

inline constexpr int kSampleSentences = 9;

// The paragraphs above in the manuscript form: two chapters of two paragraphs,
// the first paragraph wrapped over two lines, and a closing heading.
inline constexpr const char* kSampleBook =
    "Title: Harbour Lights\n"
    "Author: Test Writer\n"
    "Year: 1902\n"
    "\n"
    "Chapter: I\n"
    "\n"
    "Odile Marsh kept the lamp at Port Ellery for eleven years, and in all that time she never\n"
    "once let it go out. She trimmed the wick at dusk, polished the brass at noon, and wrote the "
    "hours in a green ledger that her mother had bought in 1887.\n"
    "\n"
    "The harbour master, a patient man called Amos Reed, thought her strange but reliable. When "
    "the gales came in November, he would walk up the cliff path with a can of soup under his "
    "coat, because he knew Odile would not come down for it herself.\n"
    "\n"
    "Chapter: II\n"
    "\n"
    "One winter night the glass fell faster than either of them had seen it fall. \"Three inches "
    "by morning,\" Amos said, tapping the dial, \"or I am no judge of weather.\" Odile did not "
    "answer; she was already carrying the spare wicks up the narrow stair, two steps at a time.\n"
    "\n"
    "By dawn the sea had taken the jetty, the boathouse and half the road to the village, but "
    "the light was still burning. Nobody ever asked her how.\n"
    "\n"
    "Closing: AFTERWORD\n";

} // namespace cadenzo::format::test
