#include "index_cli.h"

#include "base/unicode.h"

#include "app/file_system.h"
#include "word_index_builder.h"

#include <exception>
#include <optional>
#include <ostream>

namespace cadenzo::index {

namespace {

constexpr const char* kUsage =
    "usage: cadenzo-index [--all] BOOK.lit [-o INDEX.lix]\n"
    "Writes the word index of a book file in phrase-line markup. Without -o the\n"
    "index goes beside the book, with the extension .lix, where the reader looks\n"
    "for it.\n"
    "  --all       keep common words (the, and, of ...), which are left out by default\n"
    "  -o FILE     where to write the index\n"
    "  --help      this text\n"
    "  --version   the program's version\n";

} // namespace

std::string indexBesideBook(const std::string& book) {
    const std::size_t slash = book.find_last_of("/\\");
    const std::size_t dot = book.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return book.substr(0, dot) + ".lix";
    return book + ".lix";
}

namespace {

struct Request {
    IndexOptions options;
    std::string book;
    std::string output;
};

// The request of the command line, or the exit code when the run ends here
// (help, version, a usage error).
std::optional<int> parseArgs(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                             Request& request) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            out << kUsage;
            return 0;
        } else if (arg == "--version") {
            out << "cadenzo-index " << CADENZO_VERSION << '\n';
            return 0;
        } else if (arg == "--all") {
            request.options.keepCommonWords = true;
        } else if (arg == "-o" && i + 1 < args.size()) {
            request.output = args[++i];
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            err << "cadenzo-index: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else if (request.book.empty()) {
            request.book = arg;
        } else {
            err << "cadenzo-index: one book at a time\n" << kUsage;
            return 2;
        }
    }
    if (request.book.empty()) {
        err << kUsage;
        return 2;
    }
    if (request.output.empty()) request.output = indexBesideBook(request.book);
    if (request.output == request.book) {
        err << "cadenzo-index: the index would replace the book " << request.book << "; name another file with -o\n";
        return 2;
    }
    return std::nullopt;
}

} // namespace

int runIndexer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Request request;
    if (const std::optional<int> code = parseArgs(args, out, err, request)) return *code;
    const std::string& book = request.book;
    const std::string& output = request.output;
    RealFileSystem files;
    auto lines = files.readLines(book);
    if (!lines) {
        err << "cadenzo-index: cannot read " << book << '\n';
        return 1;
    }
    if (lines->empty()) {
        err << "cadenzo-index: " << book << " is empty\n";
        return 1;
    }
    // Read as the reader reads it: UTF-8, or Windows-1252 converted; the index is UTF-8.
    text::decodeFileLines(*lines);
    try {
        const auto index = BuildWordIndex(PrepareBookLines(std::move(*lines)), request.options);
        if (!files.writeLines(output, index)) {
            err << "cadenzo-index: cannot write " << output << '\n';
            return 1;
        }
        out << output << ": " << index.size() << " words\n";
    } catch (const std::exception& error) {
        err << "cadenzo-index: " << book << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace cadenzo::index
