// The zip container of an EPUB book, read from memory through minizip (zlib's
// own zip reader), with limits on what it may unpack so that a crafted
// archive cannot make the reader unpack gigabytes.
#pragma once

#include <unzip.h>

#include <map>
#include <string>
#include <string_view>

namespace cadenzo::format::epub {

class ZipArchive {
  public:
    // Throws FormatError when the bytes are no readable zip archive.
    explicit ZipArchive(std::string_view bytes);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool has(const std::string& name) const;

    // The entry's bytes; throws FormatError naming the entry when it is
    // missing, encrypted, too large or damaged.
    std::string read(const std::string& name);

    // The archive's bytes as minizip reads them.
    struct Stream {
        std::string_view bytes;
        ZPOS64_T at = 0;
    };

  private:
    Stream stream_;
    unzFile zip_ = nullptr;
    std::map<std::string, unz64_file_pos, std::less<>> entries_; // where each entry's header is
    ZPOS64_T total_ = 0;
};

} // namespace cadenzo::format::epub
