// A main window that records control state and answers dialogs from a script.
#pragma once

#include "app/window.h"
#include "catalogue/catalogue.h"
#include "search/find.h"
#include "search/word_index.h"
#include "support/fake_surface.h"
#include "support/temp_files.h"

#include <deque>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace cadenzo::test {

// Each role of the main window, recording what the handlers set and
// answering from a script; a test of one role's user takes only that fake.

struct FakeWindowFrame : virtual WindowFrame {
    int screenW = 1024;
    int screenH = 768;
    WindowRect rect{-1, -1, 0, 0}; // set by the settings at start
    std::string caption = "Cadenzo";
    std::string applicationTitle;
    bool closed = false;
    MainLayout layout;
    bool panelMenuShown = true;
    bool bookmarksMenuVisible = true;
    bool bookmarkItemsEnabled = true;
    LocalTime now{"08/12/2026", "14:30:05", false};

    WindowRect windowRect() const override { return rect; }
    void setWindowRect(const WindowRect& r) override { rect = r; }
    int screenWidth() const override { return screenW; }
    int screenHeight() const override { return screenH; }
    void setCaption(const std::string& c) override { caption = c; }
    void setApplicationTitle(const std::string& t) override { applicationTitle = t; }
    void closeWindow() override { closed = true; }
    int clientWidth() const override { return rect.width; }
    int clientHeight() const override { return rect.height; }
    void applyLayout(const MainLayout& l) override { layout = l; }
    void setControlPanelMenu(bool shown) override { panelMenuShown = shown; }
    void setBookmarksMenuVisible(bool v) override { bookmarksMenuVisible = v; }
    void setBookmarkItemsEnabled(bool e) override { bookmarkItemsEnabled = e; }
    LocalTime localTime() const override { return now; }
};

struct FakePageArea : virtual PageArea {
    FakeSurface surface;
    int width = 600;
    int height = 400;
    std::string frontPage = "About";
    std::vector<std::string> pageText;

    // The measuring surface starts in the page surface's state, as the real one does.
    FakeSurface measuring;
    std::vector<std::function<void()>> idleTasks;

    DrawingSurface& pageSurface() override { return surface; }
    DrawingSurface& measuringSurface() override {
        measuring = surface;
        measuring.clearLog();
        return measuring;
    }
    void whenIdle(std::function<void()> task) override { idleTasks.push_back(std::move(task)); }
    // Runs what waits for the window to be idle, as the event loop does.
    void runIdleTasks() {
        auto tasks = std::move(idleTasks);
        idleTasks.clear();
        for (auto& task : tasks) task();
    }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void prepareSurfaces() override {}
    void setPageText(const std::vector<std::string>& lines) override { pageText = lines; }
    void showReadingTab() override { frontPage = "Reading"; }
    void showTableOfContentsTab() override { frontPage = "Table Of Contents"; }
    // Makes the page `lines` lines high at the current font size (15 pt).
    void setCapacity(int lines, int points = 15) { height = lines * FakeSurface::lineHeightFor(points); }
};

struct FakePositionDisplay : virtual PositionDisplay {
    bool prevEnabled = false, nextEnabled = false;
    std::string positionText;
    int progressMax = 100, progressPos = 0;

    void setPrevEnabled(bool e) override { prevEnabled = e; }
    void setNextEnabled(bool e) override { nextEnabled = e; }
    void setPositionText(const std::string& t) override { positionText = t; }
    void setProgress(int m, int p) override {
        progressMax = m;
        progressPos = p;
    }
};

struct FakeControlPanel : virtual ControlPanel {
    bool twoColumn = false, noColoredText = false, singleShade = false;
    int scheme = -1;
    int slider = 15, upDown = 15;
    std::string fontSizeLabel;
    std::string frontPanelTab; // brought to the front at activation
    bool indexTabVisible = true;
    int panelLeft = 500;

    bool twoColumnChecked() const override { return twoColumn; }
    void setTwoColumnChecked(bool c) override { twoColumn = c; }
    bool noColoredTextChecked() const override { return noColoredText; }
    void setNoColoredTextChecked(bool c) override { noColoredText = c; }
    bool singleShadeChecked() const override { return singleShade; }
    void setSingleShadeChecked(bool c) override { singleShade = c; }
    int schemeIndex() const override { return scheme; }
    void setSchemeIndex(int i) override { scheme = i; }
    int fontSizeSliderPosition() const override { return slider; }
    void setFontSizeSliderPosition(int p) override { slider = p; }
    int fontSizeUpDownPosition() const override { return upDown; }
    void setFontSizeUpDownPosition(int p) override { upDown = p; }
    void setFontSizeLabel(const std::string& t) override { fontSizeLabel = t; }
    void showControlTab() override { frontPanelTab = "Control"; }
    void setIndexTabVisible(bool v) override { indexTabVisible = v; }
    int pageControl2Left() const override { return panelLeft; }
};

struct FakeCatalogueTree : virtual CatalogueTreeControl {
    CatalogueTree tree;
    std::set<int> expanded;
    std::optional<int> selected;
    int catalogueFontSize = 10;

    void setCatalogueTree(const std::vector<CatalogueNode>& nodes) override {
        tree = nodes;
        expanded.clear();
        selected.reset();
    }
    void appendCatalogueNodes(const std::vector<CatalogueNode>& nodes) override {
        tree.insert(tree.end(), nodes.begin(), nodes.end());
    }
    void expandCatalogueNode(int number) override { expanded.insert(number); }
    void selectCatalogueNode(int number) override { selected = number; }
    std::optional<int> selectedCatalogueNode() const override { return selected; }
    void setCatalogueFontSize(int p) override { catalogueFontSize = p; }
    // Selects the node made by catalogue line `line`.
    void selectLine(int line) {
        for (const auto& n : tree)
            if (n.line == line) selected = n.number;
    }
};

struct FakeIndexPage : virtual IndexPage {
    IndexView indexView = IndexView::Unloaded;
    bool instructionsCopied = false;
    bool indexLoading = false;
    int indexLoadingShown = 0;
    IndexTree indexTree;
    std::optional<int> indexSelected;
    int searchingShown = 0;
    bool searching = false;

    void setIndexView(IndexView v) override { indexView = v; }
    void copyIndexInstructions() override { instructionsCopied = true; }
    void setIndexLoading(bool loading) override {
        indexLoading = loading;
        indexLoadingShown += loading ? 1 : 0;
    }
    void setIndexTree(IndexTree tree) override { indexTree = std::move(tree); }
    void selectIndexNode(int node) override { indexSelected = node; }
    std::optional<std::string> selectedIndexText() const override {
        if (!indexSelected || *indexSelected < 0 || *indexSelected >= indexTree.size()) return std::nullopt;
        return indexTree.text[static_cast<std::size_t>(*indexSelected)];
    }
    void setSearchingIndex(bool s) override {
        searching = s;
        searchingShown += s ? 1 : 0;
    }
    // Selects the index node with this text.
    void selectIndexText(const std::string& text) {
        for (int i = 0; i < indexTree.size(); ++i)
            if (indexTree.text[static_cast<std::size_t>(i)] == text) indexSelected = i;
    }
};

// Answers are taken from the front of the queues.
struct FakeDialogs : virtual Dialogs {
    std::string bookmarkEdit = " "; // the edit keeps its text between uses
    std::deque<std::string> bookmarkNames;
    std::vector<std::string> popupCaptions;
    int popupX = -1, popupY = -1;
    std::string openDialogFileName;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::optional<std::string>> saveAnswers;
    bool findOpen = false;
    int findX = -1, findY = -1;
    FindQuery find;
    bool findDown = true;
    int findDialogCloses = 0;
    std::deque<bool> yesNoAnswers;
    std::vector<std::pair<std::string, std::string>> questions;
    std::vector<std::string> messages;
    std::vector<std::string> errors;

    std::string askBookmarkName() override {
        if (!bookmarkNames.empty()) {
            bookmarkEdit = bookmarkNames.front();
            bookmarkNames.pop_front();
        }
        return bookmarkEdit;
    }
    void showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) override {
        popupCaptions = captions;
        popupX = x;
        popupY = y;
    }
    void setOpenDialogFileName(const std::string& name) override { openDialogFileName = name; }
    std::optional<std::string> askOpenFileName(const FileDialogSetup&) override {
        auto answer = next(openAnswers);
        if (answer) openDialogFileName = *answer;
        return answer;
    }
    std::optional<std::string> askSaveFileName(const std::string&) override { return next(saveAnswers); }
    void showFindDialog(int x, int y) override {
        findOpen = true;
        findX = x;
        findY = y;
    }
    FindQuery findQuery() const override { return find; }
    bool findDirectionDown() const override { return findDown; }
    void closeFindDialog() override {
        ++findDialogCloses;
        findOpen = false;
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        questions.emplace_back(text, title);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void showError(const std::string& t) override { errors.push_back(t); }

  private:
    // The next scripted file name; a cancelled dialog when none is left.
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The whole main window, for the reader.
struct FakeWindow : Window,
                    FakeWindowFrame,
                    FakePageArea,
                    FakePositionDisplay,
                    FakeControlPanel,
                    FakeCatalogueTree,
                    FakeIndexPage,
                    FakeDialogs {};

// A small book in stored form, lines ended by CR LF: banner, title block and
// `chapters` chapters ("|refpt001>" ...), each of `sentences` sentences of
// three phrase lines.
std::string StoredBookText(int chapters, int sentences);

} // namespace cadenzo::test
