// The main window's components under the reader's names, and how they are
// built: captions, fonts, the design positions of the control panel's tabs,
// the Qt layouts that make a tree or the page fill its tab. Built unconnected;
// TForm1 connects each signal to its handler.
#pragma once

#include <QStringList>

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QMainWindow;
class QMenu;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QTreeView;
class QTreeWidget;
class QWidget;

namespace cadenzo {

class AboutPictureView;
class FindDialog;
class IndexModel;
class PageView;
class QtSurface;
class TForm4;

// Memo2: the lines the Index page shows before the index is loaded.
QStringList IndexInstructions();
// Centres every line of a memo.
void centreLines(QTextEdit* memo);

struct MainWindowWidgets {
    virtual ~MainWindowWidgets() = default;
    // Creates every component as a child of `window`; Image1 shows `surface`.
    void buildWidgets(QMainWindow* window, QtSurface& surface);

    // The two trees are made when first needed (their tab or the loaded index
    // shown, a look from a test): a tree on a page nobody has opened only
    // costs memory and start-up time.
    QTreeWidget* TOCTreeView();
    QTreeView* InxTreeView();
    // So are the two dialogs, on their first use: each is then made once and
    // reused, keeping what was typed in it.
    TForm4* Form4();
    FindDialog* FindDialog1();

    // Component names, for the handlers' adapter, tests and accessibility.
    QWidget* central = nullptr; // the client area
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWidget* TOCTabSheet = nullptr;
    QWidget* ReadTabSheet = nullptr;
    QWidget* AboutTabSheet = nullptr;
    QWidget* ControlsTabSheet = nullptr;
    QWidget* OptionsTabSheet = nullptr;
    QWidget* IndexTabSheet = nullptr;
    PageView* Image1 = nullptr;
    AboutPictureView* ProgramIcon = nullptr;
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
    IndexModel* indexModel = nullptr;
    QLabel* SearchingIndexLabel = nullptr;
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

  protected:
    // Each tree once made, and null before.
    QTreeWidget* catalogueTree_ = nullptr;
    QTreeView* indexTree_ = nullptr;
    // Each dialog once made, and null before.
    TForm4* bookmarkDialog_ = nullptr;
    FindDialog* findDialog_ = nullptr;
    // Called once the catalogue tree has been made, to connect it and give it
    // what was set before.
    virtual void catalogueTreeMade() {}
    // Called once the find dialog has been made, to connect it.
    virtual void findDialogMade() {}

  private:
    void createMenus(QMainWindow* window);
    void createPageArea(QtSurface& surface);
    void createControlTab();
    void createOptionsTab(QMainWindow* window);
    void createIndexTab(QMainWindow* window);
    void nameForAssistiveTechnology(QMainWindow* window);

    QMainWindow* window_ = nullptr; // the dialogs' parent
};

} // namespace cadenzo
