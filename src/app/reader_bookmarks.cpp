// Named bookmarks, the closing bookmark and the resume offer.
#include "app/reader.h"
#include "base/checked.h"
#include "base/errors.h"

namespace cadenzo {

bool Reader::BMMenuClick() {
    if (!files_.fileExists(BookmarkPath)) return false;
    auto lines = readTextLines(BookmarkPath);
    if (!lines) throw ReaderError("Cannot read the bookmark file " + BookmarkPath);
    BMList = std::move(*lines);
    if (EnsureSection(BMList, BookKey)) saveBookmarks();
    BMBookLine = FindSectionHeader(BMList, BookKey);
    BMEndLine = SectionOf(BMList, BMBookLine).end;
    win_.setBookmarkItemsEnabled(BMEndLine > BMBookLine + 1);
    return true;
}

void Reader::saveBookmarks() {
    if (!files_.writeLines(BookmarkPath, BMList)) throw CreateFileError(BookmarkPath);
}

void Reader::BMAddItemClick() {
    const std::string name = win_.askBookmarkName();
    if (name.empty()) {
        win_.showMessage("No BookMark Added");
        return;
    }
    // The file may have changed since the menu opened: its section is found afresh.
    if (!BMMenuClick()) throw ReaderError("The bookmark file " + BookmarkPath + " is missing: no bookmark added");
    BMList.insert(BMList.begin() + BMBookLine + 1, BookmarkLine(page.PageStart, name));
    saveBookmarks();
    PageTurned = false;
}

int Reader::BuildBMPopup() {
    BMItems.clear();
    for (int line = BMBookLine + 1; line < BMEndLine && line < static_cast<int>(BMList.size()); ++line)
        BMItems.push_back(BookmarkCaption(checkedAt(BMList, line)));
    return static_cast<int>(BMItems.size()) - 1;
}

void Reader::showBookmarkPopup(PopupCommand command) {
    BMPopupCommand = command;
    BuildBMPopup();
    const WindowRect rect = win_.windowRect();
    win_.showBookmarkPopup(BMItems, rect.left + win_.pageControl2Left() - 100, rect.top);
}

void Reader::BMDeleteItemClick() { showBookmarkPopup(PopupCommand::Delete); }
void Reader::BMGOItemClick() { showBookmarkPopup(PopupCommand::Goto); }

const std::string& Reader::bookmarkAt(int position) const {
    const int line = BMBookLine + 1 + position;
    if (position < 0 || position >= static_cast<int>(BMItems.size()) || line >= static_cast<int>(BMList.size()))
        throw ListIndexError(position);
    return BMList[static_cast<std::size_t>(line)];
}

void Reader::BMDeletePopupHandler(int position) {
    bookmarkAt(position);
    BMList.erase(BMList.begin() + BMBookLine + 1 + position);
    saveBookmarks();
}

void Reader::BMGotoPopupHandler(int position) {
    const int line = BookmarkLineNumber(bookmarkAt(position));
    NextPageStart = ShowPage(line);
}

void Reader::BMPopupItemClick(int position) {
    if (BMPopupCommand == PopupCommand::Delete)
        BMDeletePopupHandler(position);
    else
        BMGotoPopupHandler(position);
}

void Reader::WriteClosingBookmark() {
    // Whenever the reader has paged since the last one, as long as there is a
    // bookmark file to write it to.
    if (!PageTurned || !BMMenuClick()) return;
    const LocalTime now = win_.localTime();
    const std::string when = now.midnight ? now.date : now.date + " " + now.time;
    BMList.insert(BMList.begin() + BMBookLine + 1, BookmarkLine(page.PageStart, "Closed book at " + when));
    saveBookmarks();
    PageTurned = false;
    BMList.clear();
}

int Reader::resumeOffer() {
    if (!BMMenuClick() || BMEndLine <= BMBookLine + 1) return 0;
    const std::string& newest = checkedAt(BMList, BMBookLine + 1);
    int line = 0;
    try {
        line = BookmarkLineNumber(newest);
    } catch (const ConversionError& error) {
        // A damaged bookmark does not keep the book from opening.
        win_.showError(error.what());
        return 0;
    }
    return win_.askYesNo(BookmarkCaption(newest), kResumeQuestion) ? line : 0;
}

} // namespace cadenzo
