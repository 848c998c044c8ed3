#include "app/book_maker.h"

#include "base/errors.h"
#include "book_file.h"
#include "word_index_builder.h"

#include <new>

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

OutsideLayout layOut(const std::string& path, const format::LayoutProgress& progress) {
    format::LaidOutBook book;
    try {
        book = format::layOutBookFile(path, std::nullopt, false, progress);
    } catch (const format::FormatError& error) {
        throw ReaderError(ReasonWithoutFileName(error.what(), path));
    } catch (const std::bad_alloc&) {
        throw ReaderError("there is not enough memory to lay it out");
    }
    OutsideLayout out;
    out.lines = std::move(book.lines);
    out.title = std::move(book.title);
    for (format::LaidOutChapter& chapter : book.chapters)
        out.chapters.push_back(OutsideChapter{std::move(chapter.caption), std::move(chapter.anchor)});
    return out;
}

std::vector<std::string> buildIndex(const BookLineList& prepared) {
    return index::BuildWordIndex(prepared, index::IndexOptions{});
}

} // namespace

BookMaker FormatterBookMaker(std::function<void(double done)> progress) {
    return BookMaker{[progress = std::move(progress)](const std::string& path) { return layOut(path, progress); },
                     buildIndex};
}

} // namespace cadenzo
