#include "cli.h"

#include "base/file_writer.h"
#include "book_file.h"
#include "formatter.h"
#include "manuscript.h"
#include "shape.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

namespace cadenzo::format {

namespace {

constexpr const char* kUsage =
    "Usage: cadenzo-format [options] INPUT [-o OUTPUT.lit]\n"
    "       cadenzo-format --fit SHAPE INPUT.txt [-o OUTPUT.lit]\n"
    "\n"
    "Lays a book out as phrase lines in the reader's stored form: short lines\n"
    "broken at phrase boundaries, indented in a cascade, with paragraph and\n"
    "sentence markers and highlighted words. INPUT is a plain-text book (UTF-8\n"
    "or Windows-1252), a manuscript (a text whose first line is its header's\n"
    "'Title:', 'Author:' or 'Year:' line) or an EPUB (.epub).\n"
    "\n"
    "Options:\n"
    "  -o FILE       write the book to FILE (default: standard output)\n"
    "  --input KIND  read INPUT as KIND: manuscript, text or epub (default: by\n"
    "                its name and first line)\n"
    "  --fit SHAPE   fit the book exactly to the target shape in the file SHAPE\n"
    "                (line counts, chapter anchors, highlight counts, page breaks)\n"
    "  --help        show this text\n"
    "  --version     show the version\n"
    "\n"
    "Exit status: 0 done, 1 the input or shape has a problem (the message says\n"
    "which line or which number), 2 wrong command line, 3 internal error.\n";

struct Options {
    std::string input;
    std::string output;
    std::string shape;
    std::optional<BookKind> kind;
    bool fit = false;
    bool help = false;
    bool version = false;
};

// Returns an error message, or nothing when the arguments make sense.
std::optional<std::string> parseArgs(const std::vector<std::string>& args, Options& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name) -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            (void)name;
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "-o") {
            if (!options.output.empty()) return "-o given twice";
            auto v = value("-o");
            if (!v || v->empty()) return "-o needs a file name";
            options.output = *v;
        } else if (arg == "--input") {
            if (options.kind) return "--input given twice";
            auto v = value("--input");
            if (!v) return "--input needs a kind: manuscript, text or epub";
            if (*v == "manuscript")
                options.kind = BookKind::Manuscript;
            else if (*v == "text")
                options.kind = BookKind::PlainText;
            else if (*v == "epub")
                options.kind = BookKind::Epub;
            else
                return "unknown input kind '" + *v + "' (manuscript, text or epub)";
        } else if (arg == "--fit") {
            if (options.fit) return "--fit given twice";
            auto v = value("--fit");
            if (!v || v->empty()) return "--fit needs a shape file";
            options.fit = true;
            options.shape = *v;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            if (!options.input.empty()) return "more than one input file ('" + options.input + "' and '" + arg + "')";
            options.input = arg;
        }
    }
    if (options.help || options.version) return std::nullopt;
    if (options.input.empty()) return "no input file";
    return std::nullopt;
}

// Written beside the target and renamed over it, so a failed run never leaves half a book.
void writeWholeFile(const std::string& path, const std::string& text) {
    if (const auto failure = replaceFile(path, text)) throw FormatError(failure->message());
}

} // namespace

std::string joinBookLines(const std::vector<std::string>& lines) { return joinLines(lines, LineEnding::Lf); }

std::string joinBookLines(std::vector<std::string>&& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 1;
    text.reserve(size);
    // Each line is let go once copied, so the book is not held twice over.
    for (std::string& line : lines) {
        text += line;
        text += '\n';
        std::string().swap(line);
    }
    std::vector<std::string>().swap(lines);
    return text;
}

int runFormatter(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (auto problem = parseArgs(args, options)) {
        err << "cadenzo-format: " << *problem << "\n\n" << kUsage;
        return kExitUsage;
    }
    if (options.help) {
        out << kUsage;
        return kExitOk;
    }
    if (options.version) {
        out << "cadenzo-format " << kToolVersion << "\n";
        return kExitOk;
    }

    // Errors of reading and laying out the book name the file themselves.
    std::string stage;
    try {
        std::vector<std::string> lines;
        if (options.fit) {
            const std::string bytes = readBookFileBytes(options.input);
            // A shape fixes the manuscript's frame: a number line and no title under each heading.
            const BookKind kind = options.kind ? *options.kind : bookKindOf(options.input, bytes);
            if (kind != BookKind::Manuscript) throw FormatError(options.input + ": --fit lays out manuscripts only");
            const Manuscript book = readBook(bytes, options.input, kind);
            const std::string shapeText = readBookFileBytes(options.shape);
            stage = options.shape + ": ";
            const Shape shape = parseShape(shapeText);
            stage = options.input + " fitted to " + options.shape + ": ";
            lines = fitBook(book, shape);
        } else {
            lines = layOutBookFile(options.input, options.kind, true).lines;
        }
        const std::string book_text = joinBookLines(std::move(lines));
        if (options.output.empty()) {
            out << book_text;
            out.flush();
        } else {
            stage = options.output + ": ";
            writeWholeFile(options.output, book_text);
        }
    } catch (const FormatError& e) {
        err << "cadenzo-format: " << stage << e.what() << "\n";
        return kExitInputError;
    } catch (const std::exception& e) {
        err << "cadenzo-format: internal error: " << e.what() << "\n";
        return kExitInternal;
    }
    return kExitOk;
}

} // namespace cadenzo::format
