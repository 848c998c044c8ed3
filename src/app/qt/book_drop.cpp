#include "app/qt/book_drop.h"

#include "app/outside_books.h"
#include "app/qt/tform1.h"
#include "catalogue/catalogue.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QUrl>

namespace cadenzo {

namespace {

// The first local book file a drag carries, or nothing.
std::optional<std::string> droppedBook(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QByteArray path = QDir::toNativeSeparators(url.toLocalFile()).toUtf8();
        std::string name(path.constData(), static_cast<std::size_t>(path.size()));
        if (IsBookFile(name)) return name;
    }
    return std::nullopt;
}

} // namespace

BookDrop::BookDrop(TForm1* form) : QObject(form), form_(form) {
    form->setAcceptDrops(true);
    form->installEventFilter(this);
}

bool BookDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != form_) return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedBook(drag->mimeData())) {
            drag->acceptProposedAction();
        } else {
            drag->ignore();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto book = droppedBook(drop->mimeData());
        if (!book) return false;
        drop->acceptProposedAction();
        form_->dispatch([this, path = *book] { form_->reader().BookFileDropped(path); });
        return true;
    }
    default: return false;
    }
}

void TForm1::appendCatalogueNodes(const std::vector<CatalogueNode>& nodes) {
    const QSignalBlocker block(TOCTreeView);
    for (const CatalogueNode& node : nodes) {
        if (node.number < 0) continue;
        const auto number = static_cast<std::size_t>(node.number);
        QTreeWidgetItem* parent = node.parent >= 0 && static_cast<std::size_t>(node.parent) < catalogueItems_.size()
                                      ? catalogueItems_[static_cast<std::size_t>(node.parent)]
                                      : nullptr;
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TOCTreeView);
        item->setText(0, QString::fromUtf8(node.text.data(), static_cast<qsizetype>(node.text.size())));
        item->setData(0, Qt::UserRole, node.number);
        if (catalogueItems_.size() <= number) catalogueItems_.resize(number + 1, nullptr);
        catalogueItems_[number] = item;
    }
}

} // namespace cadenzo
