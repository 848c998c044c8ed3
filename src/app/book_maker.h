// The program's BookMaker: the formatter's library lays out plain-text and
// EPUB books, the index builder makes their word index as cadenzo-index does.
#pragma once

#include "app/outside_books.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace cadenzo {

// Lays books out whole, on the caller's thread. `progress`, when given, hears
// how far a layout has come (0 to 1).
BookMaker FormatterBookMaker(std::function<void(double done)> progress = {});

// How layouts on a thread of their own are followed.
struct LayoutHooks {
    // How far the layout has come (0 to 1), on its thread.
    std::function<void(double done)> progress;
    // On the layout's thread once it has ended, laid out or failed (not when
    // abandoned): the reader can take the whole book.
    std::function<void()> finished;
    // Waits until `ready()` holds while the book at `path` is laid out; by
    // default the caller's thread simply blocks.
    std::function<void(const std::string& path, const std::function<bool()>& ready)> wait;
};

// Lays each book out on a thread of its own: layOut gives the book as soon as
// its first part is written, the rest following in the layout's `rest`.
BookMaker ProgressiveBookMaker(LayoutHooks hooks);

// A book named on the command line, laid out before the window is made, so
// that the formatter's working memory is given back before the toolkit takes
// its own and the two are never held at once. Only a short book is laid out
// so: a long one hands over its first part, which needs the window's notice
// while the rest is laid out, and is left to the window.
struct EarlyLayout {
    std::string path;
    std::optional<OutsideLayout> layout; // the whole book, or
    std::exception_ptr error;            // why it cannot be laid out
};
// Files of at most this size are laid out before the window.
inline constexpr std::uintmax_t kEarlyLayoutMaxBytes = 512 * 1024;
// The early layout of `path`; nothing when it is no outside book, is larger
// than kEarlyLayoutMaxBytes or turns out to be a long book.
std::shared_ptr<EarlyLayout> LayOutBeforeWindow(const std::string& path);
// `maker`, whose first layout of the early book's file gives the early layout
// (or its error) instead of laying the book out again.
BookMaker WithEarlyLayout(BookMaker maker, std::shared_ptr<EarlyLayout> early);

// The formatter's reason for refusing a file without the file's name, which
// the reader's message gives already: a leading "FILE: " is dropped, a quoted
// 'FILE' becomes "it".
std::string ReasonWithoutFileName(const std::string& message, const std::string& path);

} // namespace cadenzo
