// Input mapping: the toolkit's clicks, keys and focus changes as the events
// the handlers expect.
#include "app/qt/main_window.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeView>
#include <QTreeWidget>

namespace cadenzo {

namespace {

bool isInside(const QWidget* widget, const QWidget* container) {
    for (; widget; widget = widget->parentWidget())
        if (widget == container) return true;
    return false;
}

} // namespace

// ---- The catalogue tree's clicks ------------------------------------------------
//
// A click on a node's expand box only opens or closes the branch; a click on
// its text opens the entry; a double-click toggles the branch and opens the
// entry once.

void TForm1::connectCatalogueTree(QTreeWidget* tree) {
    connect(tree, &QTreeWidget::itemExpanded, this, [this] { dispatch(&Reader::TOCTreeViewExpanded); });
    connect(tree, &QTreeWidget::itemCollapsed, this, [this] { dispatch(&Reader::TOCTreeViewCollapsed); });
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (pressBesideText_) return; // answered at the release
        openedByLastClick_ = item;
        dispatch(&Reader::TOCTreeViewClick);
    });
    connect(tree, &QTreeWidget::itemDoubleClicked, this, [this, tree](QTreeWidgetItem* item) {
        // The double-click toggles the branch, as the desktop's trees do; it
        // clears the toggle flag anyway, so the toggle is not reported.
        {
            const QSignalBlocker quiet(tree);
            item->setExpanded(!item->isExpanded());
        }
        if (item == openedByLastClick_) return; // its first click opened it already
        dispatch(&Reader::TOCTreeViewDblClick);
    });
}

void TForm1::catalogueTreeMouse(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        // Qt reports no item click for a press on an expand box or on the blank
        // below the nodes; those clicks are answered at the release.
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QModelIndex index = catalogueTree_->indexAt(pos);
        const int textLeft = catalogueTree_->visualRect(index).left();
        const bool onExpandBox = index.isValid() && catalogueTree_->model()->hasChildren(index) && pos.x() < textLeft &&
                                 pos.x() >= textLeft - catalogueTree_->indentation();
        pressBesideText_ = !index.isValid() || onExpandBox;
        if (event->type() == QEvent::MouseButtonPress) openedByLastClick_ = nullptr;
    } else if (event->type() == QEvent::MouseButtonRelease && pressBesideText_) {
        // A toggle was reported as expanded or collapsed; this click only clears it.
        pressBesideText_ = false;
        dispatch(&Reader::TOCTreeViewClick);
    }
}

// ---- Keys and focus ---------------------------------------------------------

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // A tree not made yet has no events.
    const bool onCatalogueTree = catalogueTree_ && watched == catalogueTree_->viewport();
    const bool onIndexTree = indexTree_ && watched == indexTree_->viewport();
    if (onCatalogueTree || onIndexTree) {
        // The trees answer the left button only: another button neither
        // selects a node nor opens anything, and goes no further.
        const auto type = event->type();
        if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
             type == QEvent::MouseButtonDblClick) &&
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return true;
    }
    if (onCatalogueTree) catalogueTreeMouse(event);
    if (onIndexTree && event->type() == QEvent::MouseButtonRelease) dispatch(&Reader::InxTreeViewClick);
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
        dispatch(&Reader::ReadTabSheetEnter);
    else if (isInside(now, ControlsTabSheet) && !isInside(before, ControlsTabSheet))
        dispatch(&Reader::ControlsTabSheetEnter);
}

} // namespace cadenzo
