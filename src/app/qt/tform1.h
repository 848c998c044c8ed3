// TForm1: the main window. It creates the widgets under the reader's component
// names, lays them out as the core says, and turns every widget signal into
// one call of the matching handler. It decides nothing itself.
#pragma once

#include "app/file_system.h"
#include "app/reader.h"
#include "app/window.h"
#include "display/qt/qt_surface.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QWidget;
class QTreeWidgetItem;
class QTreeView;

namespace cadenzo {

class OuterFrame;
class PageView;
class TForm4;
class FindDialog;
class IndexModel;

struct StartOptions {
    std::string commandLineBook;
    // Answer every question as a cancelled dialog would, and show messages
    // on standard error instead of in boxes (unattended runs).
    bool unattended = false;
};

class TForm1 : public QMainWindow, public Window {
    Q_OBJECT
  public:
    explicit TForm1(const StartOptions& options, QWidget* parent = nullptr);
    ~TForm1() override;

    Reader& reader() { return *reader_; }
    // Runs a handler; any runtime error it raises is shown in the error box.
    void dispatch(const std::function<void()>& handler);
    bool activated() const { return activated_; }

    // Window
    DrawingSurface& pageSurface() override { return surface_; }
    QImage pageSurfaceImage() const { return surface_.image(); }
    int pageWidth() const override;
    int pageHeight() const override;
    void prepareSurfaces() override;
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
    void setCatalogueFontSize(int points) override;
    WindowRect windowRect() const override;
    void setWindowRect(const WindowRect& rect) override;
    int screenWidth() const override;
    int screenHeight() const override;
    void setCaption(const std::string& caption) override;
    void closeWindow() override;
    int clientWidth() const override;
    int clientHeight() const override;
    void applyLayout(const MainLayout& layout) override;
    void setControlPanelMenu(bool panelShown) override;
    void showControlTab() override;
    void showReadingTab() override;
    void showTableOfContentsTab() override;
    void setIndexTabVisible(bool visible) override;
    void setBookmarksMenuVisible(bool visible) override;
    void copyIndexInstructions() override;
    void closeFindDialog() override;
    void setCatalogueTree(const std::vector<CatalogueNode>& nodes) override;
    void expandCatalogueNode(int number) override;
    void selectCatalogueNode(int number) override;
    std::optional<int> selectedCatalogueNode() const override;
    void setApplicationTitle(const std::string& title) override;
    void setIndexView(IndexView view) override;
    void setBookmarkItemsEnabled(bool enabled) override;
    std::string askBookmarkName() override;
    void showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) override;
    int pageControl2Left() const override;
    LocalTime localTime() const override;
    void setOpenDialogFileName(const std::string& name) override;
    std::optional<std::string> askOpenFileName(const FileDialogSetup& setup) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    std::optional<std::string> askSaveFileName(const std::string& defaultExt) override;
    void showFindDialog(int x, int y) override;
    FindQuery findQuery() const override;
    bool findDirectionDown() const override;
    void setIndexLoading(bool loading) override;
    void setIndexTree(IndexTree tree) override;
    void selectIndexNode(int node) override;
    std::optional<std::string> selectedIndexText() const override;
    void setSearchingIndex(bool searching) override;
    void setPageText(const std::vector<std::string>& lines) override;
    void showMessage(const std::string& text) override;
    void showError(const std::string& text) override;
    // PositionDisplay
    void setPrevEnabled(bool enabled) override;
    void setNextEnabled(bool enabled) override;
    void setPositionText(const std::string& text) override;
    void setProgress(int maximum, int position) override;

    // Component names, for tests and accessibility.
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TOCTabSheet = nullptr;
    QWidget* ReadTabSheet = nullptr;
    QWidget* AboutTabSheet = nullptr;
    QWidget* ControlsTabSheet = nullptr;
    QWidget* OptionsTabSheet = nullptr;
    QWidget* IndexTabSheet = nullptr;
    QTreeWidget* TOCTreeView = nullptr;
    PageView* Image1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QTextEdit* Memo1 = nullptr;
    QPushButton* OKButton = nullptr;
    QLabel* BookTitleLabel = nullptr;
    QLabel* ReadingPositionLabel = nullptr;
    QProgressBar* BookPosProgressBar = nullptr;
    QLabel* PosLabel = nullptr;
    QLabel* FontSizeLabel = nullptr;
    QSlider* FontSizeTrackBar = nullptr;
    QSpinBox* FontSizeUpDown = nullptr;
    QPushButton* PrevButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* ExitButton = nullptr;
    QButtonGroup* BGColorRadioGroup = nullptr;
    QCheckBox* SingleShadeBgCheckBox = nullptr;
    QCheckBox* TwoColorCheckBox = nullptr;
    QCheckBox* TwoColCheckBox = nullptr;
    QPushButton* ResetToStartupDefaultsButton = nullptr;
    QWidget* IndexPanel = nullptr;
    QTextEdit* IndexMemo = nullptr;
    QPushButton* IndexLoadButton = nullptr;
    QLabel* LoadingIndexLabel = nullptr;
    QTreeView* InxTreeView = nullptr;
    IndexModel* indexModel = nullptr;
    QLabel* SearchingIndexLabel = nullptr;
    FindDialog* FindDialog1 = nullptr;
    QAction* OpenLITItem = nullptr;
    QAction* OpenTOCItem = nullptr;
    QAction* SaveScreenItem = nullptr;
    QAction* ExitItem = nullptr;
    QAction* FindItem = nullptr;
    QMenu* BMMenu = nullptr;
    QAction* BMAddItem = nullptr;
    QAction* BMDeleteItem = nullptr;
    QAction* BMGOItem = nullptr;
    QAction* HideControlPanelItem = nullptr;
    QAction* ShowControlPanelItem = nullptr;
    QMenu* HelpMenu = nullptr;
    QMenu* BMPopupMenu = nullptr;
    TForm4* Form4 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createMenus();
    void createPageArea();
    void createControlPanel();
    void createControlTab();
    void createOptionsTab();
    void createIndexTab();
    void focusChanged(QWidget* old, QWidget* now);
    void nameForAssistiveTechnology();
    void connectCatalogueTree();
    bool catalogueTreeMouse(QEvent* event);

    StartOptions options_;
    QtSurface surface_;
    QImage aboutPicture_;              // Image3: the about picture, drawn stretched onto ProgramIcon
    OuterFrame* outerFrame_ = nullptr; // the main window's outer rectangle
    OuterFrame* findFrame_ = nullptr;  // the find dialog's
    RealFileSystem files_;
    std::unique_ptr<Reader> reader_;
    QWidget* central_ = nullptr;
    QStringList indexInstructions_;                // Memo2's lines
    std::vector<QTreeWidgetItem*> catalogueItems_; // by pre-order number
    bool pressBesideText_ = false;
    QTreeWidgetItem* openedByLastClick_ = nullptr;
    QString openDialogFileName_;
    QMetaObject::Connection focusConnection_;
    QPointer<QWidget> windowFocus_; // the control of this window that last had the focus
    bool activated_ = false;
    bool closing_ = false;
};

} // namespace cadenzo
