// Program entry. Options begin with "--"; the first other argument names a
// book file to open. "--" ends the options, so any file name can be given.
#include "app/qt/main_window.h"
#include "app/qt/reader_style.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: cadenzo [--snapshot=FILE.png] [--] [BOOKFILE]\n"
    "Cadenzo, a reader for books laid out in phrase lines.\n"
    "  BOOKFILE           a book to open: a book file (.lit), plain text (.txt) or EPUB\n"
    "  --snapshot=FILE    once start-up is done, save a PNG of the window to FILE,\n"
    "                     close the window as a user would and end (for machines\n"
    "                     without a display; questions are answered as cancelled)\n"
    "  --help             this text\n"
    "  --version          the program's version\n"
    "  --                 ends the options: what follows is a file name\n";

struct Arguments {
    cadenzo::StartOptions start;
    QString snapshotPath;
    bool ok = true;
    bool done = false;   // --help or --version answered
    std::string message; // what to print: the answer, or what is wrong
};

Arguments parseArguments(const QStringList& args) {
    Arguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!optionsEnded && arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && arg == QLatin1String("--help")) {
            parsed.message += kUsage;
            parsed.done = true;
        } else if (!optionsEnded && arg == QLatin1String("--version")) {
            parsed.message += std::string("cadenzo ") + CADENZO_VERSION + "\n";
            parsed.done = true;
        } else if (!optionsEnded && arg.startsWith(QLatin1String("--snapshot="))) {
            parsed.snapshotPath = arg.mid(11);
            parsed.start.unattended = true;
        } else if (!optionsEnded && arg.startsWith(QLatin1String("--"))) {
            parsed.message += "cadenzo: unknown option " + arg.toStdString() + "\n" + kUsage;
            parsed.ok = false;
        } else if (parsed.start.commandLineBook.empty()) {
            parsed.start.commandLineBook = arg.toStdString();
        }
    }
    return parsed;
}

// The arguments as the program was given them, before the toolkit takes out
// its own (such as "-platform NAME").
QStringList rawArguments(int argc, char* argv[]) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args.push_back(QString::fromLocal8Bit(argv[i]));
    return args;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version are answered before the toolkit starts: they need no display.
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "--version") == 0) {
            const Arguments answered = parseArguments({QString(), QString::fromLatin1(argv[i])});
            std::fputs(answered.message.c_str(), stdout);
            return answered.ok ? 0 : 2;
        }
    }

#ifdef __GLIBC__
    // One malloc arena for all threads: a book laid out on the worker thread
    // leaves its freed memory where the window's thread reuses it, instead of
    // in an arena of its own that stays resident for the program's life.
    mallopt(M_ARENA_MAX, 1);
#endif
    // A short book named on the command line is laid out before the toolkit
    // starts, so the memory of both is never held at once. Used only when the
    // toolkit leaves the same book name (see WithEarlyLayout).
    std::shared_ptr<cadenzo::EarlyLayout> early;
    if (const Arguments raw = parseArguments(rawArguments(argc, argv)); raw.ok)
        early = cadenzo::LayOutBeforeWindow(raw.start.commandLineBook);

    QApplication app(argc, argv);
    QApplication::setStyle(new cadenzo::ReaderStyle); // the application owns it
    QApplication::setApplicationName(QStringLiteral("Cadenzo"));
    Arguments args = parseArguments(QApplication::arguments());
    if (!args.ok) {
        std::fputs(args.message.c_str(), stderr);
        return 2;
    }
    args.start.earlyLayout = std::move(early);

    cadenzo::TForm1 form(args.start);
    form.show();

    if (!args.snapshotPath.isEmpty()) {
        // After activation has painted the first page: grab, close, end.
        QTimer::singleShot(50, &form, [&form, path = args.snapshotPath] {
            QApplication::processEvents();
            const bool saved = form.grab().save(path, "PNG");
            form.close();
            std::printf("%s\n", qPrintable(saved ? path : QStringLiteral("snapshot not saved: ") + path));
            std::fflush(stdout);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return QApplication::exec();
}
