// The reader's window interface over the main window's widgets: the window
// itself, the page area, the control panel, the catalogue tree and the Index
// page. The dialogs are in main_window_dialogs.cpp.
#include "app/qt/main_window.h"

#include "app/qt/outer_frame.h"
#include "app/qt/page_view.h"
#include "base/qt/qt_text.h"
#include "catalogue/catalogue.h"
#include "display/qt/about_picture.h"
#include "search/qt/index_model.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace cadenzo {

// ---- The window itself ----------------------------------------------------------

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

void TForm1::setCaption(const std::string& caption) { setWindowTitle(toQString(caption)); }

// The program's own title names the program where the desktop shows it when
// the window is iconified (the task bar). It is not Qt's application display
// name: Qt would append that to every window's title, and the caption is the
// whole title.
void TForm1::setApplicationTitle(const std::string& title) { setWindowIconText(toQString(title)); }

void TForm1::closeWindow() { close(); }

int TForm1::clientWidth() const { return central->width(); }

int TForm1::clientHeight() const { return central->height(); }

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

void TForm1::setBookmarksMenuVisible(bool visible) { BMMenu->menuAction()->setVisible(visible); }

void TForm1::setBookmarkItemsEnabled(bool enabled) {
    BMDeleteItem->setEnabled(enabled);
    BMGOItem->setEnabled(enabled);
}

LocalTime TForm1::localTime() const {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale = QLocale::system();
    const QTime t = now.time();
    return LocalTime{toBytes(locale.toString(now.date(), QLocale::ShortFormat)),
                     toBytes(locale.toString(t, QLocale::LongFormat)),
                     t.hour() == 0 && t.minute() == 0 && t.second() == 0};
}

// ---- Page area ------------------------------------------------------------------

int TForm1::pageWidth() const { return std::min(Image1->width(), surface_.width()); }

int TForm1::pageHeight() const { return std::min(Image1->height(), surface_.height()); }

// The page surface starts silver and grows with the page as the window does;
// memory is not spent on a screen-sized image that a smaller window never shows.
void TForm1::prepareSurfaces() { surface_.reset(Image1->width(), Image1->height(), QColor(0xC0, 0xC0, 0xC0)); }

namespace {

QEvent::Type idleTasksEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

// The tasks are posted below the priority of the window's repaint, so they
// run once what a handler changed has been painted and sent to the screen.
// Before the window is first painted they wait for that painting, which
// they would otherwise hold up at start.
void TForm1::whenIdle(std::function<void()> task) {
    idleTasks_.push_back(std::move(task));
    postIdleTasks();
}

void TForm1::postIdleTasks() {
    if (!painted_ || idleTasksPosted_ || idleTasks_.empty()) return;
    idleTasksPosted_ = true;
    QCoreApplication::postEvent(this, new QEvent(idleTasksEvent()), Qt::LowEventPriority - 1);
}

void TForm1::customEvent(QEvent* event) {
    if (event->type() != idleTasksEvent()) return QMainWindow::customEvent(event);
    idleTasksPosted_ = false;
    auto tasks = std::exchange(idleTasks_, {});
    for (const auto& task : tasks) dispatch(task);
}

void TForm1::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    painted_ = true;
    postIdleTasks();
}

void TForm1::setPageText(const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines) {
        text += toQString(line);
        text += QLatin1Char('\n');
    }
    Image1->setAccessibleDescription(text);
}

void TForm1::showReadingTab() { PageControl1->setCurrentWidget(ReadTabSheet); }

void TForm1::showTableOfContentsTab() { PageControl1->setCurrentWidget(TOCTabSheet); }

// ---- Control panel --------------------------------------------------------------

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

void TForm1::setFontSizeLabel(const std::string& text) { FontSizeLabel->setText(toQString(text)); }

void TForm1::showControlTab() { PageControl2->setCurrentWidget(ControlsTabSheet); }

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

int TForm1::pageControl2Left() const { return PageControl2->x(); }

void TForm1::setPrevEnabled(bool enabled) { PrevButton->setEnabled(enabled); }

void TForm1::setNextEnabled(bool enabled) { NextButton->setEnabled(enabled); }

void TForm1::setPositionText(const std::string& text) { PosLabel->setText(toQString(text)); }

void TForm1::setProgress(int maximum, int position) {
    BookPosProgressBar->setRange(0, maximum);
    BookPosProgressBar->setValue(position);
    Image1->update();
}

// ---- Catalogue tree -------------------------------------------------------------

namespace {

QTreeWidgetItem* itemAt(const std::vector<QTreeWidgetItem*>& items, int at) {
    return at >= 0 && static_cast<std::size_t>(at) < items.size() ? items[static_cast<std::size_t>(at)] : nullptr;
}

QTreeWidgetItem* newCatalogueItem(QTreeWidget* tree, QTreeWidgetItem* parent, const CatalogueNode& node) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, toQString(node.text));
    item->setData(0, Qt::UserRole, node.number);
    return item;
}

} // namespace

bool TForm1::hasCatalogueNode(int number) const {
    const auto named = [number](const CatalogueNode& node) { return node.number == number; };
    return std::any_of(catalogueNodes_.begin(), catalogueNodes_.end(), named) ||
           std::any_of(appendedNodes_.begin(), appendedNodes_.end(), named);
}

// The catalogue's nodes: a node's parent is its place in the list. Nodes
// appended after them (the books opened from outside it) are numbered in their
// places, so a parent's place is its number. The reader names nodes by number.
void TForm1::addCatalogueItems(const std::vector<CatalogueNode>& nodes, bool appended) {
    const QSignalBlocker block(catalogueTree_);
    std::vector<QTreeWidgetItem*> made;
    if (!appended) made.reserve(nodes.size());
    for (const CatalogueNode& node : nodes) {
        if (appended && node.number < 0) continue;
        QTreeWidgetItem* parent = itemAt(appended ? catalogueItems_ : made, node.parent);
        QTreeWidgetItem* item = newCatalogueItem(catalogueTree_, parent, node);
        if (!appended) made.push_back(item);
        if (node.number < 0) continue;
        const auto number = static_cast<std::size_t>(node.number);
        if (catalogueItems_.size() <= number) catalogueItems_.resize(number + 1, nullptr);
        catalogueItems_[number] = item;
    }
}

// The tree's items, made afresh from the nodes kept.
void TForm1::fillCatalogueTree() {
    const QSignalBlocker block(catalogueTree_);
    catalogueTree_->clear();
    catalogueItems_.assign(catalogueNodes_.size(), nullptr);
    addCatalogueItems(catalogueNodes_, false);
    addCatalogueItems(appendedNodes_, true);
}

void TForm1::catalogueTreeMade() {
    connectCatalogueTree(catalogueTree_);
    if (catalogueFontPoints_ > 0) setCatalogueFontSize(catalogueFontPoints_);
    fillCatalogueTree();
    for (const int number : expandedBeforeMade_) expandCatalogueNode(number);
    if (chosenBeforeMade_) selectCatalogueNode(*chosenBeforeMade_);
    expandedBeforeMade_.clear();
    chosenBeforeMade_.reset();
}

void TForm1::setCatalogueTree(const std::vector<CatalogueNode>& nodes) {
    catalogueNodes_ = nodes;
    appendedNodes_.clear();
    expandedBeforeMade_.clear();
    chosenBeforeMade_.reset();
    if (catalogueTree_) fillCatalogueTree();
}

void TForm1::appendCatalogueNodes(const std::vector<CatalogueNode>& nodes) {
    appendedNodes_.insert(appendedNodes_.end(), nodes.begin(), nodes.end());
    if (catalogueTree_) addCatalogueItems(nodes, true);
}

void TForm1::expandCatalogueNode(int number) {
    if (!catalogueTree_) {
        if (hasCatalogueNode(number)) expandedBeforeMade_.push_back(number);
        return;
    }
    QTreeWidgetItem* item = itemAt(catalogueItems_, number);
    if (!item) return;
    const QSignalBlocker block(catalogueTree_); // the reader's own expansion, not a toggle
    item->setExpanded(true);
}

void TForm1::selectCatalogueNode(int number) {
    if (!catalogueTree_) {
        if (hasCatalogueNode(number)) chosenBeforeMade_ = number;
        return;
    }
    QTreeWidgetItem* item = itemAt(catalogueItems_, number);
    if (!item) return;
    const QSignalBlocker block(catalogueTree_);
    catalogueTree_->setCurrentItem(item);
}

std::optional<int> TForm1::selectedCatalogueNode() const {
    if (!catalogueTree_) return chosenBeforeMade_;
    const QTreeWidgetItem* item = catalogueTree_->currentItem();
    if (!item) return std::nullopt;
    return item->data(0, Qt::UserRole).toInt();
}

void TForm1::setCatalogueFontSize(int points) {
    catalogueFontPoints_ = points;
    if (!catalogueTree_) return;
    QFont font = catalogueTree_->font();
    font.setPointSize(points);
    catalogueTree_->setFont(font);
}

// ---- Index page -----------------------------------------------------------------

void TForm1::setIndexView(IndexView view) {
    if (view != IndexView::Loaded) indexModel->clear();
    IndexPanel->setVisible(view == IndexView::Unloaded);
    // The tree is made when it is first shown.
    if (view != IndexView::Unloaded) InxTreeView()->show();
    if (indexTree_ && view == IndexView::Unloaded) indexTree_->hide();
}

void TForm1::copyIndexInstructions() {
    IndexMemo->setPlainText(indexInstructions_.join(QLatin1Char('\n')));
    centreLines(IndexMemo);
}

void TForm1::setIndexLoading(bool loading) {
    LoadingIndexLabel->setVisible(loading);
    IndexLoadButton->setEnabled(!loading);
    if (loading) LoadingIndexLabel->repaint(); // shown before the work, which does not yield
}

void TForm1::setIndexTree(IndexTree tree) { indexModel->setTree(std::move(tree)); }

void TForm1::selectIndexNode(int node) { InxTreeView()->setCurrentIndex(indexModel->indexOfNode(node)); }

std::optional<std::string> TForm1::selectedIndexText() const {
    if (!indexTree_) return std::nullopt;
    const int node = indexModel->nodeOf(indexTree_->currentIndex());
    if (node < 0 || node >= indexModel->tree().size()) return std::nullopt;
    return indexModel->tree().text[static_cast<std::size_t>(node)];
}

void TForm1::setSearchingIndex(bool searching) {
    SearchingIndexLabel->setVisible(searching);
    if (searching) SearchingIndexLabel->repaint();
}

} // namespace cadenzo
