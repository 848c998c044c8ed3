// Files for tests: a fresh folder of one test's own, and whole-file reading
// and writing. Shared by the reader's, the formatter's and the index
// builder's tests.
#pragma once

#include <filesystem>
#include <string>

namespace cadenzo::test {

// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
// Writes the file whole, making its folder when missing.
void WriteFile(const std::string& path, const std::string& text);

// A fresh, empty folder for one test, with a name no other test or run
// shares, removed afterwards.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder ending in "/" without a name, else the path of `name` in it.
    std::string path(const std::string& name = "") const;
    const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

} // namespace cadenzo::test
