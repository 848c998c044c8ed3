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

void WaitWithNotice(QWidget* window, const QString& notice, const std::function<bool()>& ready,
                    const std::atomic<int>* percent) {
    // Most work is done before the notice would show: until then the window
    // simply waits, handling nothing.
    const int delay = window && window->isVisible() ? kBackgroundNoticeDelayMs : kStartupNoticeDelayMs;
    const auto noticeAt = std::chrono::steady_clock::now() + std::chrono::milliseconds(delay);
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= noticeAt) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (ready()) return;

    // A window-modal notice without a cancel button; its bar has no range
    // when the work does not say how far it is.
    QProgressDialog progress(notice, QString(), 0, percent ? 100 : 0, window);
    progress.setObjectName(QStringLiteral("BackgroundWorkNotice"));
    progress.setWindowTitle(QStringLiteral("Cadenzo"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.show();
    // The bar itself is set: the dialog's setValue would handle the user's
    // input, which waits until the work is done.
    auto* bar = progress.findChild<QProgressBar*>();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ready()) loop.quit();
        if (percent && bar) bar->setValue(std::clamp(percent->load(), 0, 100));
    });
    poll.start(15);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    progress.hide();
}

std::vector<std::string> RunInBackground(QWidget* window, const QString& notice,
                                         const std::function<std::vector<std::string>()>& work,
                                         const std::atomic<int>* percent) {
    std::packaged_task<std::vector<std::string>()> task(work);
    std::future<std::vector<std::string>> done = task.get_future();
    std::thread worker(std::move(task));
    WaitWithNotice(
        window, notice, [&done] { return done.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        percent);
    worker.join();
    return done.get();
}

namespace {

QString fileNameOf(const std::string& path) {
    return QDir::fromNativeSeparators(toQString(path)).section(QLatin1Char('/'), -1);
}

} // namespace

BookMaker BackgroundBookMaker(QWidget* window, std::function<void()> layoutFinished) {
    QPointer<QWidget> owner(window);
    // The layout says how far it has come; the notice's bar shows it.
    auto percent = std::make_shared<std::atomic<int>>(0);
    LayoutHooks hooks;
    hooks.progress = [percent](double done) { percent->store(static_cast<int>(done * 100)); };
    // Handed to the window's thread; dropped when the window has gone.
    hooks.finished = [owner, layoutFinished = std::move(layoutFinished)] {
        if (owner) QMetaObject::invokeMethod(owner, layoutFinished, Qt::QueuedConnection);
    };
    hooks.wait = [owner, percent](const std::string& path, const std::function<bool()>& ready) {
        WaitWithNotice(owner, QStringLiteral("Laying out %1 in phrase lines\u2026").arg(fileNameOf(path)), ready,
                       percent.get());
    };
    BookMaker background = ProgressiveBookMaker(std::move(hooks));
    // The worker gets its own copy of the book's lines: the window's thread
    // keeps its own.
    background.buildIndex = [owner, build = background.buildIndex](const BookLineList& prepared) {
        return RunInBackground(owner, QStringLiteral("Building the word index\u2026"),
                               [&build, lines = prepared] { return build(lines); });
    };
    return background;
}

} // namespace cadenzo
