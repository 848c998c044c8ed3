#include "epub_zip.h"

#include "epub_xml.h"
#include "manuscript.h"

namespace cadenzo::format::epub {

namespace {

constexpr zip_uint64_t kMaxEntryBytes = 64u * 1024u * 1024u;
constexpr zip_uint64_t kMaxTotalBytes = 512u * 1024u * 1024u;

} // namespace

ZipArchive::ZipArchive(std::string_view bytes) {
    if (bytes.substr(0, 2) != "PK") throw FormatError("not a zip archive, so not an EPUB book");
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive_ == nullptr) {
        const std::string reason = zip_error_strerror(&error);
        if (source != nullptr) zip_source_free(source);
        zip_error_fini(&error);
        throw FormatError("not a readable zip archive (" + reason + "), so not an EPUB book");
    }
    zip_error_fini(&error);
}

ZipArchive::~ZipArchive() {
    if (archive_ != nullptr) zip_discard(archive_);
}

bool ZipArchive::has(const std::string& name) const { return zip_name_locate(archive_, name.c_str(), 0) >= 0; }

std::string ZipArchive::read(const std::string& name) {
    const zip_int64_t index = zip_name_locate(archive_, name.c_str(), 0);
    if (index < 0) fail(name, "missing from the book");
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, static_cast<zip_uint64_t>(index), 0, &stat) != 0) fail(name, "cannot be read");
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        fail(name, "encrypted (DRM): Cadenzo cannot read a book locked against copying");
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > kMaxEntryBytes)
        fail(name, "larger than " + std::to_string(kMaxEntryBytes / (1024 * 1024)) + " MB");
    total_ += stat.size;
    if (total_ > kMaxTotalBytes) fail(name, "the book unpacks to more than 512 MB");
    zip_file_t* file = zip_fopen_index(archive_, static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) fail(name, std::string("cannot be opened: ") + zip_strerror(archive_));
    std::string data(static_cast<std::size_t>(stat.size), '\0');
    zip_int64_t got = 0;
    while (static_cast<zip_uint64_t>(got) < stat.size) {
        const zip_int64_t n = zip_fread(file, data.data() + got, stat.size - static_cast<zip_uint64_t>(got));
        if (n <= 0) break;
        got += n;
    }
    const bool complete = static_cast<zip_uint64_t>(got) == stat.size;
    std::string reason = complete ? "" : zip_file_strerror(file);
    zip_fclose(file);
    if (!complete) fail(name, "is damaged (" + reason + ")");
    return data;
}

} // namespace cadenzo::format::epub
