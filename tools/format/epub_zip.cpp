#include "epub_zip.h"

#include "epub_xml.h"
#include "manuscript.h"

#include <algorithm>
#include <cstring>

namespace cadenzo::format::epub {

namespace {

constexpr ZPOS64_T kMaxEntryBytes = 64u * 1024u * 1024u;
constexpr ZPOS64_T kMaxTotalBytes = 512u * 1024u * 1024u;
constexpr ZPOS64_T kMaxEntries = 100000;
constexpr uLong kMaxNameBytes = 4096;

// minizip reads the archive through these, from the bytes in memory.
voidpf ZCALLBACK openStream(voidpf opaque, const void*, int mode) {
    return (mode & ZLIB_FILEFUNC_MODE_WRITE) ? nullptr : opaque;
}

uLong ZCALLBACK readStream(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* s = static_cast<ZipArchive::Stream*>(stream);
    const ZPOS64_T n = std::min<ZPOS64_T>(size, s->bytes.size() - s->at);
    std::memcpy(buffer, s->bytes.data() + s->at, static_cast<std::size_t>(n));
    s->at += n;
    return static_cast<uLong>(n);
}

uLong ZCALLBACK writeStream(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellStream(voidpf, voidpf stream) { return static_cast<ZipArchive::Stream*>(stream)->at; }

long ZCALLBACK seekStream(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<ZipArchive::Stream*>(stream);
    const ZPOS64_T size = s->bytes.size();
    const ZPOS64_T base = origin == ZLIB_FILEFUNC_SEEK_CUR ? s->at : origin == ZLIB_FILEFUNC_SEEK_END ? size : 0;
    if (offset > size - base) return -1;
    s->at = base + offset;
    return 0;
}

int ZCALLBACK closeStream(voidpf, voidpf) { return 0; }

int ZCALLBACK streamError(voidpf, voidpf) { return 0; }

} // namespace

ZipArchive::ZipArchive(std::string_view bytes) : stream_{bytes} {
    if (bytes.substr(0, 2) != "PK") throw FormatError("not a zip archive, so not an EPUB book");
    zlib_filefunc64_def io{openStream, readStream,  writeStream, tellStream,
                           seekStream, closeStream, streamError, &stream_};
    zip_ = unzOpen2_64("", &io);
    if (zip_ == nullptr) throw FormatError("not a readable zip archive (no central directory), so not an EPUB book");
    // The directory once, so that each entry is found by name at once.
    int at = unzGoToFirstFile(zip_);
    while (at == UNZ_OK) {
        char name[kMaxNameBytes + 1];
        unz_file_info64 info;
        unz64_file_pos pos;
        if (unzGetCurrentFileInfo64(zip_, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzGetFilePos64(zip_, &pos) != UNZ_OK || entries_.size() >= kMaxEntries)
            break;
        if (info.size_filename <= kMaxNameBytes) entries_.emplace(std::string(name, info.size_filename), pos);
        at = unzGoToNextFile(zip_);
    }
    if (at != UNZ_END_OF_LIST_OF_FILE) {
        unzClose(zip_);
        throw FormatError("not a readable zip archive (its directory is damaged), so not an EPUB book");
    }
}

ZipArchive::~ZipArchive() {
    if (zip_ != nullptr) unzClose(zip_);
}

bool ZipArchive::has(const std::string& name) const { return entries_.count(name) > 0; }

std::string ZipArchive::read(const std::string& name) {
    auto entry = entries_.find(name);
    if (entry == entries_.end()) fail(name, "missing from the book");
    unz_file_info64 info;
    if (unzGoToFilePos64(zip_, &entry->second) != UNZ_OK ||
        unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        fail(name, "cannot be read");
    if (info.flag & 1u) fail(name, "encrypted (DRM): Cadenzo cannot read a book locked against copying");
    if (info.uncompressed_size > kMaxEntryBytes)
        fail(name, "larger than " + std::to_string(kMaxEntryBytes / (1024 * 1024)) + " MB");
    total_ += info.uncompressed_size;
    if (total_ > kMaxTotalBytes) fail(name, "the book unpacks to more than 512 MB");
    if (unzOpenCurrentFile(zip_) != UNZ_OK) fail(name, "cannot be opened (an unknown compression method)");
    std::string data(static_cast<std::size_t>(info.uncompressed_size), '\0');
    std::size_t got = 0;
    int n = 1;
    while (got < data.size() && n > 0) {
        const auto want = static_cast<unsigned>(std::min<std::size_t>(data.size() - got, 1u << 20));
        n = unzReadCurrentFile(zip_, data.data() + got, want);
        if (n > 0) got += static_cast<std::size_t>(n);
    }
    // Reading on past the stated size finds data the directory did not count.
    char extra = 0;
    const bool longer = n >= 0 && unzReadCurrentFile(zip_, &extra, 1) > 0;
    const int closed = unzCloseCurrentFile(zip_);
    if (n < 0 || got != data.size() || longer) fail(name, "is damaged (its data does not match its size)");
    if (closed == UNZ_CRCERROR) fail(name, "is damaged (its checksum does not match)");
    return data;
}

} // namespace cadenzo::format::epub
