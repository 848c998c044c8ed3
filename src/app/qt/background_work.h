// Long work of the reader (laying out a book from outside, building its word
// index) done on a worker thread while the window goes on painting: after a
// moment a notice with a busy bar shows what is being done. The window takes no
// input until the work is done, so nothing the user does can change the book
// under it; the result, or the error, is handed back on the window's thread.
#pragma once

#include "app/outside_books.h"

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace cadenzo {

// How long work runs before the notice shows.
inline constexpr int kBackgroundNoticeDelayMs = 150;

// Runs `work` on a worker thread and returns its result; an exception it
// throws is thrown here. `notice` is the notice's text. With `percent`, which
// the work sets as it goes, the notice's bar shows how far it has come;
// without, the bar only shows that it is busy.
std::vector<std::string> RunInBackground(QWidget* window, const QString& notice,
                                         const std::function<std::vector<std::string>()>& work);
OutsideLayout RunInBackground(QWidget* window, const QString& notice, const std::function<OutsideLayout()>& work,
                              const std::atomic<int>* percent = nullptr);

// The formatter's BookMaker, its work done in the background of `window`.
BookMaker BackgroundBookMaker(QWidget* window);

} // namespace cadenzo
