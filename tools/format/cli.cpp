#include "cli.h"

#include "base/file_writer.h"
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
    "Usage: cadenzo-format [options] INPUT.txt [-o OUTPUT.lit]\n"
    "       cadenzo-format --fit SHAPE INPUT.txt [-o OUTPUT.lit]\n"
    "\n"
    "Lays a plain-text manuscript out as a book of phrase lines in the reader's\n"
    "stored form: short lines broken at phrase boundaries, indented in a cascade,\n"
    "with paragraph and sentence markers and highlighted words.\n"
    "\n"
    "Options:\n"
    "  -o FILE       write the book to FILE (default: standard output)\n"
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
        } else if (arg == "--fit") {
            if (options.fit) return "--fit given twice";
            auto v = value("--fit");
            if (!v || v->empty()) return "--fit needs a shape file";
            options.fit = true;
            options.shape = *v;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else {
            if (!options.input.empty())
                return "more than one input file ('" + options.input + "' and '" + arg + "')";
            options.input = arg;
        }
    }
    if (options.help || options.version) return std::nullopt;
    if (options.input.empty()) return "no input file";
    return std::nullopt;
}

std::string readWholeFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw FormatError("cannot read '" + path + "': it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FormatError("cannot read '" + path + "': no such file, or not readable");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw FormatError("cannot read '" + path + "'");
    return text.str();
}

// Written beside the target and renamed over it, so a failed run never leaves half a book.
void writeWholeFile(const std::string& path, const std::string& text) {
    if (const auto failure = replaceFile(path, text)) throw FormatError(failure->message());
}

} // namespace

std::string joinBookLines(const std::vector<std::string>& lines) { return joinLines(lines, LineEnding::Lf); }

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

    std::string stage = options.input;
    try {
        const std::string text = readWholeFile(options.input);
        const Manuscript book = parseManuscript(text);
        std::vector<std::string> lines;
        if (options.fit) {
            stage = options.shape;
            const Shape shape = parseShape(readWholeFile(options.shape));
            stage = options.input + " fitted to " + options.shape;
            lines = fitBook(book, shape);
        } else {
            lines = formatBook(book);
        }
        const std::string book_text = joinBookLines(lines);
        if (options.output.empty()) {
            out << book_text;
            out.flush();
        } else {
            stage = options.output;
            writeWholeFile(options.output, book_text);
        }
    } catch (const FormatError& e) {
        err << "cadenzo-format: " << stage << ": " << e.what() << "\n";
        return kExitInputError;
    } catch (const std::exception& e) {
        err << "cadenzo-format: internal error: " << e.what() << "\n";
        return kExitInternal;
    }
    return kExitOk;
}

} // namespace cadenzo::format
