// TForm1: the main window. Its components are built in main_window_widgets.cpp;
// it turns each widget signal into one call of the matching handler
// (main_window.cpp), implements the reader's window interface over the widgets
// (main_window_adapter.cpp, main_window_dialogs.cpp), and maps the toolkit's
// input onto the handlers' events (main_window_input.cpp): which tree clicks
// are expand-box toggles, which keys are the paging keys, when the focus
// enters a tab. It also brings a window whose remembered place is on no
// screen back onto one. Everything about reading, paging, bookmarks and files
// is the reader's.
#pragma once

#include "app/book_maker.h"
#include "app/file_system.h"
#include "app/qt/main_window_widgets.h"
#include "app/reader.h"
#include "app/window.h"
#include "display/qt/qt_surface.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QTreeWidgetItem;

namespace cadenzo {

class OuterFrame;

struct StartOptions {
    std::string commandLineBook;
    // Answer every question as a cancelled dialog would, and show messages
    // on standard error instead of in boxes (unattended runs).
    bool unattended = false;
    // The command line's book, when it was laid out before the window.
    std::shared_ptr<EarlyLayout> earlyLayout;
};

class TForm1 : public QMainWindow, public MainWindowWidgets, public Window {
    Q_OBJECT
  public:
    explicit TForm1(const StartOptions& options, QWidget* parent = nullptr);
    ~TForm1() override;

    Reader& reader() { return *reader_; }
    // Runs a handler; any runtime error it raises is shown in the error box.
    void dispatch(const std::function<void()>& handler);
    // The same for a handler named by its member pointer: dispatch(&Reader::FormResize).
    template <typename Result> void dispatch(Result (Reader::*handler)()) {
        dispatch([this, handler] { (reader_.get()->*handler)(); });
    }
    bool activated() const { return activated_; }

    QImage pageSurfaceImage() const { return surface_.image(); }

    // WindowFrame
    WindowRect windowRect() const override;
    void setWindowRect(const WindowRect& rect) override;
    int screenWidth() const override;
    int screenHeight() const override;
    void setCaption(const std::string& caption) override;
    void setApplicationTitle(const std::string& title) override;
    void closeWindow() override;
    int clientWidth() const override;
    int clientHeight() const override;
    void applyLayout(const MainLayout& layout) override;
    void setControlPanelMenu(bool panelShown) override;
    void setBookmarksMenuVisible(bool visible) override;
    void setBookmarkItemsEnabled(bool enabled) override;
    LocalTime localTime() const override;
    // PageArea
    DrawingSurface& pageSurface() override { return surface_; }
    int pageWidth() const override;
    int pageHeight() const override;
    void prepareSurfaces() override;
    DrawingSurface& measuringSurface() override { return surface_.measuringSurface(); }
    void whenIdle(std::function<void()> task) override;
    void setPageText(const std::vector<std::string>& lines) override;
    void showReadingTab() override;
    void showTableOfContentsTab() override;
    // ControlPanel
    bool twoColumnChecked() const override;
    void setTwoColumnChecked(bool checked) override;
    bool noColoredTextChecked() const override;
    void setNoColoredTextChecked(bool checked) override;
    bool singleShadeChecked() const override;
    void setSingleShadeChecked(bool checked) override;
    int schemeIndex() const override;
    void setSchemeIndex(int index) override;
    int fontSizeSliderPosition() const override;
    void setFontSizeSliderPosition(int position) override;
    int fontSizeUpDownPosition() const override;
    void setFontSizeUpDownPosition(int position) override;
    void setFontSizeLabel(const std::string& text) override;
    void showControlTab() override;
    void setIndexTabVisible(bool visible) override;
    int pageControl2Left() const override;
    // PositionDisplay
    void setPrevEnabled(bool enabled) override;
    void setNextEnabled(bool enabled) override;
    void setPositionText(const std::string& text) override;
    void setProgress(int maximum, int position) override;
    // CatalogueTreeControl
    void setCatalogueTree(const std::vector<CatalogueNode>& nodes) override;
    void appendCatalogueNodes(const std::vector<CatalogueNode>& nodes) override;
    void expandCatalogueNode(int number) override;
    void selectCatalogueNode(int number) override;
    std::optional<int> selectedCatalogueNode() const override;
    void setCatalogueFontSize(int points) override;
    // IndexPage
    void setIndexView(IndexView view) override;
    void copyIndexInstructions() override;
    void setIndexLoading(bool loading) override;
    void setIndexTree(IndexTree tree) override;
    void selectIndexNode(int node) override;
    std::optional<std::string> selectedIndexText() const override;
    void setSearchingIndex(bool searching) override;
    // Dialogs
    std::string askBookmarkName() override;
    void showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) override;
    void setOpenDialogFileName(const std::string& name) override;
    std::optional<std::string> askOpenFileName(const FileDialogSetup& setup) override;
    std::optional<std::string> askSaveFileName(const std::string& defaultExt) override;
    void showFindDialog(int x, int y) override;
    FindQuery findQuery() const override;
    bool findDirectionDown() const override;
    void closeFindDialog() override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void customEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Connects a widget's signal to one handler, called through dispatch.
    template <typename Sender, typename Signal, typename Result>
    void on(Sender* sender, Signal signal, Result (Reader::*handler)()) {
        connect(sender, signal, this, [this, handler] { dispatch(handler); });
    }
    void connectSignals();
    void connectCatalogueTree(QTreeWidget* tree);
    void catalogueTreeMade() override;
    void findDialogMade() override;
    void addCatalogueItems(const std::vector<CatalogueNode>& nodes, bool appended);
    void fillCatalogueTree();
    bool hasCatalogueNode(int number) const;
    void catalogueTreeMouse(QEvent* event);
    void focusChanged(QWidget* old, QWidget* now);
    void postIdleTasks();

    StartOptions options_;
    QtSurface surface_;
    std::vector<std::function<void()>> idleTasks_;
    bool idleTasksPosted_ = false;
    bool painted_ = false;             // the window was painted on the screen
    OuterFrame* outerFrame_ = nullptr; // the main window's outer rectangle
    OuterFrame* findFrame_ = nullptr;  // the find dialog's
    RealFileSystem files_;
    std::unique_ptr<Reader> reader_;
    QStringList indexInstructions_;                // Memo2's lines
    std::vector<QTreeWidgetItem*> catalogueItems_; // by pre-order number
    // What the catalogue tree shows, kept for when it is made: the
    // catalogue's nodes, the nodes appended after them, and (until it is
    // made) the nodes expanded, the node chosen and the type size.
    std::vector<CatalogueNode> catalogueNodes_;
    std::vector<CatalogueNode> appendedNodes_;
    std::vector<int> expandedBeforeMade_;
    std::optional<int> chosenBeforeMade_;
    int catalogueFontPoints_ = 0;
    bool pressBesideText_ = false;
    QTreeWidgetItem* openedByLastClick_ = nullptr;
    QString openDialogFileName_;
    QMetaObject::Connection focusConnection_;
    QPointer<QWidget> windowFocus_; // the control of this window that last had the focus
    bool activated_ = false;
    bool closing_ = false;
};

} // namespace cadenzo
