// The two ways of laying a manuscript out as a book:
// - formatBook: natural breaks and natural highlights, for any text;
// - fitBook: the same rules, fitted to an exact target shape (line counts,
//   anchor places, highlight counts, page-break places).
#pragma once

#include "book_writer.h"
#include "highlights.h"
#include "lexicon.h"
#include "manuscript.h"
#include "shape.h"

#include <functional>
#include <string>
#include <vector>

namespace cadenzo::format {

// One sentence in book order, with what the layout needs to know about it.
struct SentenceEntry {
    int chapter = 0;
    int sourceLine = 0; // line of the input where its paragraph starts
    bool firstInChapter = false;
    bool lastInChapter = false;
    bool lastChapter = false;
    int nextOpeningLines = 0; // after a chapter's last sentence: the next chapter's opening
    const Sentence* sentence = nullptr;
    std::vector<WordInfo> words;
};

struct PreparedText {
    std::vector<SentenceEntry> sentences;
    BookLexicon lexicon;
};

PreparedText prepareText(const Manuscript& book);

// Phrase lines that stand between the markers around a sentence besides its
// own: the "|p>" line before a chapter's first sentence, the next chapter's
// anchor and number lines after a chapter's last.
int linesBesideSentence(const SentenceEntry& entry);

// What a caller hears of a layout as it goes, on the layout's thread.
struct LayoutWatch {
    // How far it has come, from 0 to 1, now and then: the word pass over the
    // whole book is its first third, laying out the sentences the rest.
    std::function<void(double done)> progress;
    // The book's first lines, once, as soon as at least kFirstPartLines are
    // written, in a book of kFirstPartFromSentences sentences or more: a
    // reader shows its first pages while the rest is laid out. The book's
    // later lines follow them; these never change.
    std::function<void(const std::vector<std::string>& lines)> firstPart;
};

// Lines of the first part: more than two columns of the smallest type hold.
inline constexpr std::size_t kFirstPartLines = 4096;
// A book of fewer sentences (about a megabyte of text) hands over no first
// part: it is laid out in less time than a window takes to start, and laying
// it out beside the window would only add the memory of the two.
inline constexpr std::size_t kFirstPartFromSentences = 16384;

// With `besideThread`, a book of thousands of sentences is laid out on two
// threads where the machine has two cores (the tool does; the reader, which
// lays a book out on a worker thread already, does not). The book is the
// same either way.
std::vector<std::string> formatBook(const Manuscript& book, bool besideThread = false, const LayoutWatch& watch = {});

std::vector<std::string> fitBook(const Manuscript& book, const Shape& shape);

} // namespace cadenzo::format
