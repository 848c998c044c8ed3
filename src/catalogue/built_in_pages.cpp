#include "catalogue/built_in_pages.h"

#include <utility>

namespace cadenzo {

namespace {

constexpr const char* kBanner = "Cadenzo built-in page. Tidal Type(R) phrase layout, Brightshelf collection.";

struct PageLine {
    int spaces;
    const char* text;
};

// Phrase lines at indentation 00, each text preceded by its spaces.
BookLineList page(std::initializer_list<PageLine> lines) {
    BookLineList out{kBanner};
    for (const PageLine& l : lines)
        out.push_back("l00" + std::string(static_cast<std::size_t>(l.spaces), ' ') + l.text);
    return out;
}

BookLineList listPage(const char* by) {
    return page(
        {{0, ""}, {3, "This is a list"}, {6, "of books listed"}, {8, by}, {7, "of the book."}, {0, ""}, {0, ""}});
}

} // namespace

BookLineList CollectionWelcomePage() {
    return page({{5, "Welcome to Tidal Type!"},
                 {0, ""},
                 {6, "Select a Book"},
                 {12, "from the list"},
                 {10, "by clicking on its title."},
                 {0, ""},
                 {5, "If the Book is large"},
                 {9, "and has several sections,"},
                 {12, "there will be"},
                 {16, "a small box"},
                 {14, "with a"},
                 {10, "\"+\""},
                 {13, "in the box."},
                 {0, ""},
                 {5, "Click on the"},
                 {10, "\"+\""},
                 {13, "to see the sections"},
                 {16, "of the Book."},
                 {0, ""},
                 {5, "You can also"},
                 {11, "use the PageUp"},
                 {16, "and PageDown keys"},
                 {15, "to move through the text."},
                 {0, ""},
                 {5, "When you select a story,"},
                 {12, "this Reading Window"},
                 {13, "will move"},
                 {20, "to the front"},
                 {24, "of the other windows."},
                 {0, ""}});
}

BookLineList TitleListPage() { return listPage("by the title"); }
BookLineList AuthorListPage() { return listPage("by the author"); }

BookLineList AuthorEntryPage() { return {kBanner, "l00|b>", "l04Penwright", "l00|n>", "p000"}; }

BookLineList StartupWelcomePage() {
    return {" ",
            "Select a Book",
            "       from the Table of Contents",
            "     by clicking on the title.",
            " ",
            "If the Book is large",
            "    and has several sections,",
            "       there will be",
            "           a small box",
            "         with a",
            "     \"+\"",
            "        in the box.",
            " ",
            "Click on the",
            "     \"+\"",
            "        to see the sections",
            "           of the Book.",
            " ",
            "p000"};
}

} // namespace cadenzo
