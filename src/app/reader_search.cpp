// Find, the word index, and saving the page on screen as text.
#include "app/reader.h"
#include "base/errors.h"
#include "display/page_text.h"
#include "search/find.h"
#include "search/word_index.h"

namespace cadenzo {

void Reader::FindItemClick() {
    const WindowRect rect = win_.windowRect();
    win_.showFindDialog(rect.left + 50, rect.top + 50);
}

// Every line outside the page in the chosen direction is searched: down from
// the first line after the page, up from the line before it to line 0.
void Reader::FindDialog1Find() {
    completeBook(); // the whole book is searched
    const int count = static_cast<int>(BookLines.size());
    if (win_.findDirectionDown()) {
        if (NextPageStart >= 0 && NextPageStart < count - 1)
            SearchBook(NextPageStart, +1);
        else
            win_.closeFindDialog();
    } else {
        if (page.PageStart > 0 && count > 0)
            SearchBook(page.PageStart, -1);
        else
            win_.closeFindDialog();
    }
}

void Reader::SearchBook(int origin, int step) {
    FindOrigin = origin;
    const FindQuery query = win_.findQuery();
    if (query.text.empty()) return;
    const int count = static_cast<int>(BookLines.size());
    const int first = step > 0 ? origin : origin - 1;
    const int last = step > 0 ? count - 1 : 0;
    if (const auto hit = SearchLines(BookLines, first, last, query))
        ShowFindHit(*hit);
    else
        win_.closeFindDialog();
}

void Reader::ShowFindHit(int hit) {
    if (hit >= static_cast<int>(BookLines.size()) - 1) return;
    FindHitLine = hit;
    NextPageStart = ShowPage(FindHitPageStart(BookLines, hit, FindOrigin));
}

void Reader::IndexLoadButtonClick() {
    if (IndexPath.empty() && LoadOutsideIndex()) return;
    if (IndexPath.empty() || !files_.fileExists(IndexPath)) return;
    win_.setIndexLoading(true);
    auto lines = readTextLines(IndexPath);
    if (!lines) {
        win_.setIndexLoading(false);
        throw ReaderError("Cannot read the index file " + IndexPath);
    }
    showIndex(std::move(*lines));
}

// The index's lines, as a file holds them, shown as the Index tree; the lines
// go once the tree is built, so the book's index is not held twice.
void Reader::showIndex(std::vector<std::string> lines) {
    IndexTree tree = BuildIndexTree(IndexRows(lines));
    std::vector<std::string>().swap(lines);
    const int first = tree.firstAfterRoot();
    win_.setIndexTree(std::move(tree));
    win_.setIndexLoading(false);
    win_.setIndexView(IndexView::Loaded);
    if (first >= 0) win_.selectIndexNode(first);
}

void Reader::InxTreeViewClick() {
    win_.setSearchingIndex(true);
    struct Done {
        IndexPage& w;
        ~Done() { w.setSearchingIndex(false); }
    } done{win_};
    const std::string text(Trimmed(win_.selectedIndexText().value_or(std::string())));
    if (text.empty() || text[0] < '0' || text[0] > '9' || text == LastIndexEntry) return;
    const int line = StrToInt(text);
    LastIndexEntry = text;
    NextPageStart = ShowPage(line - 5);
}

void Reader::SaveScreenItemClick() {
    const auto name = win_.askSaveFileName("txt");
    if (!name) return;
    if (!files_.writeLines(*name,
                           InBookEncoding(PageTextLines(BookLines, page.PageStart, NextPageStart), BookEncoding)))
        throw CreateFileError(*name);
}

} // namespace cadenzo
