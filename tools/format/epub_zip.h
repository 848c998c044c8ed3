// The zip container of an EPUB book, read from memory through libzip, with
// limits on what it may unpack so that a crafted archive cannot make the
// reader unpack gigabytes.
#pragma once

#include <zip.h>

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

  private:
    zip_t* archive_ = nullptr;
    zip_uint64_t total_ = 0;
};

} // namespace cadenzo::format::epub
