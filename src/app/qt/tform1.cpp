#include "app/qt/tform1.h"

#include "app/qt/outer_frame.h"
#include "app/qt/page_view.h"
#include "app/qt/plain_colors.h"
#include "base/errors.h"
#include "bookmarks/qt/tform4.h"
#include "catalogue/catalogue.h"
#include "display/qt/about_picture.h"
#include "search/find.h"
#include "search/qt/find_dialog.h"
#include "search/qt/index_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpacerItem>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <iostream>

namespace cadenzo {

namespace {

// The reader's text is UTF-8 throughout: book, catalogue, index and bookmark
// files are decoded when read.
QString qs(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Room a title bar takes beside its text: the window's icon and its buttons.
constexpr int kTitleBarButtonsWidth = 160;

const QScreen* screenOf(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// Names typed or chosen by the user, as the reader's text.
std::string toBytes(const QString& text) { return text.toUtf8().toStdString(); }

// "Name|*.a;*.b" as a file dialog filter: "Name (*.a *.b)".
QString dialogFilter(const std::string& filter) {
    const QString f = QString::fromStdString(filter);
    const qsizetype bar = f.indexOf(QLatin1Char('|'));
    if (bar < 0) return f;
    QString patterns = f.mid(bar + 1);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    return f.left(bar) + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

PathRules platformRules() {
#ifdef Q_OS_WIN
    return PathRules{'\\', true};
#else
    return PathRules{'/', false};
#endif
}

Platform makePlatform(const StartOptions& options) {
    Platform platform;
    platform.programPath = QDir::toNativeSeparators(QCoreApplication::applicationFilePath()).toStdString();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    platform.dataFolder = QDir::toNativeSeparators(data + QStringLiteral("/Quillo")).toStdString();
    platform.commandLineBook = options.commandLineBook;
    platform.rules = platformRules();
    return platform;
}

bool isInside(const QWidget* widget, const QWidget* container) {
    for (; widget; widget = widget->parentWidget())
        if (widget == container) return true;
    return false;
}

const QStringList kIndexInstructions = {
    QStringLiteral("Click \"Load Index\" to load"), QStringLiteral("and setup the index, this"),
    QStringLiteral("may take a short while."),      QString(),
    QStringLiteral("After the index is loaded"),    QStringLiteral("click on the \"+\"'s to select"),
    QStringLiteral("the word, and to see the "),    QStringLiteral("index entries.  Clicking on "),
    QStringLiteral("an index entry will go to"),    QStringLiteral("that line in the book.")};

const char* const kAboutText =
    "Cadenzo\n\n"
    "A reader for books laid out in the Tidal Type manner: every sentence in short phrase "
    "lines, each at its own indentation, chosen words in colour, and the paragraphs on "
    "alternating shades.\n\n"
    "Choose a book on the Table Of Contents page, then page with Next and Prev or the "
    "PageUp and PageDown keys.";

void centreLines(QTextEdit* memo) {
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor cursor(b);
        QTextBlockFormat format = cursor.blockFormat();
        format.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(format);
    }
}

} // namespace

TForm1::TForm1(const StartOptions& options, QWidget* parent) : QMainWindow(parent), options_(options) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Cadenzo"));
    outerFrame_ = new OuterFrame(this, true);
    aboutPicture_ = MakeAboutPicture();
    indexInstructions_ = kIndexInstructions;

    central_ = new QWidget(this);
    setCentralWidget(central_);
    createMenus();
    createPageArea();
    createControlPanel();

    nameForAssistiveTechnology();
    surface_.setPalette(palette());
    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, &TForm1::focusChanged);

    Form4 = new TForm4(this);
    FindDialog1 = new FindDialog(this);
    findFrame_ = new OuterFrame(FindDialog1, false);
    connect(FindDialog1, &FindDialog::findNext, this, [this] { dispatch([this] { reader_->FindDialog1Find(); }); });
    reader_ = std::make_unique<Reader>(*this, files_, makePlatform(options));
    dispatch([this] { reader_->FormCreate(); });
}

// The application's signals and the children's last events (focus moving
// out of a dialog being destroyed, say) must not reach a half-destroyed window.
TForm1::~TForm1() {
    disconnect(focusConnection_);
    qApp->removeEventFilter(this);
    reader_.reset();
}

void TForm1::dispatch(const std::function<void()>& handler) {
    if (!reader_) return;
    try {
        handler();
    } catch (const std::exception& error) {
        showError(error.what());
    }
}

// ---- Building the widgets ---------------------------------------------------

void TForm1::createMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    OpenLITItem = file->addAction(QStringLiteral("Open File"));
    OpenTOCItem = file->addAction(QStringLiteral("Open Tidal Type\u00AE Table of Contents"));
    file->addSeparator();
    SaveScreenItem = file->addAction(QStringLiteral("Save Screen as Text File"));
    file->addSeparator();
    ExitItem = file->addAction(QStringLiteral("Exit"));
    connect(ExitItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->ExitItemClick(); }); });

    connect(OpenLITItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->OpenLITItemClick(); }); });
    connect(OpenTOCItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->OpenTOCItemClick(); }); });

    connect(SaveScreenItem, &QAction::triggered, this,
            [this] { dispatch([this] { reader_->SaveScreenItemClick(); }); });

    QMenu* search = menuBar()->addMenu(QStringLiteral("Search"));
    FindItem = search->addAction(QStringLiteral("Find"));
    connect(FindItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->FindItemClick(); }); });

    BMMenu = menuBar()->addMenu(QStringLiteral("Bookmarks"));
    BMAddItem = BMMenu->addAction(QStringLiteral("Add Bookmark"));
    BMDeleteItem = BMMenu->addAction(QStringLiteral("Delete Bookmark"));
    BMMenu->addSeparator();
    BMGOItem = BMMenu->addAction(QStringLiteral("Goto..."));
    connect(BMMenu, &QMenu::aboutToShow, this, [this] { dispatch([this] { reader_->BMMenuClick(); }); });
    connect(BMAddItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->BMAddItemClick(); }); });
    connect(BMDeleteItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->BMDeleteItemClick(); }); });
    connect(BMGOItem, &QAction::triggered, this, [this] { dispatch([this] { reader_->BMGOItemClick(); }); });
    BMPopupMenu = new QMenu(this);
    BMPopupMenu->setObjectName(QStringLiteral("BMPopupMenu"));
    BMPopupMenu->addAction(QStringLiteral("00"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    HideControlPanelItem = view->addAction(QStringLiteral("Hide Control Panel"));
    ShowControlPanelItem = view->addAction(QStringLiteral("Show Control Panel"));
    ShowControlPanelItem->setVisible(false);
    connect(HideControlPanelItem, &QAction::triggered, this,
            [this] { dispatch([this] { reader_->HideControlPanelItemClick(); }); });
    connect(ShowControlPanelItem, &QAction::triggered, this,
            [this] { dispatch([this] { reader_->ShowControlPanelItemClick(); }); });

    HelpMenu = menuBar()->addMenu(QStringLiteral("Help"));
    HelpMenu->addAction(QStringLiteral("Contents"));
    connect(HelpMenu, &QMenu::aboutToShow, this, [this] { dispatch([this] { reader_->HempMenuClick(); }); });
}

void TForm1::createPageArea() {
    PageControl1 = new QTabWidget(central_);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    TOCTabSheet = new QWidget;
    TOCTreeView = new QTreeWidget(TOCTabSheet);
    TOCTreeView->setObjectName(QStringLiteral("TOCTreeView"));
    TOCTreeView->setHeaderHidden(true);
    TOCTreeView->setIndentation(19);
    TOCTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TOCTreeView->setFont(QFont(QStringLiteral("Times New Roman"), 10));
    TOCTreeView->setExpandsOnDoubleClick(false);
    connectCatalogueTree();
    auto* tocLayout = new QVBoxLayout(TOCTabSheet);
    tocLayout->setContentsMargins(0, 0, 0, 0);
    tocLayout->addWidget(TOCTreeView);
    PageControl1->addTab(TOCTabSheet, QStringLiteral("Table Of Contents"));

    ReadTabSheet = new QWidget;
    Image1 = new PageView(surface_, ReadTabSheet);
    Image1->setObjectName(QStringLiteral("Image1"));
    auto* readLayout = new QVBoxLayout(ReadTabSheet);
    readLayout->setContentsMargins(0, 0, 0, 0);
    readLayout->addWidget(Image1);
    Image1->onResize = [this] {
        if (activated_) dispatch([this] { reader_->ReadTabSheetResize(); });
    };
    PageControl1->addTab(ReadTabSheet, QStringLiteral("Reading"));

    AboutTabSheet = new QWidget;
    ProgramIcon = new QLabel(AboutTabSheet);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setAutoFillBackground(true);
    Memo1 = new QTextEdit(AboutTabSheet);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setStyleSheet(QStringLiteral("QTextEdit { background: #C0C0C0; }"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QString::fromLatin1(kAboutText));
    centreLines(Memo1);
    OKButton = new QPushButton(QStringLiteral("OK"), AboutTabSheet);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    connect(OKButton, &QPushButton::clicked, this, [this] { dispatch([this] { reader_->OKButtonClick(); }); });
    BookTitleLabel = new QLabel(QStringLiteral("Vestaria, by Penwright"), AboutTabSheet);
    BookTitleLabel->setObjectName(QStringLiteral("BookTitleLabel"));
    BookTitleLabel->setAlignment(Qt::AlignCenter);
    SetPlainColors(BookTitleLabel, QColor(0xFF, 0xFF, 0x80), Qt::black);
    PageControl1->addTab(AboutTabSheet, QStringLiteral("About"));
    PageControl1->setCurrentWidget(AboutTabSheet);
}

void TForm1::createControlPanel() {
    PageControl2 = new QTabWidget(central_);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    createControlTab();
    createOptionsTab();
    createIndexTab();
}

void TForm1::createControlTab() {
    ControlsTabSheet = new QWidget;
    QWidget* t = ControlsTabSheet;
    ReadingPositionLabel = new QLabel(QStringLiteral("Reading Position"), t);
    ReadingPositionLabel->setGeometry(8, 16, 170, 16);
    BookPosProgressBar = new QProgressBar(t);
    BookPosProgressBar->setObjectName(QStringLiteral("BookPosProgressBar"));
    BookPosProgressBar->setRange(0, 100);
    BookPosProgressBar->setTextVisible(false);
    BookPosProgressBar->setGeometry(8, 32, 170, 16);
    PosLabel = new QLabel(t);
    PosLabel->setObjectName(QStringLiteral("PosLabel"));
    PosLabel->setTextFormat(Qt::PlainText);
    // Its accessible name is the position text itself, so screen readers read it.
    PosLabel->setAccessibleDescription(QStringLiteral("Reading Position"));
    PosLabel->setGeometry(8, 48, 170, 18);
    FontSizeLabel = new QLabel(t);
    FontSizeLabel->setObjectName(QStringLiteral("FontSizeLabel"));
    FontSizeLabel->setTextFormat(Qt::PlainText);
    FontSizeLabel->setGeometry(8, 72, 170, 16);
    FontSizeTrackBar = new QSlider(Qt::Horizontal, t);
    FontSizeTrackBar->setObjectName(QStringLiteral("FontSizeTrackBar"));
    FontSizeTrackBar->setRange(kMinFontSize, kMaxFontSize);
    FontSizeTrackBar->setValue(15);
    FontSizeTrackBar->setTickPosition(QSlider::TicksBelow);
    FontSizeTrackBar->setTickInterval(1);
    FontSizeTrackBar->setGeometry(8, 88, 122, 25);
    FontSizeUpDown = new QSpinBox(t);
    FontSizeUpDown->setObjectName(QStringLiteral("FontSizeUpDown"));
    FontSizeUpDown->setRange(kMinFontSize, kMaxFontSize);
    FontSizeUpDown->setWrapping(false);
    FontSizeUpDown->setValue(15);
    FontSizeUpDown->setGeometry(132, 88, 46, 25);
    PrevButton = new QPushButton(QStringLiteral("Prev"), t);
    PrevButton->setObjectName(QStringLiteral("PrevButton"));
    PrevButton->setGeometry(8, 200, 170, 25);
    PrevButton->setEnabled(false);
    NextButton = new QPushButton(QStringLiteral("Next"), t);
    NextButton->setObjectName(QStringLiteral("NextButton"));
    NextButton->setGeometry(8, 224, 170, 65);
    NextButton->setEnabled(false);
    ExitButton = new QPushButton(QStringLiteral("Exit"), t);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    ExitButton->setGeometry(8, 312, 170, 25);

    connect(FontSizeTrackBar, &QSlider::valueChanged, this,
            [this] { dispatch([this] { reader_->FontSizeTrackBarChange(); }); });
    connect(FontSizeUpDown, &QSpinBox::valueChanged, this,
            [this] { dispatch([this] { reader_->FontSizeUpDownClick(); }); });
    connect(PrevButton, &QPushButton::clicked, this, [this] { dispatch([this] { reader_->PrevButtonClick(); }); });
    connect(NextButton, &QPushButton::clicked, this, [this] { dispatch([this] { reader_->NextButtonClick(); }); });
    connect(ExitButton, &QPushButton::clicked, this, [this] { dispatch([this] { reader_->ExitButtonClick(); }); });
    PageControl2->addTab(ControlsTabSheet, QStringLiteral("Control"));
}

void TForm1::createOptionsTab() {
    OptionsTabSheet = new QWidget;
    QWidget* t = OptionsTabSheet;
    auto* group = new QGroupBox(QStringLiteral("Background Color"), t);
    group->setObjectName(QStringLiteral("BGColorRadioGroup"));
    group->setGeometry(8, 8, 170, 89);
    BGColorRadioGroup = new QButtonGroup(this);
    auto* groupLayout = new QVBoxLayout(group);
    const QStringList items = {QStringLiteral("Light Colored"), QStringLiteral("Dark Colored"),
                               QStringLiteral("Windows")};
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], group);
        BGColorRadioGroup->addButton(radio, i);
        groupLayout->addWidget(radio);
    }
    SingleShadeBgCheckBox = new QCheckBox(QStringLiteral("1 Color Background "), t);
    SingleShadeBgCheckBox->setGeometry(8, 104, 170, 17);
    TwoColorCheckBox = new QCheckBox(QStringLiteral("No Colored Text"), t);
    TwoColorCheckBox->setGeometry(8, 124, 170, 17);
    TwoColCheckBox = new QCheckBox(QStringLiteral("2 Column Display"), t);
    TwoColCheckBox->setGeometry(8, 144, 170, 17);
    ResetToStartupDefaultsButton = new QPushButton(QStringLiteral("Reset To Startup Defaults"), t);
    ResetToStartupDefaultsButton->setGeometry(0, 288, 192, 25);

    // The scheme changes when another item is chosen; clicking the chosen one does nothing.
    connect(BGColorRadioGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) dispatch([this] { reader_->BGColorRadioGroupClick(); });
    });
    connect(SingleShadeBgCheckBox, &QCheckBox::clicked, this,
            [this] { dispatch([this] { reader_->SingleShadeBgCheckBoxClick(); }); });
    connect(TwoColorCheckBox, &QCheckBox::clicked, this,
            [this] { dispatch([this] { reader_->TwoColorCheckBoxClick(); }); });
    connect(TwoColCheckBox, &QCheckBox::clicked, this,
            [this] { dispatch([this] { reader_->TwoColCheckBoxClick(); }); });
    connect(ResetToStartupDefaultsButton, &QPushButton::clicked, this,
            [this] { dispatch([this] { reader_->ResetToStartupDefaultsButtonClick(); }); });
    PageControl2->addTab(OptionsTabSheet, QStringLiteral("Options"));
}

void TForm1::createIndexTab() {
    IndexTabSheet = new QWidget;
    QWidget* t = IndexTabSheet;
    auto* findingEntry = new QLabel(QStringLiteral("Finding Entry"), t);
    findingEntry->setObjectName(QStringLiteral("FindingEntryLabel"));
    findingEntry->hide();
    indexModel = new IndexModel(this);
    InxTreeView = new QTreeView(t);
    InxTreeView->setObjectName(QStringLiteral("InxTreeView"));
    InxTreeView->setHeaderHidden(true);
    InxTreeView->setIndentation(19);
    InxTreeView->setUniformRowHeights(true);
    InxTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    InxTreeView->setModel(indexModel);
    InxTreeView->hide();
    SearchingIndexLabel = new QLabel(QStringLiteral("Searching Index"), t);
    SearchingIndexLabel->setObjectName(QStringLiteral("SearchingIndexLabel"));
    SearchingIndexLabel->setAlignment(Qt::AlignCenter);
    SearchingIndexLabel->setFixedHeight(20);
    SetPlainColors(SearchingIndexLabel, Qt::yellow, Qt::black);
    SearchingIndexLabel->hide();
    auto* indexLayout = new QVBoxLayout(t);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->setSpacing(0);
    indexLayout->addWidget(InxTreeView);
    indexLayout->addWidget(SearchingIndexLabel);
    IndexPanel = new QWidget(t);
    IndexPanel->setObjectName(QStringLiteral("IndexPanel"));
    IndexPanel->setGeometry(0, 0, 200, 340);
    IndexMemo = new QTextEdit(IndexPanel);
    IndexMemo->setObjectName(QStringLiteral("IndexMemo"));
    IndexMemo->setReadOnly(true);
    IndexMemo->setFrameStyle(QFrame::NoFrame);
    IndexMemo->setLineWrapMode(QTextEdit::NoWrap);
    IndexMemo->setGeometry(8, 40, 177, 193);
    IndexLoadButton = new QPushButton(QStringLiteral("Load Index"), IndexPanel);
    IndexLoadButton->setObjectName(QStringLiteral("IndexLoadButton"));
    IndexLoadButton->setGeometry(24, 264, 137, 25);
    LoadingIndexLabel = new QLabel(QStringLiteral("Loading Index"), IndexPanel);
    LoadingIndexLabel->setObjectName(QStringLiteral("LoadingIndexLabel"));
    SetPlainColors(LoadingIndexLabel, Qt::yellow);
    SetPointSize(LoadingIndexLabel, 12);
    LoadingIndexLabel->setGeometry(8, 304, 177, 25);
    LoadingIndexLabel->hide();
    connect(IndexLoadButton, &QPushButton::clicked, this,
            [this] { dispatch([this] { reader_->IndexLoadButtonClick(); }); });
    PageControl2->addTab(IndexTabSheet, QStringLiteral("Index"));
}

// Screen readers see each control under its caption; controls without one get
// the caption of what they show.
void TForm1::nameForAssistiveTechnology() {
    const std::pair<QWidget*, const char*> names[] = {
        {Image1, "Page"},
        {TOCTreeView, "Table Of Contents"},
        {InxTreeView, "Index"},
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
    const QList<QAbstractButton*> buttons = findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        if (button->accessibleName().isEmpty()) button->setAccessibleName(button->text().remove(QLatin1Char('&')));
}

// ---- The catalogue tree's clicks ---------------------------------------------------
//
// A click on a node's expand box only opens or closes the branch; a click on
// its text opens the entry; a double-click toggles the branch and opens the
// entry once.

void TForm1::connectCatalogueTree() {
    connect(TOCTreeView, &QTreeWidget::itemExpanded, this,
            [this] { dispatch([this] { reader_->TOCTreeViewExpanded(); }); });
    connect(TOCTreeView, &QTreeWidget::itemCollapsed, this,
            [this] { dispatch([this] { reader_->TOCTreeViewCollapsed(); }); });
    connect(TOCTreeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (pressBesideText_) return; // answered at the release
        openedByLastClick_ = item;
        dispatch([this] { reader_->TOCTreeViewClick(); });
    });
    connect(TOCTreeView, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        // The double-click toggles the branch, as the desktop's trees do; it
        // clears the toggle flag anyway, so the toggle is not reported.
        {
            const QSignalBlocker quiet(TOCTreeView);
            item->setExpanded(!item->isExpanded());
        }
        if (item == openedByLastClick_) return; // its first click opened it already
        dispatch([this] { reader_->TOCTreeViewDblClick(); });
    });
}

bool TForm1::catalogueTreeMouse(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // Qt reports no item click for a press on an expand box or on the blank
        // below the nodes; those clicks are answered at the release.
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QModelIndex index = TOCTreeView->indexAt(pos);
        const int textLeft = TOCTreeView->visualRect(index).left();
        const bool onExpandBox = index.isValid() && TOCTreeView->model()->hasChildren(index) && pos.x() < textLeft &&
                                 pos.x() >= textLeft - TOCTreeView->indentation();
        pressBesideText_ = !index.isValid() || onExpandBox;
        if (event->type() == QEvent::MouseButtonPress) openedByLastClick_ = nullptr;
    } else if (event->type() == QEvent::MouseButtonRelease && pressBesideText_) {
        // A toggle was reported as expanded or collapsed; this click only clears it.
        pressBesideText_ = false;
        dispatch([this] { reader_->TOCTreeViewClick(); });
    }
    return false;
}

// ---- Window events ------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    // Activation once the widgets have their first sizes.
    QTimer::singleShot(0, this, [this] {
        if (activated_) return;
        activated_ = true;
        dispatch([this] { reader_->FormActivate(); });
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        dispatch([this] { reader_->FormClose(); });
    }
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (activated_) dispatch([this] { reader_->FormResize(); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TOCTreeView->viewport() || watched == InxTreeView->viewport()) {
        // The trees answer the left button only: another button neither
        // selects a node nor opens anything, and goes no further.
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
    }
    if (watched == TOCTreeView->viewport()) catalogueTreeMouse(event);
    if (watched == InxTreeView->viewport() && event->type() == QEvent::MouseButtonRelease)
        dispatch([this] { reader_->InxTreeViewClick(); });
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        // The menu bar keeps its keys, so menus work from the keyboard.
        if (widget && widget->window() == this && !qobject_cast<QMenuBar*>(widget)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            // Only the two paging keys have codes of their own; any other key is
            // handled as nothing (Qt's codes of Ctrl or "!" must not page).
            const int code = key == Qt::Key_PageUp ? kKeyPageUp : key == Qt::Key_PageDown ? kKeyPageDown : 0;
            dispatch([this, code] { reader_->FormKeyDown(code); });
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// A tab is entered when this window's focus moves to one of its controls from
// a control outside it. Focus coming back to the control that had it (the
// window activated again, a dialog or menu closed) enters nothing.
void TForm1::focusChanged(QWidget*, QWidget* now) {
    if (!reader_ || !now || now->window() != this) return;
    const QWidget* before = windowFocus_;
    windowFocus_ = now;
    if (before == now) return;
    if (isInside(now, ReadTabSheet) && !isInside(before, ReadTabSheet))
        dispatch([this] { reader_->ReadTabSheetEnter(); });
    else if (isInside(now, ControlsTabSheet) && !isInside(before, ControlsTabSheet))
        dispatch([this] { reader_->ControlsTabSheetEnter(); });
}

// ---- Window interface ---------------------------------------------------------

int TForm1::pageWidth() const { return std::min(Image1->width(), surface_.width()); }
int TForm1::pageHeight() const { return std::min(Image1->height(), surface_.height()); }

// The page surface starts silver and grows with the page as the window does;
// memory is not spent on a screen-sized image that a smaller window never shows.
void TForm1::prepareSurfaces() {
    surface_.reset(Image1->width(), Image1->height(), QColor(0xC0, 0xC0, 0xC0));
    QPalette white = ProgramIcon->palette();
    white.setColor(QPalette::Window, Qt::white);
    ProgramIcon->setPalette(white);
}

bool TForm1::twoColumnChecked() const { return TwoColCheckBox->isChecked(); }
void TForm1::setTwoColumnChecked(bool checked) { TwoColCheckBox->setChecked(checked); }
bool TForm1::noColoredTextChecked() const { return TwoColorCheckBox->isChecked(); }
void TForm1::setNoColoredTextChecked(bool checked) { TwoColorCheckBox->setChecked(checked); }
bool TForm1::singleShadeChecked() const { return SingleShadeBgCheckBox->isChecked(); }
void TForm1::setSingleShadeChecked(bool checked) { SingleShadeBgCheckBox->setChecked(checked); }

int TForm1::schemeIndex() const { return BGColorRadioGroup->checkedId(); }

void TForm1::setSchemeIndex(int index) {
    const QSignalBlocker quiet(BGColorRadioGroup); // the reader's own choice is no click
    if (QAbstractButton* button = BGColorRadioGroup->button(index)) {
        button->setChecked(true);
        return;
    }
    // No item selected: an exclusive group only lets go of its choice when not exclusive.
    BGColorRadioGroup->setExclusive(false);
    for (QAbstractButton* button : BGColorRadioGroup->buttons()) button->setChecked(false);
    BGColorRadioGroup->setExclusive(true);
}

int TForm1::fontSizeSliderPosition() const { return FontSizeTrackBar->value(); }

void TForm1::setFontSizeSliderPosition(int position) {
    const QSignalBlocker block(FontSizeTrackBar);
    FontSizeTrackBar->setValue(position);
}

int TForm1::fontSizeUpDownPosition() const { return FontSizeUpDown->value(); }

void TForm1::setFontSizeUpDownPosition(int position) {
    const QSignalBlocker block(FontSizeUpDown);
    FontSizeUpDown->setValue(position);
}

void TForm1::setFontSizeLabel(const std::string& text) { FontSizeLabel->setText(qs(text)); }

void TForm1::setCatalogueFontSize(int points) {
    QFont font = TOCTreeView->font();
    font.setPointSize(points);
    TOCTreeView->setFont(font);
}

// The outer rectangle, frame included.
WindowRect TForm1::windowRect() const {
    const QRect outer = outerFrame_->outer();
    return WindowRect{outer.x(), outer.y(), outer.width(), outer.height()};
}

// The window keeps its remembered place when that is on a screen; otherwise
// (a screen unplugged, a damaged settings file) it comes back onto the
// primary screen, never larger than it, so it can always be reached.
void TForm1::setWindowRect(const WindowRect& rect) {
    QRect wanted(rect.left, rect.top, rect.width, rect.height);
    const QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    const bool onScreen = screen != nullptr;
    if (!onScreen) screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect room = screen->availableGeometry();
        wanted.setSize(wanted.size().boundedTo(room.size()));
        if (!onScreen) wanted.moveTopLeft(room.topLeft());
    }
    outerFrame_->place(wanted);
}

int TForm1::screenWidth() const {
    return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().width() : 1024;
}

int TForm1::screenHeight() const {
    return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().height() : 768;
}

void TForm1::setCaption(const std::string& caption) { setWindowTitle(qs(caption)); }

void TForm1::closeWindow() { close(); }

int TForm1::clientWidth() const { return central_->width(); }
int TForm1::clientHeight() const { return central_->height(); }

void TForm1::applyLayout(const MainLayout& l) {
    auto apply = [](QWidget* w, const Rect& r) { w->setGeometry(r.left, r.top, r.width, r.height); };
    apply(PageControl1, l.pageControl1);
    apply(PageControl2, l.pageControl2);
    PageControl2->setVisible(l.pageControl2.width > 0);
    apply(ProgramIcon, l.programIcon);
    apply(Memo1, l.memo1);
    apply(OKButton, l.okButton);
    BookTitleLabel->setGeometry(l.bookTitleLabel.left, l.bookTitleLabel.top, l.bookTitleLabel.width,
                                BookTitleLabel->sizeHint().height());
    ProgramIcon->setPixmap(AboutPictureAt(aboutPicture_, ProgramIcon->size()));
    // Image1 fills the Reading page; its size follows the page's layout, and
    // follows the page in front while the Reading page is hidden.
    QCoreApplication::sendPostedEvents(PageControl1, QEvent::LayoutRequest);
    QWidget* front = PageControl1->currentWidget();
    if (front && front != ReadTabSheet) Image1->follow(front->size());
}

void TForm1::setControlPanelMenu(bool panelShown) {
    HideControlPanelItem->setVisible(panelShown);
    ShowControlPanelItem->setVisible(!panelShown);
}

void TForm1::showControlTab() { PageControl2->setCurrentWidget(ControlsTabSheet); }
void TForm1::showReadingTab() { PageControl1->setCurrentWidget(ReadTabSheet); }
void TForm1::showTableOfContentsTab() { PageControl1->setCurrentWidget(TOCTabSheet); }

// A hidden tab is taken out of the control panel rather than only not drawn:
// assistive technology would still report it as showing, without a place.
void TForm1::setIndexTabVisible(bool visible) {
    const int at = PageControl2->indexOf(IndexTabSheet);
    if (visible && at < 0) {
        PageControl2->addTab(IndexTabSheet, QStringLiteral("Index"));
    } else if (!visible && at >= 0) {
        PageControl2->removeTab(at);
        // The page stays with the panel, hidden, so it is kept and freed with it.
        IndexTabSheet->hide();
        if (IndexTabSheet->parentWidget() == nullptr) IndexTabSheet->setParent(PageControl2);
    }
}

void TForm1::setBookmarksMenuVisible(bool visible) { BMMenu->menuAction()->setVisible(visible); }

void TForm1::copyIndexInstructions() {
    IndexMemo->setPlainText(indexInstructions_.join(QLatin1Char('\n')));
    centreLines(IndexMemo);
}

void TForm1::closeFindDialog() { FindDialog1->close(); }

std::optional<std::string> TForm1::askSaveFileName(const std::string& defaultExt) {
    if (options_.unattended) return std::nullopt;
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(qs(defaultExt));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the page replaces the file without asking
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

// (x, y) is where the dialog's frame goes.
void TForm1::showFindDialog(int x, int y) {
    findFrame_->place(QRect(x, y, 0, 0));
    FindDialog1->show();
    FindDialog1->raise();
    FindDialog1->activateWindow();
}

FindQuery TForm1::findQuery() const {
    return FindQuery{toBytes(FindDialog1->FindText->text()), FindDialog1->MatchCase->isChecked(),
                     FindDialog1->WholeWord->isChecked()};
}

bool TForm1::findDirectionDown() const { return FindDialog1->Down->isChecked(); }

void TForm1::setIndexLoading(bool loading) {
    LoadingIndexLabel->setVisible(loading);
    IndexLoadButton->setEnabled(!loading);
    if (loading) LoadingIndexLabel->repaint(); // shown before the work, which does not yield
}

void TForm1::setIndexTree(IndexTree tree) { indexModel->setTree(std::move(tree)); }

void TForm1::selectIndexNode(int node) { InxTreeView->setCurrentIndex(indexModel->indexOfNode(node)); }

std::optional<std::string> TForm1::selectedIndexText() const {
    const int node = indexModel->nodeOf(InxTreeView->currentIndex());
    if (node < 0) return std::nullopt;
    return indexModel->tree().text[static_cast<std::size_t>(node)];
}

void TForm1::setSearchingIndex(bool searching) {
    SearchingIndexLabel->setVisible(searching);
    if (searching) SearchingIndexLabel->repaint();
}

void TForm1::setPageText(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines) {
        text += qs(line);
        text += QLatin1Char('\n');
    }
    Image1->setAccessibleDescription(text);
}

void TForm1::setCatalogueTree(const std::vector<CatalogueNode>& nodes) {
    const QSignalBlocker block(TOCTreeView);
    TOCTreeView->clear();
    std::vector<QTreeWidgetItem*> made;
    made.reserve(nodes.size());
    catalogueItems_.assign(nodes.size(), nullptr);
    for (const CatalogueNode& node : nodes) {
        QTreeWidgetItem* parent = node.parent >= 0 ? made[static_cast<std::size_t>(node.parent)] : nullptr;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TOCTreeView);
        item->setText(0, qs(node.text));
        item->setData(0, Qt::UserRole, node.number);
        made.push_back(item);
        if (node.number >= 0 && static_cast<std::size_t>(node.number) < catalogueItems_.size())
            catalogueItems_[static_cast<std::size_t>(node.number)] = item;
    }
}

void TForm1::expandCatalogueNode(int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= catalogueItems_.size()) return;
    const QSignalBlocker block(TOCTreeView); // the reader's own expansion, not a toggle
    catalogueItems_[static_cast<std::size_t>(number)]->setExpanded(true);
}

void TForm1::selectCatalogueNode(int number) {
    if (number < 0 || static_cast<std::size_t>(number) >= catalogueItems_.size()) return;
    const QSignalBlocker block(TOCTreeView);
    TOCTreeView->setCurrentItem(catalogueItems_[static_cast<std::size_t>(number)]);
}

std::optional<int> TForm1::selectedCatalogueNode() const {
    const QTreeWidgetItem* item = TOCTreeView->currentItem();
    if (!item) return std::nullopt;
    return item->data(0, Qt::UserRole).toInt();
}

// The program's own title names the program where the desktop shows it when
// the window is iconified (the task bar). It is not Qt's application display
// name: Qt would append that to every window's title, and the caption is the
// whole title.
void TForm1::setApplicationTitle(const std::string& title) { setWindowIconText(qs(title)); }

void TForm1::setIndexView(IndexView view) {
    if (view != IndexView::Loaded) indexModel->clear();
    IndexPanel->setVisible(view == IndexView::Unloaded);
    InxTreeView->setVisible(view != IndexView::Unloaded);
}

void TForm1::setBookmarkItemsEnabled(bool enabled) {
    BMDeleteItem->setEnabled(enabled);
    BMGOItem->setEnabled(enabled);
}

std::string TForm1::askBookmarkName() {
    if (!options_.unattended) Form4->exec();
    return toBytes(Form4->Edit1->text());
}

void TForm1::showBookmarkPopup(const std::vector<std::string>& captions, int x, int y) {
    BMPopupMenu->clear();
    for (std::size_t k = 0; k < captions.size(); ++k) {
        // Names are shown as written: "&" is no shortcut marker here.
        QAction* item = BMPopupMenu->addAction(qs(captions[k]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        const int position = static_cast<int>(k);
        connect(item, &QAction::triggered, this,
                [this, position] { dispatch([this, position] { reader_->BMPopupItemClick(position); }); });
    }
    if (!options_.unattended) BMPopupMenu->popup(QPoint(x, y));
}

int TForm1::pageControl2Left() const { return PageControl2->x(); }

LocalTime TForm1::localTime() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QTime t = now.time();
    return LocalTime{toBytes(locale.toString(now.date(), QLocale::ShortFormat)),
                     toBytes(locale.toString(t, QLocale::LongFormat)),
                     t.hour() == 0 && t.minute() == 0 && t.second() == 0};
}

void TForm1::setOpenDialogFileName(const std::string& name) { openDialogFileName_ = qs(name); }

std::optional<std::string> TForm1::askOpenFileName(const FileDialogSetup& setup) {
    if (options_.unattended) return std::nullopt;
    QFileDialog dialog(this, qs(setup.title));
    dialog.setNameFilter(dialogFilter(setup.filter));
    dialog.setDefaultSuffix(qs(setup.defaultExt));
    dialog.setFileMode(QFileDialog::AnyFile); // the chosen file need not exist
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!openDialogFileName_.isEmpty()) dialog.selectFile(openDialogFileName_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    openDialogFileName_ = QDir::toNativeSeparators(dialog.selectedFiles().front());
    return openDialogFileName_.toStdString();
}

bool TForm1::askYesNo(const std::string& text, const std::string& title) {
    if (options_.unattended) return false;
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(text), QMessageBox::Yes | QMessageBox::No, this);
    box.setTextFormat(Qt::PlainText); // a bookmark name, shown as written
    // The question stands in the title bar: the box is made wide enough for
    // the title, in the bold face title bars use, beside the frame's buttons.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtonsWidth;
    const QScreen* screen = screenOf(this);
    const int room = screen ? screen->availableGeometry().width() : titleWidth;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(std::min(titleWidth, room), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec() == QMessageBox::Yes;
}

void TForm1::showMessage(const std::string& text) {
    if (options_.unattended) {
        std::cerr << "message: " << text << '\n';
        return;
    }
    // A lone carriage return ends a line of a message, as on the desktop it was written for.
    QString shown = qs(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), shown, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::showError(const std::string& text) {
    if (options_.unattended) {
        std::cerr << "error: " << text << '\n';
        return;
    }
    // Errors name files and books: shown as written, never as markup.
    QMessageBox box(QMessageBox::Critical, windowTitle(), qs(text), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void TForm1::setPrevEnabled(bool enabled) { PrevButton->setEnabled(enabled); }

void TForm1::setNextEnabled(bool enabled) { NextButton->setEnabled(enabled); }

void TForm1::setPositionText(const std::string& text) { PosLabel->setText(qs(text)); }

void TForm1::setProgress(int maximum, int position) {
    BookPosProgressBar->setRange(0, maximum);
    BookPosProgressBar->setValue(position);
    Image1->update();
}

} // namespace cadenzo
