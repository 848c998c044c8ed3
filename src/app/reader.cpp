#include "app/reader.h"

#include "app/ini_file.h"
#include "app/layout.h"
#include "app/settings.h"
#include "base/errors.h"
#include "base/unicode.h"
#include "catalogue/built_in_pages.h"
#include "display/color_sets.h"
#include "display/page_text.h"
#include "display/paging.h"

#include <algorithm>
#include <climits>
#include <exception>

namespace cadenzo {

Reader::Reader(Window& window, FileSystem& files, Platform platform)
    : win_(window), files_(files), platform_(std::move(platform)) {}

// ---- Start-up and shutdown -------------------------------------------------

void Reader::FormCreate() {
    BookLines.clear();
    LastIndexEntry = " ";
    win_.prepareSurfaces();
    BookFileName.clear();
    ProgramDir = FolderOf(platform_.programPath, platform_.rules);
    ProgramBaseName = BaseNameOf(platform_.programPath, platform_.rules);
    DataFolder = platform_.dataFolder;
    if (!files_.folderExists(DataFolder) && !files_.createFolder(DataFolder))
        throw ReaderError(std::string("Unable to create the data folder ").append(DataFolder));
    BuildPaths();
    LoadSettings();
    // A book named on the command line that cannot be opened is reported; the
    // catalogue is still built, so the reader stays usable.
    try {
        OpenCommandLineBook();
    } catch (const ReaderError& error) {
        win_.showError(error.what());
    }
    if (files_.fileExists(TocPath)) CatalogueFilePath = TocPath;
    BuildCatalogue();
}

void Reader::FormActivate() {
    FormResize();
    win_.copyIndexInstructions();
    win_.showControlTab();
    const BookLineList welcome = StartupWelcomePage();
    BookLines.append(welcome);
    // From line 0, or from where a book named on the command line resumed.
    NextPageStart = ShowPage(page.PageStart);
}

void Reader::FormClose() {
    // A settings file that cannot be written is reported, and closing goes on.
    try {
        SaveSettings();
    } catch (const ReaderError& error) {
        win_.showError(error.what());
    }
    WriteClosingBookmark();
}

void Reader::BuildPaths() {
    ReaderPaths paths = ComposePaths(DataFolder, ProgramDir, ProgramBaseName, platform_.rules);
    IniPath = paths.IniPath;
    BookmarkPath = paths.BookmarkPath;
    TocPath = paths.TocPath;
    IndexPath = paths.IndexPath;
    const bool indexExists = files_.fileExists(IndexPath);
    if (!indexExists) IndexPath.clear();
    win_.setIndexTabVisible(indexExists);
    if (!files_.fileExists(IniPath)) writeDefaultSettings();
}

void Reader::writeDefaultSettings() {
    if (!files_.writeLines(IniPath, MakeDefaultSettings(TocPath, win_.screenWidth(), win_.screenHeight())))
        throw CreateFileError(IniPath);
}

void Reader::LoadSettings() {
    const IniLines ini = files_.readLines(IniPath).value_or(IniLines{});
    auto read = [&](const char* key, int fallback) { return IniReadInteger(ini, kSettingsSection, key, fallback); };
    win_.setCatalogueFontSize(std::clamp(read("fontsize", 15), kMinFontSize, kMaxFontSize));
    // Hand-edited numbers stay within what a desktop can hold; the window then
    // fits them to its screens.
    auto coordinate = [&](const char* key, int fallback) {
        return std::clamp(read(key, fallback), -kMaxWindowCoordinate, kMaxWindowCoordinate);
    };
    WindowRect rect{coordinate("tleft", 100), coordinate("ttop", 0), coordinate("twidth", 500),
                    coordinate("theight", 440)};
    rect.width = std::max(rect.width, kMinWindowWidth);
    rect.height = std::max(rect.height, kMinWindowHeight);
    win_.setWindowRect(rect);
    win_.setNoColoredTextChecked(read("twocolor", 0) == 1);
    win_.setSingleShadeChecked(read("plainbkg", 0) == 1);
    win_.setTwoColumnChecked(read("twocolumn", 0) == 1);
    win_.setFontSizeSliderPosition(std::clamp(read("fontsize", 15), kMinFontSize, kMaxFontSize));
    win_.setFontSizeUpDownPosition(win_.fontSizeSliderPosition());
    win_.setSchemeIndex(std::clamp(read("background", 1), -1, 2));
    applyScheme(win_.schemeIndex());
    FontSizeTrackBarChange();
    win_.setBookmarksMenuVisible(true);
    BMList.clear();
}

void Reader::SaveSettings() {
    const WindowRect rect = win_.windowRect();
    if (rect.width == win_.screenWidth() || rect.height == win_.screenHeight()) return;
    IniLines ini = files_.readLines(IniPath).value_or(IniLines{});
    auto write = [&](const char* key, int value) { IniWriteInteger(ini, kSettingsSection, key, value); };
    write("background", win_.schemeIndex());
    write("tleft", rect.left);
    write("ttop", rect.top);
    write("theight", rect.height);
    write("twidth", rect.width);
    write("fontsize", win_.fontSizeSliderPosition());
    write("plainbkg", win_.singleShadeChecked() ? 1 : 0);
    write("twocolor", win_.noColoredTextChecked() ? 1 : 0);
    if (!files_.writeLines(IniPath, ini)) throw WriteSettingsError(IniPath);
}

void Reader::ResetToStartupDefaultsButtonClick() {
    writeDefaultSettings();
    LoadSettings();
    RedrawPage();
}

void Reader::ExitButtonClick() { win_.closeWindow(); }
void Reader::ExitItemClick() { win_.closeWindow(); }

// ---- Page display and paging -----------------------------------------------

int Reader::linesPerColumn() {
    DrawingSurface& surface = win_.pageSurface();
    surface.setFontSize(PageFontSize);
    return std::max(1, win_.pageHeight() / std::max(1, surface.textHeight("X")));
}

int Reader::ShowPage(int start) {
    // A page that would reach past the part of the book laid out so far waits
    // for the rest: two columns of lines, with room for a change of type.
    if (PendingBook &&
        static_cast<long long>(start) + 2LL * (linesPerColumn() + 8) >= static_cast<long long>(PendingBook->readyLines))
        completeBook();
    const int next = cadenzo::ShowPage(start, pageInputs(), page, win_.pageSurface(), win_);
    // The text of the page drawn, which begins at PageStart: a negative start
    // draws from line 0.
    if (page.PageStart < static_cast<int>(BookLines.size()) - 2)
        win_.setPageText(PageTextLines(BookLines, page.PageStart, next));
    measureNextPageWhenIdle();
    return next;
}

PageInputs Reader::pageInputs() {
    return PageInputs{BookLines,         PageFontSize,
                      ColorSets,         win_.twoColumnChecked(),
                      ProgramDir,        win_.pageWidth(),
                      win_.pageHeight(), [this](const std::string& path) { return files_.fileExists(path); }};
}

void Reader::measureNextPageWhenIdle() {
    if (nextPageMeasureQueued_) return;
    nextPageMeasureQueued_ = true;
    win_.whenIdle([this] { measureNextPage(); });
}

// The page NextPage would draw, drawn from a copy of the page state on a
// surface that keeps only what it measured. A book still being laid out is
// not measured ahead: its next page may wait for the rest.
void Reader::measureNextPage() {
    nextPageMeasureQueued_ = false;
    if (PendingBook) return;
    class NoDisplay : public PositionDisplay {
        void setPrevEnabled(bool) override {}
        void setNextEnabled(bool) override {}
        void setPositionText(const std::string&) override {}
        void setProgress(int, int) override {}
    } none;
    PageState ahead = page;
    try {
        cadenzo::ShowPage(NextPageStart, pageInputs(), ahead, win_.measuringSurface(), none);
    } catch (const std::exception&) {
        // Drawn for real when turned to, and reported then.
    }
}

void Reader::NextPage() {
    PageTurned = true;
    NextPageStart = ShowPage(NextPageStart);
}

void Reader::PrevPage() {
    PageTurned = true;
    DrawingSurface& surface = win_.pageSurface();
    page.LineHeight = std::max(1, surface.textHeight("X"));
    page.PageHeight = win_.pageHeight();
    LinesPerPage = page.PageHeight / page.LineHeight;

    const int s = pageBackStart(BookLines, page.PageStart, LinesPerPage);
    const int last = page.PageStart > INT_MAX - 2 ? INT_MAX : page.PageStart + 2;
    if (switchesToCourier(BookLines, s, last)) surface.setFontFace(FontFace::TimesNewRoman);
    NextPageStart = ShowPage(s);
}

void Reader::RedrawPage() { NextPageStart = ShowPage(page.PageStart); }

void Reader::NextButtonClick() {
    win_.closeFindDialog();
    NextPage();
}

void Reader::PrevButtonClick() {
    win_.closeFindDialog();
    PrevPage();
}

bool Reader::FormKeyDown(int key) {
    if (key == kKeyPageDown)
        NextPage();
    else if (key == kKeyPageUp)
        PrevPage();
    return true;
}

void Reader::ReadTabSheetResize() { RedrawPage(); }

// ---- Display options ---------------------------------------------------------

void Reader::applyScheme(int itemIndex) {
    switch (itemIndex) {
    case 0: ApplyLightScheme(); break;
    case 1: ApplyDarkScheme(); break;
    case 2: ApplyWindowsScheme(); break;
    default: break;
    }
}

void Reader::BGColorRadioGroupClick() { applyScheme(win_.schemeIndex()); }

// The scheme routines write set 1 and then set 0, leaving set 0 in use.
void Reader::ApplyLightScheme() {
    WriteSchemeColors(ColorSets, Scheme::Light);
    page.CurColorSet = 0;
    if (win_.noColoredTextChecked()) TwoColorCheckBoxClick();
    RedrawPage();
}

void Reader::ApplyDarkScheme() {
    WriteSchemeColors(ColorSets, Scheme::Dark);
    page.CurColorSet = 0;
    if (win_.noColoredTextChecked()) TwoColorCheckBoxClick();
    RedrawPage();
}

void Reader::ApplyWindowsScheme() {
    WriteSchemeColors(ColorSets, Scheme::Windows);
    page.CurColorSet = 0;
    RedrawPage();
}

void Reader::TwoColorCheckBoxClick() {
    if (win_.noColoredTextChecked()) {
        ApplyNoColoredText(ColorSets);
        page.CurColorSet = 0;
        RedrawPage();
    } else {
        BGColorRadioGroupClick();
    }
    if (win_.singleShadeChecked()) SingleShadeBgCheckBoxClick();
}

void Reader::SingleShadeBgCheckBoxClick() {
    if (win_.singleShadeChecked()) {
        ApplySingleShade(ColorSets);
        RedrawPage();
    } else {
        BGColorRadioGroupClick();
    }
}

void Reader::TwoColCheckBoxClick() { RedrawPage(); }

void Reader::FontSizeTrackBarChange() {
    const int position = win_.fontSizeSliderPosition();
    win_.setFontSizeLabel("Font Size = " + std::to_string(position));
    PageFontSize = position;
    win_.setFontSizeUpDownPosition(position);
    win_.setCatalogueFontSize(PageFontSize);
    RedrawPage();
}

void Reader::FontSizeUpDownClick() {
    win_.setFontSizeSliderPosition(std::clamp(win_.fontSizeUpDownPosition(), kMinFontSize, kMaxFontSize));
    FontSizeTrackBarChange();
}

// ---- Main window and control panel -----------------------------------------

void Reader::FormResize() {
    win_.applyLayout(ComputeMainLayout(win_.clientWidth(), win_.clientHeight(), ControlPanelShown));
    NextPageStart = ShowPage(page.PageStart);
}

void Reader::HideControlPanelItemClick() {
    ControlPanelShown = false;
    win_.setControlPanelMenu(false);
    FormResize();
}

void Reader::ShowControlPanelItemClick() {
    ControlPanelShown = true;
    win_.setControlPanelMenu(true);
    FormResize();
}

void Reader::ReadTabSheetEnter() { win_.showControlTab(); }
void Reader::ControlsTabSheetEnter() { win_.showReadingTab(); }
void Reader::OKButtonClick() { win_.showTableOfContentsTab(); }
void Reader::HempMenuClick() { win_.showMessage(kHelpMessage); }

} // namespace cadenzo
