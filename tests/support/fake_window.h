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

class FakeWindow : public Window {
  public:
    FakeSurface surface;
    int width = 600;
    int height = 400;
    int screenW = 1024;
    int screenH = 768;
    WindowRect rect{-1, -1, 0, 0}; // set by the settings at start
    bool prevEnabled = false, nextEnabled = false;
    std::string positionText;
    int progressMax = 100, progressPos = 0;
    bool twoColumn = false, noColoredText = false, singleShade = false;
    int scheme = -1;
    int slider = 15, upDown = 15;
    std::string fontSizeLabel;
    int catalogueFontSize = 10;
    std::string caption = "Cadenzo";
    bool closed = false;
    MainLayout layout;
    bool panelMenuShown = true;
    std::string frontPage = "About";
    std::string frontPanelTab; // brought to the front at activation
    bool indexTabVisible = true;
    bool bookmarksMenuVisible = true;
    bool instructionsCopied = false;
    int findDialogCloses = 0;
    std::vector<std::string> messages;
    std::vector<std::string> errors;

    // Catalogue tree.
    CatalogueTree tree;
    std::set<int> expanded;
    std::optional<int> selected;
    std::string applicationTitle;
    IndexView indexView = IndexView::Unloaded;

    // Bookmarks and dialogs: answers are taken from the front of these queues.
    bool bookmarkItemsEnabled = true;
    std::string bookmarkEdit = " "; // the edit keeps its text between uses
    std::deque<std::string> bookmarkNames;
    std::vector<std::string> popupCaptions;
    int popupX = -1, popupY = -1;
    int panelLeft = 500;
    LocalTime now{"08/12/2026", "14:30:05", false};
    std::string openDialogFileName;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<bool> yesNoAnswers;
    std::vector<std::pair<std::string, std::string>> questions;

    // Save, find and index.
    std::deque<std::optional<std::string>> saveAnswers;
    bool findOpen = false;
    int findX = -1, findY = -1;
    FindQuery find;
    bool findDown = true;
    bool indexLoading = false;
    int indexLoadingShown = 0;
    IndexTree indexTree;
    std::optional<int> indexSelected;
    int searchingShown = 0;
    bool searching = false;
    std::vector<std::string> pageText;

    DrawingSurface& pageSurface() override { return surface; }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void prepareSurfaces() override {}
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
    void setCatalogueFontSize(int p) override { catalogueFontSize = p; }
    WindowRect windowRect() const override { return rect; }
    void setWindowRect(const WindowRect& r) override { rect = r; }
    int screenWidth() const override { return screenW; }
    int screenHeight() const override { return screenH; }
    void setCaption(const std::string& c) override { caption = c; }
    void closeWindow() override { closed = true; }
    int clientWidth() const override { return rect.width; }
    int clientHeight() const override { return rect.height; }
    void applyLayout(const MainLayout& l) override { layout = l; }
    void setControlPanelMenu(bool shown) override { panelMenuShown = shown; }
    void showControlTab() override { frontPanelTab = "Control"; }
    void showReadingTab() override { frontPage = "Reading"; }
    void showTableOfContentsTab() override { frontPage = "Table Of Contents"; }
    void setIndexTabVisible(bool v) override { indexTabVisible = v; }
    void setBookmarksMenuVisible(bool v) override { bookmarksMenuVisible = v; }
    void copyIndexInstructions() override { instructionsCopied = true; }
    void closeFindDialog() override {
        ++findDialogCloses;
        findOpen = false;
    }
    std::optional<std::string> askSaveFileName(const std::string&) override {
        if (saveAnswers.empty()) return std::nullopt;
        auto answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    void showFindDialog(int x, int y) override {
        findOpen = true;
        findX = x;
        findY = y;
    }
    FindQuery findQuery() const override { return find; }
    bool findDirectionDown() const override { return findDown; }
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
    void setPageText(const std::vector<std::string>& lines) override { pageText = lines; }
    // Selects the index node with this text.
    void selectIndexText(const std::string& text) {
        for (int i = 0; i < indexTree.size(); ++i)
            if (indexTree.text[static_cast<std::size_t>(i)] == text) indexSelected = i;
    }
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
    void setApplicationTitle(const std::string& t) override { applicationTitle = t; }
    void setIndexView(IndexView v) override { indexView = v; }
    void setBookmarkItemsEnabled(bool e) override { bookmarkItemsEnabled = e; }
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
    int pageControl2Left() const override { return panelLeft; }
    LocalTime localTime() const override { return now; }
    void setOpenDialogFileName(const std::string& name) override { openDialogFileName = name; }
    std::optional<std::string> askOpenFileName(const FileDialogSetup&) override {
        if (openAnswers.empty()) return std::nullopt;
        auto answer = openAnswers.front();
        openAnswers.pop_front();
        if (answer) openDialogFileName = *answer;
        return answer;
    }
    bool askYesNo(const std::string& text, const std::string& title) override {
        questions.emplace_back(text, title);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    // Selects the node made by catalogue line `line`.
    void selectLine(int line) {
        for (const auto& n : tree)
            if (n.line == line) selected = n.number;
    }
    void showMessage(const std::string& t) override { messages.push_back(t); }
    void showError(const std::string& t) override { errors.push_back(t); }
    void setPrevEnabled(bool e) override { prevEnabled = e; }
    void setNextEnabled(bool e) override { nextEnabled = e; }
    void setPositionText(const std::string& t) override { positionText = t; }
    void setProgress(int m, int p) override {
        progressMax = m;
        progressPos = p;
    }

    // Makes the page `lines` lines high at the current font size (15 pt).
    void setCapacity(int lines, int points = 15) { height = lines * FakeSurface::lineHeightFor(points); }
};

// A small book in stored form, lines ended by CR LF: banner, title block and
// `chapters` chapters ("|refpt001>" ...), each of `sentences` sentences of
// three phrase lines.
std::string StoredBookText(int chapters, int sentences);

} // namespace cadenzo::test
