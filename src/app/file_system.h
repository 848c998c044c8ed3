// The file operations the reader needs, behind an interface so that tests can
// make them fail where a real machine cannot be made to.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool fileExists(const std::string& path) const = 0;
    virtual bool folderExists(const std::string& path) const = 0;
    // Creates the folder (and missing parents); false when it cannot.
    virtual bool createFolder(const std::string& path) = 0;
    // The file's lines (CR LF, LF or CR end a line); nothing when unreadable.
    virtual std::optional<std::vector<std::string>> readLines(const std::string& path) const = 0;
    // The file's bytes, for a book read whole; nothing when unreadable. By
    // default its lines, each ended by CR LF.
    virtual std::optional<std::string> readText(const std::string& path) const;
    // Replaces the file whole, every line ended by CR LF, through a temporary
    // file in the same folder, so a failure leaves the old file intact.
    // False when the file could not be written.
    virtual bool writeLines(const std::string& path, const std::vector<std::string>& lines) = 0;
};

// Splits text into lines at CR LF, LF or CR; a final line ending adds no empty
// line. The views are of `text`.
std::vector<std::string_view> SplitLineViews(std::string_view text);
std::vector<std::string> SplitLines(const std::string& text);

class RealFileSystem : public FileSystem {
  public:
    bool fileExists(const std::string& path) const override;
    bool folderExists(const std::string& path) const override;
    bool createFolder(const std::string& path) override;
    std::optional<std::vector<std::string>> readLines(const std::string& path) const override;
    std::optional<std::string> readText(const std::string& path) const override;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override;
};

} // namespace cadenzo
