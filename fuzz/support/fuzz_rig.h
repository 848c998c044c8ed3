// What every fuzz target shares: the reader on a window that does nothing,
// a surface with fixed metrics, files kept in memory, and a way to read the
// input as numbers and lines.
#pragma once

#include "app/errors.h"
#include "app/file_system.h"
#include "app/reader.h"
#include "app/window.h"
#include "catalogue/catalogue.h"
#include "search/find.h"
#include "search/word_index.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace cadenzo::fuzz {

// Stops the run on a broken promise, so the fuzzer reports it as a crash.
inline void Expect(bool condition) {
    if (!condition) __builtin_trap();
}

// Reads bytes from the fuzzer's input, front to back.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int number(int low, int high) { return low + static_cast<int>(byte() % static_cast<unsigned>(high - low + 1)); }
    bool flag() { return byte() & 1; }
    std::string rest() {
        std::string out(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
        pos_ = size_;
        return out;
    }
    // The rest as lines: CR LF, LF or CR end a line.
    std::vector<std::string> lines() { return SplitLines(rest()); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class NullSurface : public DrawingSurface {
  public:
    void setFontFace(FontFace f) override { face_ = f; }
    FontFace fontFace() const override { return face_; }
    void setFontSize(int points) override { size_ = points; }
    void setFontStyle(FontStyle s) override { style_ = s; }
    FontStyle fontStyle() const override { return style_; }
    void setTextColor(Color) override {}
    void setBrushColor(Color) override {}
    void fillRect(int, int, int, int) override {}
    int drawText(int, int, std::string_view text) override { return textWidth(text); }
    int textWidth(std::string_view text) override { return static_cast<int>(text.size()) * size_ / 2; }
    int textHeight(std::string_view) override { return size_ + 5; }
    void drawLine(int, int, int, int, int, Color) override {}

  private:
    FontFace face_ = FontFace::Default;
    FontStyle style_;
    int size_ = 15;
};

class NullWindow : public Window {
  public:
    NullSurface surface;
    int width = 600, height = 400;
    bool twoColumn = false, noColor = false, single = false;
    int scheme = 0, slider = 15, upDown = 15;
    WindowRect rect{0, 0, 700, 600};
    std::optional<int> selected;
    IndexTree index;
    std::optional<int> indexSelected;
    FindQuery query;
    bool down = true;
    std::string bookmarkName = " ";
    bool yes = false;

    DrawingSurface& pageSurface() override { return surface; }
    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    void prepareSurfaces() override {}
    bool twoColumnChecked() const override { return twoColumn; }
    void setTwoColumnChecked(bool c) override { twoColumn = c; }
    bool noColoredTextChecked() const override { return noColor; }
    void setNoColoredTextChecked(bool c) override { noColor = c; }
    bool singleShadeChecked() const override { return single; }
    void setSingleShadeChecked(bool c) override { single = c; }
    int schemeIndex() const override { return scheme; }
    void setSchemeIndex(int i) override { scheme = i; }
    int fontSizeSliderPosition() const override { return slider; }
    void setFontSizeSliderPosition(int p) override { slider = p; }
    int fontSizeUpDownPosition() const override { return upDown; }
    void setFontSizeUpDownPosition(int p) override { upDown = p; }
    void setFontSizeLabel(const std::string&) override {}
    void setCatalogueFontSize(int) override {}
    WindowRect windowRect() const override { return rect; }
    void setWindowRect(const WindowRect& r) override { rect = r; }
    int screenWidth() const override { return 1024; }
    int screenHeight() const override { return 768; }
    void setCaption(const std::string&) override {}
    void closeWindow() override {}
    int clientWidth() const override { return rect.width; }
    int clientHeight() const override { return rect.height; }
    void applyLayout(const MainLayout&) override {}
    void setControlPanelMenu(bool) override {}
    void showControlTab() override {}
    void showReadingTab() override {}
    void showTableOfContentsTab() override {}
    void setIndexTabVisible(bool) override {}
    void setBookmarksMenuVisible(bool) override {}
    void copyIndexInstructions() override {}
    void closeFindDialog() override {}
    void setCatalogueTree(const std::vector<CatalogueNode>&) override {}
    void expandCatalogueNode(int) override {}
    void selectCatalogueNode(int n) override { selected = n; }
    std::optional<int> selectedCatalogueNode() const override { return selected; }
    void setApplicationTitle(const std::string&) override {}
    void setIndexView(IndexView) override {}
    void setBookmarkItemsEnabled(bool) override {}
    std::string askBookmarkName() override { return bookmarkName; }
    void showBookmarkPopup(const std::vector<std::string>&, int, int) override {}
    int pageControl2Left() const override { return 500; }
    LocalTime localTime() const override { return {"08/12/2026", "10:00:00", false}; }
    void setOpenDialogFileName(const std::string&) override {}
    std::optional<std::string> askOpenFileName(const FileDialogSetup&) override { return std::nullopt; }
    bool askYesNo(const std::string&, const std::string&) override { return yes; }
    std::optional<std::string> askSaveFileName(const std::string&) override { return std::string("/mem/page.txt"); }
    void showFindDialog(int, int) override {}
    FindQuery findQuery() const override { return query; }
    bool findDirectionDown() const override { return down; }
    void setIndexLoading(bool) override {}
    void setIndexTree(IndexTree tree) override { index = std::move(tree); }
    void selectIndexNode(int n) override { indexSelected = n; }
    std::optional<std::string> selectedIndexText() const override {
        if (!indexSelected || *indexSelected < 0 || *indexSelected >= index.size()) return std::nullopt;
        return index.text[static_cast<std::size_t>(*indexSelected)];
    }
    void setSearchingIndex(bool) override {}
    void setPageText(const std::vector<std::string>&) override {}
    void showMessage(const std::string&) override {}
    void showError(const std::string&) override {}
    void setPrevEnabled(bool) override {}
    void setNextEnabled(bool) override {}
    void setPositionText(const std::string&) override {}
    void setProgress(int, int) override {}
};

// Files in memory: nothing touches the disk while fuzzing.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::vector<std::string>> files;
    bool failWrites = false;
    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
    bool folderExists(const std::string&) const override { return true; }
    bool createFolder(const std::string&) override { return true; }
    std::optional<std::vector<std::string>> readLines(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override {
        if (failWrites) return false;
        files[path] = lines;
        return true;
    }
};

// A reader started on the null window with its files in memory.
struct ReaderRig {
    NullWindow window;
    MemoryFileSystem files;
    std::unique_ptr<Reader> reader;

    explicit ReaderRig(std::string commandLineBook = {}) {
        Platform p;
        p.programPath = "/mem/app/reader";
        p.dataFolder = "/mem/data";
        p.commandLineBook = std::move(commandLineBook);
        reader = std::make_unique<Reader>(window, files, p);
    }
    // Runs a handler as the window does: a runtime error ends it, nothing else may.
    template <typename F> void run(F&& handler) {
        try {
            handler();
        } catch (const ReaderError&) {
        }
    }
    void start() {
        run([&] { reader->FormCreate(); });
        run([&] { reader->FormActivate(); });
    }
};

} // namespace cadenzo::fuzz
