// The program's BookMaker: the formatter's library lays out plain-text and
// EPUB books, the index builder makes their word index as cadenzo-index does.
#pragma once

#include "app/outside_books.h"

#include <functional>
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

// The formatter's reason for refusing a file without the file's name, which
// the reader's message gives already: a leading "FILE: " is dropped, a quoted
// 'FILE' becomes "it".
std::string ReasonWithoutFileName(const std::string& message, const std::string& path);

} // namespace cadenzo
