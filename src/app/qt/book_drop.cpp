#include "app/qt/book_drop.h"

#include "app/outside_books.h"
#include "app/qt/main_window.h"
#include "base/qt/qt_text.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace cadenzo {

namespace {

// The first local book file a drag carries, or nothing.
std::optional<std::string> droppedBook(const QMimeData* data) {
    if (!data || !data->hasUrls()) return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const std::string name = toBytes(QDir::toNativeSeparators(url.toLocalFile()));
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

} // namespace cadenzo
