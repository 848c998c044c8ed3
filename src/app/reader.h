// The main window's state and handlers: everything the reader does, with no
// toolkit in sight. The Qt window turns each widget signal into one call here.
#pragma once

#include "app/file_system.h"
#include "app/outside_books.h"
#include "app/paths.h"
#include "app/reader_state.h"
#include "app/window.h"
#include "base/unicode.h"
#include "book/markup.h"
#include "book/shipped_book.h"
#include "bookmarks/bookmark_list.h"
#include "catalogue/catalogue.h"
#include "display/color.h"
#include "display/page_renderer.h"

#include <optional>
#include <string>
#include <vector>

namespace cadenzo {

// What the platform tells the reader at start.
struct Platform {
    std::string programPath;     // the running executable's full path
    std::string dataFolder;      // per-user folder for settings and bookmarks
    std::string commandLineBook; // first command-line argument, or empty
    PathRules rules;
    BookMaker bookMaker; // lays out plain-text and EPUB books
};

inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 40;
inline constexpr const char* kResumeQuestion = "Do you want to start reading where you last closed the file?";
inline constexpr const char* kHelpMessage = "The complete Readme/Help file is at:\rcadenzo.example.org/readme.htm";

// The state is a private base: handlers name it as the system does
// (`BookLines`, `NextPageStart`), and only they change it.
class Reader : private ReaderState {
    friend struct ReaderPeer; // the test rig, which sets up a case

  public:
    Reader(Window& window, FileSystem& files, Platform platform);

    // Start-up and shutdown.
    void FormCreate();
    void FormActivate();
    void FormClose();
    void BuildPaths();
    void LoadSettings();
    void SaveSettings();
    void ResetToStartupDefaultsButtonClick();
    void ExitButtonClick();
    void ExitItemClick();

    // Page display and paging.
    int ShowPage(int start);
    void NextPage();
    void PrevPage();
    void RedrawPage();
    void NextButtonClick();
    void PrevButtonClick();
    // Every key-down is handled here first; returns true: the key is used up.
    bool FormKeyDown(int key);
    void ReadTabSheetResize();

    // Display options.
    void BGColorRadioGroupClick();
    void SingleShadeBgCheckBoxClick();
    void TwoColorCheckBoxClick();
    void TwoColCheckBoxClick();
    void FontSizeTrackBarChange();
    void FontSizeUpDownClick();
    void ApplyLightScheme();
    void ApplyDarkScheme();
    void ApplyWindowsScheme();

    // Catalogue and opening a book.
    void BuildCatalogue();
    void OpenTOCItemClick();
    void TOCTreeViewExpanded();
    void TOCTreeViewCollapsed();
    void TOCTreeViewDblClick();
    void TOCTreeViewClick();
    void OpenBook(const std::string& FileName, const std::string& Anchor);
    void OpenLITItemClick();
    void OpenCommandLineBook();
    // Plain-text and EPUB books (reader_outside_books.cpp).
    void OpenOutsideBook(const std::string& path, const std::string& anchor);
    void OpenOutsideFile(const std::string& path);
    void BookFileDropped(const std::string& path);
    bool OutsideNodeClick(int number);
    bool LoadOutsideIndex();
    // The rest of the open book has been laid out: it joins the part shown.
    void OutsideLayoutFinished();
    BookLineList outsideBookSource(const std::string& fileName, text::Encoding& encoding);
    void appendOutsideNodes(std::vector<CatalogueNode>& tree);

    // Bookmarks.
    // Reloads the bookmark file and finds the open book's section; false
    // when there is no bookmark file.
    bool BMMenuClick();
    void BMAddItemClick();
    void BMDeleteItemClick();
    void BMGOItemClick();
    int BuildBMPopup();
    void BMDeletePopupHandler(int position);
    void BMGotoPopupHandler(int position);
    // A click on item `position` of the pop-up, for whichever command built it.
    void BMPopupItemClick(int position);
    void WriteClosingBookmark();

    // Find, the word index and saving the page.
    void FindItemClick();
    void FindDialog1Find();
    void SearchBook(int origin, int step);
    void ShowFindHit(int hit);
    void IndexLoadButtonClick();
    void InxTreeViewClick();
    void SaveScreenItemClick();

    // Main window and control panel.
    void FormResize();
    void HideControlPanelItemClick();
    void ShowControlPanelItemClick();
    void ReadTabSheetEnter();
    void ControlsTabSheetEnter();
    void OKButtonClick();
    void HempMenuClick();

    // The main window's state, to read; handlers alone change it.
    const ReaderState& state() const { return *this; }
    int PageStart() const { return page.PageStart; }
    int CurColorSet() const { return page.CurColorSet; }

  private:
    // Waits for the rest of a book still being laid out and puts it after
    // the part shown; nothing to do for a book laid out whole.
    void completeBook();
    // Book lines one column of the page holds at most.
    int linesPerColumn();
    // What the page is drawn from.
    PageInputs pageInputs();
    // Measures the page after the one shown on the window's measuring
    // surface, once the window is idle; nothing the reader shows changes.
    void measureNextPageWhenIdle();
    void measureNextPage();
    void applyScheme(int itemIndex);
    void writeDefaultSettings();
    // The book a file name and key name, prepared (only its first part when
    // the rest is still being laid out: OpeningRest is then set).
    BookLineList preparedBook(const std::string& fileName, const std::string& key, text::Encoding& encoding);
    // A text file's lines as UTF-8 (see text::decodeFileLines); nothing when unreadable.
    std::optional<std::vector<std::string>> readTextLines(const std::string& path) const;
    int resumeOffer();
    void saveBookmarks();
    void showBookmarkPopup(PopupCommand command);
    const std::string& bookmarkAt(int position) const;
    void showIndex(std::vector<std::string> lines);

    Window& win_;
    FileSystem& files_;
    Platform platform_;
    bool nextPageMeasureQueued_ = false;
};

} // namespace cadenzo
