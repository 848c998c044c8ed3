#include "app/book_maker.h"

#include "base/errors.h"
#include "base/file_path.h"
#include "book_file.h"
#include "word_index_builder.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <utility>

namespace cadenzo {

std::string ReasonWithoutFileName(const std::string& message, const std::string& path) {
    if (path.empty()) return message;
    const std::string prefix = path + ": ";
    if (message.compare(0, prefix.size(), prefix) == 0) return message.substr(prefix.size());
    // "cannot read 'FILE': no such file"
    std::string reason = message;
    const std::string quoted = "'" + path + "'";
    if (const std::size_t at = reason.find(quoted); at != std::string::npos) reason.replace(at, quoted.size(), "it");
    return reason;
}

namespace {

// The formatter's lines prepared for reading: a whole book, or the first part
// of one still being laid out. Made here, beside the layout, so the reader
// never holds the stored lines and the prepared ones at once.
BookLineList preparedLines(std::vector<std::string>&& stored, bool whole) {
    BookLineList prepared = whole ? PrepareBookLines(stored) : PrepareBookStart(stored);
    std::vector<std::string>().swap(stored);
    return prepared;
}

OutsideLayout outsideLayout(format::LaidOutBook&& book, bool whole = true) {
    OutsideLayout out;
    out.lines = preparedLines(std::move(book.lines), whole);
    out.title = std::move(book.title);
    for (format::LaidOutChapter& chapter : book.chapters)
        out.chapters.push_back(OutsideChapter{std::move(chapter.caption), std::move(chapter.anchor)});
    return out;
}

// The formatter's layout of a file, its refusals as the reader words them.
format::LaidOutBook layOutFile(const std::string& path, const format::BookLayoutWatch& watch) {
    try {
        return format::layOutBookFile(path, std::nullopt, false, watch);
    } catch (const format::FormatError& error) {
        throw ReaderError(ReasonWithoutFileName(error.what(), path));
    } catch (const std::bad_alloc&) {
        throw ReaderError("there is not enough memory to lay it out");
    }
}

std::vector<std::string> buildIndex(const BookLineList& prepared) {
    return index::BuildWordIndex(prepared, index::IndexOptions{});
}

// Thrown on the layout's thread to stop a layout nobody waits for.
struct Abandoned {};

// One book laid out on a thread of its own. Its first part is handed over as
// soon as it is written; the whole book, or the reason there is none, once
// the layout has ended. Destroying the job abandons the layout: it stops at
// its next progress report, and the thread is joined.
class LayoutJob final : public LayoutRest {
  public:
    LayoutJob(std::string path, LayoutHooks hooks) : path_(std::move(path)), hooks_(std::move(hooks)) {
        thread_ = std::thread([this] { run(); });
    }
    ~LayoutJob() override {
        abandoned_ = true;
        thread_.join();
    }
    LayoutJob(const LayoutJob&) = delete;
    LayoutJob& operator=(const LayoutJob&) = delete;

    // Waits for the first part or the end; gives the first part with the
    // job as its rest, or the whole book when the layout ended first. Throws
    // ReaderError when it failed.
    static OutsideLayout opening(const std::shared_ptr<LayoutJob>& job) {
        job->waitUntil([&job] { return job->firstPart_.has_value() || job->ended_; });
        std::lock_guard lock(job->mutex_);
        if (job->ended_) return outsideLayout(job->takeBook());
        OutsideLayout first = outsideLayout(std::move(*job->firstPart_), false);
        first.rest = job;
        return first;
    }

    bool finished() const override {
        std::lock_guard lock(mutex_);
        return ended_;
    }

    void wait() override {
        waitUntil([this] { return ended_; });
    }

    BookLineList take() override {
        wait();
        std::lock_guard lock(mutex_);
        return preparedLines(takeBook().lines, true);
    }

  private:
    void run() {
        if (hooks_.progress) hooks_.progress(0);
        format::BookLayoutWatch watch;
        watch.progress = [this](double done) {
            if (abandoned_) throw Abandoned{};
            if (hooks_.progress) hooks_.progress(done);
        };
        watch.firstPart = [this](const format::LaidOutBook& part) {
            {
                std::lock_guard lock(mutex_);
                firstPart_ = part;
            }
            ready_.notify_all();
        };
        format::LaidOutBook book;
        std::exception_ptr error;
        try {
            book = layOutFile(path_, watch);
        } catch (const Abandoned&) {
            return;
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            book_ = std::move(book);
            error_ = error;
            firstPart_.reset();
            ended_ = true;
        }
        ready_.notify_all();
        if (hooks_.finished) hooks_.finished();
    }

    // Called with the lock held, once ended.
    format::LaidOutBook takeBook() {
        if (error_) std::rethrow_exception(error_);
        if (taken_) throw ReaderError("the book was given already");
        taken_ = true;
        return std::move(book_);
    }

    template <typename Ready> void waitUntil(Ready ready) {
        if (hooks_.wait) {
            hooks_.wait(path_, [&] {
                std::lock_guard lock(mutex_);
                return ready();
            });
            return;
        }
        std::unique_lock lock(mutex_);
        ready_.wait(lock, ready);
    }

    const std::string path_;
    const LayoutHooks hooks_;
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::optional<format::LaidOutBook> firstPart_;
    format::LaidOutBook book_;
    std::exception_ptr error_;
    bool ended_ = false;
    bool taken_ = false;
    std::atomic<bool> abandoned_{false};
    std::thread thread_; // last: started once everything it uses is there
};

} // namespace

BookMaker FormatterBookMaker(std::function<void(double done)> progress) {
    return BookMaker{[progress = std::move(progress)](const std::string& path) {
                         return outsideLayout(layOutFile(path, {progress, {}}));
                     },
                     buildIndex};
}

BookMaker ProgressiveBookMaker(LayoutHooks hooks) {
    return BookMaker{[hooks = std::move(hooks)](const std::string& path) {
                         return LayoutJob::opening(std::make_shared<LayoutJob>(path, hooks));
                     },
                     buildIndex};
}

std::shared_ptr<EarlyLayout> LayOutBeforeWindow(const std::string& path) {
    if (!IsOutsideBookFile(path)) return nullptr;
    const auto file = pathFromUtf8(path);
    std::error_code ec;
    if (!file || std::filesystem::file_size(*file, ec) > kEarlyLayoutMaxBytes || ec) return nullptr;
    auto early = std::make_shared<EarlyLayout>();
    early->path = path;
    format::BookLayoutWatch watch;
    watch.firstPart = [](const format::LaidOutBook&) { throw Abandoned{}; };
    try {
        early->layout = outsideLayout(layOutFile(path, watch));
    } catch (const Abandoned&) {
        return nullptr; // a long book: it opens at its first part in the window
    } catch (...) {
        early->error = std::current_exception();
    }
    return early;
}

BookMaker WithEarlyLayout(BookMaker maker, std::shared_ptr<EarlyLayout> early) {
    if (!early) return maker;
    maker.layOut = [layOut = std::move(maker.layOut), early = std::move(early)](const std::string& path) {
        // Given once: the book opened again later is laid out anew.
        if (path != early->path || (!early->layout && !early->error)) return layOut(path);
        if (early->error) std::rethrow_exception(std::exchange(early->error, nullptr));
        OutsideLayout layout = std::move(*early->layout);
        early->layout.reset();
        return layout;
    };
    return maker;
}

} // namespace cadenzo
