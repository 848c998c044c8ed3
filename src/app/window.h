// What the reader's handlers read and set on the main window's controls, and
// the dialogs they run, by role. The Qt main window implements them over real
// widgets; tests use fakes that record control state.
#pragma once

#include "app/layout.h"
#include "display/page_renderer.h"
#include "display/surface.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cadenzo {

struct CatalogueNode;
struct IndexTree;
struct FindQuery;

// The Index page's states: before loading, loaded, and after a catalogue
// file was opened (tree emptied and shown, "Load Index" hidden).
enum class IndexView { Unloaded, Loaded, CatalogueOpened };

struct FileDialogSetup {
    std::string filter;     // "Name|*.ext;*.ext2"
    std::string defaultExt; // without the dot
    std::string title;
};

// The system's short date and long time, as the desktop formats them.
struct LocalTime {
    std::string date;
    std::string time;
    bool midnight = false; // hours, minutes and seconds all zero
};

struct WindowRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The roles the main window plays for the handlers, one interface each, so a
// fake implements only the role a test uses.

// The page area at the left: the Reading page's surface, and which page is in front.
class PageArea {
  public:
    virtual ~PageArea() = default;
    // The page surface Image1 and its visible size.
    virtual DrawingSurface& pageSurface() = 0;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    // Gives the page surface the page area's size, filled silver, and the
    // about picture a white background.
    virtual void prepareSurfaces() = 0;
    // A surface in the page surface's font and colour state that keeps
    // nothing drawn on it: the next page is measured on it while the window
    // is idle, and turning to that page then measures none of its text again.
    virtual DrawingSurface& measuringSurface() = 0;
    // Runs `task` once the window has nothing else to do, after what is
    // waiting to be painted.
    virtual void whenIdle(std::function<void()> task) = 0;
    // The visible page's text changed (for assistive technology).
    virtual void setPageText(const std::vector<std::string>& lines) = 0;
    virtual void showReadingTab() = 0;
    virtual void showTableOfContentsTab() = 0;
};

// The control panel at the right: the font size on the Control tab, the
// Options tab, and whether the Index tab is there. The Control tab's position
// label, progress bar and paging buttons are the renderer's PositionDisplay.
class ControlPanel {
  public:
    virtual ~ControlPanel() = default;
    virtual bool twoColumnChecked() const = 0;
    virtual void setTwoColumnChecked(bool checked) = 0;
    virtual bool noColoredTextChecked() const = 0;
    virtual void setNoColoredTextChecked(bool checked) = 0;
    virtual bool singleShadeChecked() const = 0;
    virtual void setSingleShadeChecked(bool checked) = 0;
    virtual int schemeIndex() const = 0; // -1 .. 2
    virtual void setSchemeIndex(int index) = 0;
    virtual int fontSizeSliderPosition() const = 0;
    virtual void setFontSizeSliderPosition(int position) = 0;
    virtual int fontSizeUpDownPosition() const = 0;
    virtual void setFontSizeUpDownPosition(int position) = 0;
    virtual void setFontSizeLabel(const std::string& text) = 0;
    virtual void showControlTab() = 0;
    virtual void setIndexTabVisible(bool visible) = 0;
    virtual int pageControl2Left() const = 0;
};

// The catalogue tree on the Table Of Contents page. Nodes come in the order
// their lines made them; a node is named by its pre-order number.
class CatalogueTreeControl {
  public:
    virtual ~CatalogueTreeControl() = default;
    virtual void setCatalogueTree(const std::vector<CatalogueNode>& nodes) = 0;
    // Adds nodes after the last; a node's parent is given by its number.
    virtual void appendCatalogueNodes(const std::vector<CatalogueNode>& nodes) = 0;
    virtual void expandCatalogueNode(int number) = 0;
    virtual void selectCatalogueNode(int number) = 0;
    // The selected node's number, or nothing when no node is selected.
    virtual std::optional<int> selectedCatalogueNode() const = 0;
    virtual void setCatalogueFontSize(int points) = 0;
};

// The Index page: its instructions, the index tree and the busy notices.
class IndexPage {
  public:
    virtual ~IndexPage() = default;
    virtual void setIndexView(IndexView view) = 0;
    virtual void copyIndexInstructions() = 0;
    virtual void setIndexLoading(bool loading) = 0; // "Loading Index" shown and painted at once
    virtual void setIndexTree(IndexTree tree) = 0;
    virtual void selectIndexNode(int node) = 0;
    // The selected index node's text, or nothing.
    virtual std::optional<std::string> selectedIndexText() const = 0;
    virtual void setSearchingIndex(bool searching) = 0;
};

// The dialogs the handlers run, the pop-up menu and the message boxes.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // The bookmark-name dialog: the edit's text when it closes (by OK or the
    // close box).
    virtual std::string askBookmarkName() = 0;
    virtual void showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) = 0;
    // The open dialog keeps the file name it was last given.
    virtual void setOpenDialogFileName(const std::string& name) = 0;
    virtual std::optional<std::string> askOpenFileName(const FileDialogSetup& setup) = 0;
    // The save dialog (default extension only); nothing when cancelled.
    virtual std::optional<std::string> askSaveFileName(const std::string& defaultExt) = 0;
    // The find dialog: modeless, it keeps its text and options between uses.
    virtual void showFindDialog(int x, int y) = 0;
    virtual FindQuery findQuery() const = 0;
    virtual bool findDirectionDown() const = 0;
    virtual void closeFindDialog() = 0;
    // A Yes/No question without icon; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title) = 0;
    virtual void showMessage(const std::string& text) = 0;
    virtual void showError(const std::string& text) = 0;
};

// The window itself: its frame, caption, client area and layout, its menus,
// and what it knows of the screen and the clock.
class WindowFrame {
  public:
    virtual ~WindowFrame() = default;
    virtual WindowRect windowRect() const = 0;
    virtual void setWindowRect(const WindowRect& rect) = 0;
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    virtual void setCaption(const std::string& caption) = 0;
    virtual void setApplicationTitle(const std::string& title) = 0;
    virtual void closeWindow() = 0;
    virtual int clientWidth() const = 0;
    virtual int clientHeight() const = 0;
    virtual void applyLayout(const MainLayout& layout) = 0;
    // Exactly one of "Hide Control Panel" and "Show Control Panel" is visible.
    virtual void setControlPanelMenu(bool panelShown) = 0;
    virtual void setBookmarksMenuVisible(bool visible) = 0;
    virtual void setBookmarkItemsEnabled(bool enabled) = 0; // Delete and Goto
    virtual LocalTime localTime() const = 0;
};

// The whole main window, as the reader holds it. The roles are virtual bases,
// so a fake window can be put together from the fakes of its roles.
class Window : public virtual WindowFrame,
               public virtual PageArea,
               public virtual PositionDisplay,
               public virtual ControlPanel,
               public virtual CatalogueTreeControl,
               public virtual IndexPage,
               public virtual Dialogs {};

} // namespace cadenzo
