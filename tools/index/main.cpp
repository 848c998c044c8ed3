// cadenzo-index: writes the word index (".lix") of a book file, so that the
// reader can show it on its Index page.
#include "app/file_system.h"
#include "app/errors.h"
#include "base/unicode.h"
#include "word_index_builder.h"

#include <cstring>
#include <iostream>
#include <string>

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

std::string besideBook(const std::string& book) {
    const std::size_t slash = book.find_last_of("/\\");
    const std::size_t dot = book.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return book.substr(0, dot) + ".lix";
    return book + ".lix";
}

} // namespace

int main(int argc, char** argv) {
    cadenzo::index::IndexOptions options;
    std::string book, output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--version") {
            std::cout << "cadenzo-index " << CADENZO_VERSION << '\n';
            return 0;
        } else if (arg == "--all") {
            options.keepCommonWords = true;
        } else if (arg == "-o" && i + 1 < argc) {
            output = argv[++i];
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            std::cerr << "cadenzo-index: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else if (book.empty()) {
            book = arg;
        } else {
            std::cerr << "cadenzo-index: one book at a time\n" << kUsage;
            return 2;
        }
    }
    if (book.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    if (output.empty()) output = besideBook(book);
    if (output == book) {
        std::cerr << "cadenzo-index: the index would replace the book " << book << "; name another file with -o\n";
        return 2;
    }

    cadenzo::RealFileSystem files;
    auto lines = files.readLines(book);
    if (!lines) {
        std::cerr << "cadenzo-index: cannot read " << book << '\n';
        return 1;
    }
    if (lines->empty()) {
        std::cerr << "cadenzo-index: " << book << " is empty\n";
        return 1;
    }
    // Read as the reader reads it: UTF-8, or Windows-1252 converted; the index is UTF-8.
    cadenzo::text::decodeFileLines(*lines);
    try {
        const auto index = cadenzo::index::BuildWordIndex(cadenzo::PrepareBookLines(std::move(*lines)), options);
        if (!files.writeLines(output, index)) {
            std::cerr << "cadenzo-index: cannot write " << output << '\n';
            return 1;
        }
        std::cout << output << ": " << index.size() << " words\n";
    } catch (const std::exception& error) {
        std::cerr << "cadenzo-index: " << book << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
