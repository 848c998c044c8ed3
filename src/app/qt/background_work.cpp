#include "app/qt/background_work.h"

#include "app/book_maker.h"
#include "base/qt/qt_text.h"

#include <QDir>
#include <QEventLoop>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace cadenzo {

namespace {

template <typename Result>
Result runInBackground(QWidget* window, const QString& notice, const std::function<Result()>& work,
                       const std::atomic<int>* percent) {
    std::packaged_task<Result()> task(work);
    std::future<Result> done = task.get_future();
    std::thread worker(std::move(task));
    if (done.wait_for(std::chrono::milliseconds(kBackgroundNoticeDelayMs)) != std::future_status::ready) {
        // A window-modal notice without a cancel button; its bar has no range
        // when the work does not say how far it is.
        QProgressDialog progress(notice, QString(), 0, percent ? 100 : 0, window);
        progress.setObjectName(QStringLiteral("BackgroundWorkNotice"));
        progress.setWindowTitle(QStringLiteral("Cadenzo"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setAutoClose(false);
        progress.show();
        QEventLoop loop;
        QTimer poll;
        // The bar itself is set: the dialog's setValue would handle the
        // user's input, which waits until the work is done.
        auto* bar = progress.findChild<QProgressBar*>();
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (done.wait_for(std::chrono::seconds(0)) == std::future_status::ready) loop.quit();
            if (percent && bar) bar->setValue(std::clamp(percent->load(), 0, 100));
        });
        poll.start(15);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        progress.hide();
    }
    worker.join();
    return done.get();
}

QString fileNameOf(const std::string& path) {
    return QDir::fromNativeSeparators(toQString(path)).section(QLatin1Char('/'), -1);
}

} // namespace

std::vector<std::string> RunInBackground(QWidget* window, const QString& notice,
                                         const std::function<std::vector<std::string>()>& work) {
    return runInBackground(window, notice, work, nullptr);
}

OutsideLayout RunInBackground(QWidget* window, const QString& notice, const std::function<OutsideLayout()>& work,
                              const std::atomic<int>* percent) {
    return runInBackground(window, notice, work, percent);
}

BookMaker BackgroundBookMaker(QWidget* window) {
    // The layout says how far it has come; the notice's bar shows it.
    auto percent = std::make_shared<std::atomic<int>>(0);
    const BookMaker maker =
        FormatterBookMaker([percent](double done) { percent->store(static_cast<int>(done * 100)); });
    QPointer<QWidget> owner(window);
    BookMaker background;
    background.layOut = [maker, owner, percent](const std::string& path) {
        percent->store(0);
        return RunInBackground(owner, QStringLiteral("Laying out %1 in phrase lines\u2026").arg(fileNameOf(path)),
                               std::function<OutsideLayout()>([&maker, path] { return maker.layOut(path); }),
                               percent.get());
    };
    // The worker gets its own copy of the book's lines: the window's thread
    // keeps its own.
    background.buildIndex = [maker, owner](const BookLineList& prepared) {
        return RunInBackground(
            owner, QStringLiteral("Building the word index\u2026"),
            std::function<std::vector<std::string>()>([&maker, lines = prepared] { return maker.buildIndex(lines); }));
    };
    return background;
}

} // namespace cadenzo
