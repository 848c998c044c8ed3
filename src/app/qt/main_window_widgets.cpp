#include "app/qt/main_window_widgets.h"

#include "app/qt/page_view.h"
#include "app/qt/plain_colors.h"
#include "app/reader.h"
#include "bookmarks/qt/bookmark_name_dialog.h"
#include "display/qt/about_picture.h"
#include "search/qt/find_dialog.h"
#include "search/qt/index_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace cadenzo {

namespace {

const char* const kAboutText =
    "Cadenzo\n\n"
    "A reader for books laid out in the Tidal Type manner: every sentence in short phrase "
    "lines, each at its own indentation, chosen words in colour, and the paragraphs on "
    "alternating shades.\n\n"
    "Choose a book on the Table Of Contents page, then page with Next and Prev or the "
    "PageUp and PageDown keys.";

// A control at its design position, under its component name (null: none).
template <typename Control> Control* placed(Control* control, const char* name, const QRect& at) {
    if (name) control->setObjectName(QLatin1String(name));
    control->setGeometry(at);
    return control;
}

// A button without a name of its own is named by its caption.
void nameButtonsByCaption(QWidget* root) {
    const QList<QAbstractButton*> buttons = root->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        if (button->accessibleName().isEmpty()) button->setAccessibleName(button->text().remove(QLatin1Char('&')));
}

} // namespace

QStringList IndexInstructions() {
    return {QStringLiteral("Click \"Load Index\" to load"), QStringLiteral("and setup the index, this"),
            QStringLiteral("may take a short while."),      QString(),
            QStringLiteral("After the index is loaded"),    QStringLiteral("click on the \"+\"'s to select"),
            QStringLiteral("the word, and to see the "),    QStringLiteral("index entries.  Clicking on "),
            QStringLiteral("an index entry will go to"),    QStringLiteral("that line in the book.")};
}

void centreLines(QTextEdit* memo) {
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor cursor(b);
        QTextBlockFormat format = cursor.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(format);
    }
}

// The page area and the control panel are placed by the layout rule on every
// resize; inside the panel's tabs the controls keep their design positions.
void MainWindowWidgets::buildWidgets(QMainWindow* window, QtSurface& surface) {
    window_ = window;
    central = new QWidget(window);
    window->setCentralWidget(central);
    createMenus(window);
    createPageArea(surface);
    PageControl2 = new QTabWidget(central);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    createControlTab();
    createOptionsTab(window);
    createIndexTab(window);
    nameForAssistiveTechnology(window);
}

void MainWindowWidgets::createMenus(QMainWindow* window) {
    QMenu* file = window->menuBar()->addMenu(QStringLiteral("File"));
    OpenLITItem = file->addAction(QStringLiteral("Open File"));
    OpenTOCItem = file->addAction(QStringLiteral("Open Tidal Type\u00AE Table of Contents"));
    file->addSeparator();
    SaveScreenItem = file->addAction(QStringLiteral("Save Screen as Text File"));
    file->addSeparator();
    ExitItem = file->addAction(QStringLiteral("Exit"));

    QMenu* search = window->menuBar()->addMenu(QStringLiteral("Search"));
    FindItem = search->addAction(QStringLiteral("Find"));

    BMMenu = window->menuBar()->addMenu(QStringLiteral("Bookmarks"));
    BMAddItem = BMMenu->addAction(QStringLiteral("Add Bookmark"));
    BMDeleteItem = BMMenu->addAction(QStringLiteral("Delete Bookmark"));
    BMMenu->addSeparator();
    BMGOItem = BMMenu->addAction(QStringLiteral("Goto..."));
    BMPopupMenu = new QMenu(window);
    BMPopupMenu->setObjectName(QStringLiteral("BMPopupMenu"));
    BMPopupMenu->addAction(QStringLiteral("00"));

    QMenu* view = window->menuBar()->addMenu(QStringLiteral("View"));
    HideControlPanelItem = view->addAction(QStringLiteral("Hide Control Panel"));
    ShowControlPanelItem = view->addAction(QStringLiteral("Show Control Panel"));
    ShowControlPanelItem->setVisible(false);

    HelpMenu = window->menuBar()->addMenu(QStringLiteral("Help"));
    HelpMenu->addAction(QStringLiteral("Contents"));
}

void MainWindowWidgets::createPageArea(QtSurface& surface) {
    PageControl1 = new QTabWidget(central);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    TOCTabSheet = new QWidget;
    auto* tocLayout = new QVBoxLayout(TOCTabSheet);
    tocLayout->setContentsMargins(0, 0, 0, 0);
    PageControl1->addTab(TOCTabSheet, QStringLiteral("Table Of Contents"));

    ReadTabSheet = new QWidget;
    Image1 = new PageView(surface, ReadTabSheet);
    Image1->setObjectName(QStringLiteral("Image1"));
    auto* readLayout = new QVBoxLayout(ReadTabSheet);
    readLayout->setContentsMargins(0, 0, 0, 0);
    readLayout->addWidget(Image1);
    PageControl1->addTab(ReadTabSheet, QStringLiteral("Reading"));

    AboutTabSheet = new QWidget;
    ProgramIcon = new AboutPictureView(AboutTabSheet);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    Memo1 = new QTextEdit(AboutTabSheet);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    setPlainBase(Memo1, QColor(0xC0, 0xC0, 0xC0));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QString::fromLatin1(kAboutText));
    centreLines(Memo1);
    OKButton = new QPushButton(QStringLiteral("OK"), AboutTabSheet);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    BookTitleLabel = new QLabel(QStringLiteral("Vestaria, by Penwright"), AboutTabSheet);
    BookTitleLabel->setObjectName(QStringLiteral("BookTitleLabel"));
    BookTitleLabel->setAlignment(Qt::AlignCenter);
    setPlainColors(BookTitleLabel, QColor(0xFF, 0xFF, 0x80), Qt::black);
    PageControl1->addTab(AboutTabSheet, QStringLiteral("About"));
    PageControl1->setCurrentWidget(AboutTabSheet);
}

void MainWindowWidgets::createControlTab() {
    ControlsTabSheet = new QWidget;
    QWidget* t = ControlsTabSheet;
    ReadingPositionLabel = placed(new QLabel(QStringLiteral("Reading Position"), t), nullptr, {8, 16, 170, 16});
    BookPosProgressBar = placed(new QProgressBar(t), "BookPosProgressBar", {8, 32, 170, 16});
    BookPosProgressBar->setRange(0, 100);
    BookPosProgressBar->setTextVisible(false);
    PosLabel = placed(new QLabel(t), "PosLabel", {8, 48, 170, 18});
    PosLabel->setTextFormat(Qt::PlainText);
    // Its accessible name is the position text itself, so screen readers read it.
    PosLabel->setAccessibleDescription(QStringLiteral("Reading Position"));
    FontSizeLabel = placed(new QLabel(t), "FontSizeLabel", {8, 72, 170, 16});
    FontSizeLabel->setTextFormat(Qt::PlainText);
    FontSizeTrackBar = placed(new QSlider(Qt::Horizontal, t), "FontSizeTrackBar", {8, 88, 122, 25});
    FontSizeTrackBar->setRange(kMinFontSize, kMaxFontSize);
    FontSizeTrackBar->setValue(15);
    FontSizeTrackBar->setTickPosition(QSlider::TicksBelow);
    FontSizeTrackBar->setTickInterval(1);
    FontSizeUpDown = placed(new QSpinBox(t), "FontSizeUpDown", {132, 88, 46, 25});
    FontSizeUpDown->setRange(kMinFontSize, kMaxFontSize);
    FontSizeUpDown->setWrapping(false);
    FontSizeUpDown->setValue(15);
    PrevButton = placed(new QPushButton(QStringLiteral("Prev"), t), "PrevButton", {8, 200, 170, 25});
    PrevButton->setEnabled(false);
    NextButton = placed(new QPushButton(QStringLiteral("Next"), t), "NextButton", {8, 224, 170, 65});
    NextButton->setEnabled(false);
    ExitButton = placed(new QPushButton(QStringLiteral("Exit"), t), "ExitButton", {8, 312, 170, 25});

    PageControl2->addTab(ControlsTabSheet, QStringLiteral("Control"));
}

void MainWindowWidgets::createOptionsTab(QMainWindow* window) {
    OptionsTabSheet = new QWidget;
    QWidget* t = OptionsTabSheet;
    auto* group = new QGroupBox(QStringLiteral("Background Color"), t);
    group->setObjectName(QStringLiteral("BGColorRadioGroup"));
    group->setGeometry(8, 8, 170, 89);
    BGColorRadioGroup = new QButtonGroup(window);
    auto* groupLayout = new QVBoxLayout(group);
    const QStringList items = {QStringLiteral("Light Colored"), QStringLiteral("Dark Colored"),
                               QStringLiteral("Windows")};
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], group);
        BGColorRadioGroup->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    SingleShadeBgCheckBox = placed(new QCheckBox(QStringLiteral("1 Color Background "), t), nullptr, {8, 104, 170, 17});
    TwoColorCheckBox = placed(new QCheckBox(QStringLiteral("No Colored Text"), t), nullptr, {8, 124, 170, 17});
    TwoColCheckBox = placed(new QCheckBox(QStringLiteral("2 Column Display"), t), nullptr, {8, 144, 170, 17});
    ResetToStartupDefaultsButton =
        placed(new QPushButton(QStringLiteral("Reset To Startup Defaults"), t), nullptr, {0, 288, 192, 25});

    PageControl2->addTab(OptionsTabSheet, QStringLiteral("Options"));
}

void MainWindowWidgets::createIndexTab(QMainWindow* window) {
    IndexTabSheet = new QWidget;
    QWidget* t = IndexTabSheet;
    auto* findingEntry = new QLabel(QStringLiteral("Finding Entry"), t);
    findingEntry->setObjectName(QStringLiteral("FindingEntryLabel"));
    findingEntry->hide();
    indexModel = new IndexModel(window);
    SearchingIndexLabel = new QLabel(QStringLiteral("Searching Index"), t);
    SearchingIndexLabel->setObjectName(QStringLiteral("SearchingIndexLabel"));
    SearchingIndexLabel->setAlignment(Qt::AlignCenter);
    SearchingIndexLabel->setFixedHeight(20);
    setPlainColors(SearchingIndexLabel, Qt::yellow, Qt::black);
    SearchingIndexLabel->hide();
    auto* indexLayout = new QVBoxLayout(t);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->setSpacing(0);
    indexLayout->addWidget(SearchingIndexLabel); // below the tree, once made
    IndexPanel = placed(new QWidget(t), "IndexPanel", {0, 0, 200, 340});
    IndexMemo = placed(new QTextEdit(IndexPanel), "IndexMemo", {8, 40, 177, 193});
    IndexMemo->setReadOnly(true);
    IndexMemo->setFrameStyle(QFrame::NoFrame);
    IndexMemo->setLineWrapMode(QTextEdit::NoWrap);
    IndexLoadButton =
        placed(new QPushButton(QStringLiteral("Load Index"), IndexPanel), "IndexLoadButton", {24, 264, 137, 25});
    LoadingIndexLabel =
        placed(new QLabel(QStringLiteral("Loading Index"), IndexPanel), "LoadingIndexLabel", {8, 304, 177, 25});
    setPlainColors(LoadingIndexLabel, Qt::yellow);
    setPointSize(LoadingIndexLabel, 12);
    LoadingIndexLabel->hide();
    PageControl2->addTab(IndexTabSheet, QStringLiteral("Index"));
}

// Screen readers see each control under its caption; controls without one get
// the caption of what they show.
void MainWindowWidgets::nameForAssistiveTechnology(QMainWindow* window) {
    const std::pair<QWidget*, const char*> names[] = {
        {Image1, "Page"},
        {FontSizeTrackBar, "Font Size"},
        {FontSizeUpDown, "Font Size"},
        {BookPosProgressBar, "Reading Position"},
        {Memo1, "About Cadenzo"},
        {IndexMemo, "How to use the index"},
        {ProgramIcon, "About picture"},
        {PageControl1, "Pages"},
        {PageControl2, "Control Panel"},
    };
    for (const auto& [widget, name] : names) widget->setAccessibleName(QString::fromLatin1(name));
    nameButtonsByCaption(window);
}

namespace {

// What both trees share: a name, no header, 19-pixel steps, nothing editable.
template <typename Tree> Tree* newTree(QWidget* page, const char* name, const char* caption) {
    auto* tree = new Tree(page);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setAccessibleName(QString::fromLatin1(caption));
    tree->setHeaderHidden(true);
    tree->setIndentation(19);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return tree;
}

} // namespace

QTreeWidget* MainWindowWidgets::TOCTreeView() {
    if (catalogueTree_) return catalogueTree_;
    catalogueTree_ = newTree<QTreeWidget>(TOCTabSheet, "TOCTreeView", "Table Of Contents");
    catalogueTree_->setFont(QFont(QStringLiteral("Times New Roman"), 10));
    catalogueTree_->setExpandsOnDoubleClick(false);
    TOCTabSheet->layout()->addWidget(catalogueTree_);
    catalogueTree_->show();
    catalogueTreeMade();
    return catalogueTree_;
}

// The dialogs are windows of their own, named apart from the main window.
TForm4* MainWindowWidgets::Form4() {
    if (bookmarkDialog_) return bookmarkDialog_;
    bookmarkDialog_ = new TForm4(window_);
    nameButtonsByCaption(bookmarkDialog_);
    return bookmarkDialog_;
}

FindDialog* MainWindowWidgets::FindDialog1() {
    if (findDialog_) return findDialog_;
    findDialog_ = new FindDialog(window_);
    nameButtonsByCaption(findDialog_);
    findDialogMade();
    return findDialog_;
}

QTreeView* MainWindowWidgets::InxTreeView() {
    if (indexTree_) return indexTree_;
    indexTree_ = newTree<QTreeView>(IndexTabSheet, "InxTreeView", "Index");
    indexTree_->setUniformRowHeights(true);
    indexTree_->setModel(indexModel);
    indexTree_->hide();
    if (auto* layout = qobject_cast<QVBoxLayout*>(IndexTabSheet->layout())) layout->insertWidget(0, indexTree_);
    return indexTree_;
}

} // namespace cadenzo
