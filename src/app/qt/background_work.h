// Long work of the reader (laying out a book from outside, building its word
// index) done on a worker thread while the window goes on painting: after a
// moment a notice with a busy bar shows what is being done. While the reader
// waits for the work, the window takes no input, so nothing the user does can
// change the book under it; the result, or the error, is handed back on the
// window's thread.
#pragma once

#include "app/outside_books.h"

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace cadenzo {

// How long work runs before the notice shows; before the window is first
// shown (a book named on the command line), a notice alone on the screen
// would only hold the window back, so it waits longer.
inline constexpr int kBackgroundNoticeDelayMs = 150;
inline constexpr int kStartupNoticeDelayMs = 600;

// Runs the window's events, but not the user's input, until `ready()` holds;
// after a moment `notice` shows. With `percent`, which the work sets as it
// goes, the notice's bar shows how far it has come; without, the bar only
// shows that it is busy.
void WaitWithNotice(QWidget* window, const QString& notice, const std::function<bool()>& ready,
                    const std::atomic<int>* percent = nullptr);

// Runs `work` on a worker thread, waiting for it as WaitWithNotice does, and
// returns its result; an exception it throws is thrown here.
std::vector<std::string> RunInBackground(QWidget* window, const QString& notice,
                                         const std::function<std::vector<std::string>()>& work,
                                         const std::atomic<int>* percent = nullptr);

// The formatter's BookMaker for `window`: a book is laid out on a thread of
// its own and opens once its first part is ready; `layoutFinished` is called
// on the window's thread when the rest has been laid out.
BookMaker BackgroundBookMaker(QWidget* window, std::function<void()> layoutFinished);

} // namespace cadenzo
