// The EPUB reader on any book: the input is either the zip's bytes as they
// are (first byte even) or, so that the fuzzer reaches the XML, the contents
// of a book's usual entries separated by "\n--\n" and zipped here. The reader
// either names what it cannot use or lays a book out that the reader can
// prepare, every phrase at most 40 characters.
#include "book_file.h"
#include "support/fuzz_rig.h"

#include <zip.h>

#include <cstdio>

using namespace cadenzo;
using namespace cadenzo::fuzz;

namespace {

std::string zipped(const std::string& entries) {
    static const char* const names[] = {
        "mimetype",        "META-INF/container.xml", "OEBPS/content.opf",      "OEBPS/nav.xhtml",
        "OEBPS/ch1.xhtml", "OEBPS/toc.ncx",          "META-INF/encryption.xml"};
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (parts.size() < std::size(names)) {
        const std::size_t end = entries.find("\n--\n", pos);
        parts.push_back(entries.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        if (end == std::string::npos) break;
        pos = end + 4;
    }
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (buffer == nullptr) return {};
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    std::string out;
    if (archive != nullptr) {
        for (std::size_t i = 0; i < parts.size(); ++i) {
            zip_source_t* entry = zip_source_buffer(archive, parts[i].data(), parts[i].size(), 0);
            if (entry != nullptr && zip_file_add(archive, names[i], entry, 0) < 0) zip_source_free(entry);
        }
        if (zip_close(archive) != 0) zip_discard(archive);
        zip_stat_t stat;
        if (zip_source_stat(buffer, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) && zip_source_open(buffer) == 0) {
            out.resize(static_cast<std::size_t>(stat.size));
            const zip_int64_t got = zip_source_read(buffer, out.data(), stat.size);
            out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            zip_source_close(buffer);
        }
    }
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const bool raw = (in.byte() & 1) == 0;
    const std::string rest = in.rest();
    const std::string bytes = raw ? rest : zipped(rest);
    format::LaidOutBook book;
    try {
        book = format::layOutBook(bytes, "fuzz.epub", format::BookKind::Epub);
    } catch (const format::FormatError& e) {
        Expect(std::string(e.what()).rfind("fuzz.epub: ", 0) == 0); // the refusal names the file
        return 0;
    }
    Expect(book.lines.size() >= 5 && !book.chapters.empty());
    try {
        PrepareBookLines(book.lines);
    } catch (const ReaderError&) {
        Expect(false); // the formatter's own output always prepares
    }
    for (const format::LaidOutChapter& chapter : book.chapters)
        Expect(chapter.line < book.lines.size() && book.lines[chapter.line] == "l00|" + chapter.anchor + "> ");
    ExpectPhrasesFit(book.lines);
    return 0;
}
