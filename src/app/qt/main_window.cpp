#include "app/qt/main_window.h"

#include "app/qt/background_work.h"
#include "app/qt/book_drop.h"
#include "app/qt/outer_frame.h"
#include "app/qt/page_view.h"
#include "search/qt/find_dialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>

namespace cadenzo {

namespace {

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

} // namespace

TForm1::TForm1(const StartOptions& options, QWidget* parent) : QMainWindow(parent), options_(options) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Cadenzo"));
    outerFrame_ = new OuterFrame(this, true);
    indexInstructions_ = IndexInstructions();
    buildWidgets(this, surface_);

    surface_.setPalette(palette());
    qApp->installEventFilter(this);
    focusConnection_ = connect(qApp, &QApplication::focusChanged, this, &TForm1::focusChanged);
    connectSignals();
    new BookDrop(this);
    Platform platform = makePlatform(options);
    platform.bookMaker = WithEarlyLayout(
        BackgroundBookMaker(this, [this] { dispatch(&Reader::OutsideLayoutFinished); }), options.earlyLayout);
    reader_ = std::make_unique<Reader>(*this, files_, std::move(platform));
    dispatch(&Reader::FormCreate);
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

// Each widget's signal calls its handler. The tree clicks, keys and focus
// changes that need telling apart first are connected in main_window_input.cpp.
void TForm1::connectSignals() {
    on(OpenLITItem, &QAction::triggered, &Reader::OpenLITItemClick);
    on(OpenTOCItem, &QAction::triggered, &Reader::OpenTOCItemClick);
    on(SaveScreenItem, &QAction::triggered, &Reader::SaveScreenItemClick);
    on(ExitItem, &QAction::triggered, &Reader::ExitItemClick);
    on(FindItem, &QAction::triggered, &Reader::FindItemClick);
    on(BMMenu, &QMenu::aboutToShow, &Reader::BMMenuClick);
    on(BMAddItem, &QAction::triggered, &Reader::BMAddItemClick);
    on(BMDeleteItem, &QAction::triggered, &Reader::BMDeleteItemClick);
    on(BMGOItem, &QAction::triggered, &Reader::BMGOItemClick);
    on(HideControlPanelItem, &QAction::triggered, &Reader::HideControlPanelItemClick);
    on(ShowControlPanelItem, &QAction::triggered, &Reader::ShowControlPanelItemClick);
    on(HelpMenu, &QMenu::aboutToShow, &Reader::HempMenuClick);

    // The catalogue tree is made when its page first comes to the front.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == TOCTabSheet) TOCTreeView();
    });
    Image1->onResize = [this] {
        if (activated_) dispatch(&Reader::ReadTabSheetResize);
    };
    on(OKButton, &QPushButton::clicked, &Reader::OKButtonClick);

    on(FontSizeTrackBar, &QSlider::valueChanged, &Reader::FontSizeTrackBarChange);
    on(FontSizeUpDown, &QSpinBox::valueChanged, &Reader::FontSizeUpDownClick);
    on(PrevButton, &QPushButton::clicked, &Reader::PrevButtonClick);
    on(NextButton, &QPushButton::clicked, &Reader::NextButtonClick);
    on(ExitButton, &QPushButton::clicked, &Reader::ExitButtonClick);

    // The scheme changes when another item is chosen; clicking the chosen one does nothing.
    connect(BGColorRadioGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) dispatch(&Reader::BGColorRadioGroupClick);
    });
    on(SingleShadeBgCheckBox, &QCheckBox::clicked, &Reader::SingleShadeBgCheckBoxClick);
    on(TwoColorCheckBox, &QCheckBox::clicked, &Reader::TwoColorCheckBoxClick);
    on(TwoColCheckBox, &QCheckBox::clicked, &Reader::TwoColCheckBoxClick);
    on(ResetToStartupDefaultsButton, &QPushButton::clicked, &Reader::ResetToStartupDefaultsButtonClick);

    on(IndexLoadButton, &QPushButton::clicked, &Reader::IndexLoadButtonClick);
}

void TForm1::findDialogMade() {
    findFrame_ = new OuterFrame(findDialog_, false);
    on(findDialog_, &FindDialog::findNext, &Reader::FindDialog1Find);
}

// ---- Window events ------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (activated_) return;
    // Activation once the widgets have their first sizes.
    QTimer::singleShot(0, this, [this] {
        if (activated_) return;
        activated_ = true;
        dispatch(&Reader::FormActivate);
    });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        dispatch(&Reader::FormClose);
    }
    event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (activated_) dispatch(&Reader::FormResize);
}

} // namespace cadenzo
