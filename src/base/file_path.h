// File names are UTF-8 strings everywhere in Cadenzo, as the text they may be
// built from (a catalogue key, a book's file name) is. These convert them to
// and from the platform's paths: on Windows the system takes wide characters,
// and a narrow name would be read in the local code page instead.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace cadenzo {

// The path a UTF-8 name names; none for a name that is not valid UTF-8 where
// the platform converts names (Windows): such a file cannot exist there.
std::optional<std::filesystem::path> pathFromUtf8(const std::string& name);

// A path's name as UTF-8.
std::string utf8FromPath(const std::filesystem::path& path);

// A file opened with the C library, closed when it goes. The reader's files
// are read and written whole, so the C++ streams, whose first use fills the
// standard library's locale tables (a quarter of a megabyte and more in
// memory), are never needed.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OpenFile = std::unique_ptr<std::FILE, FileCloser>;

enum class FileMode { Read, Write };
// The file at `path` opened as bytes; null when it cannot be.
OpenFile openFile(const std::filesystem::path& path, FileMode mode);

enum class ReadFailure { CannotOpen, CannotRead, TooLarge };
// The bytes of the file at `path`, read straight into a string of the file's
// size; none, and `failure` says why, when it cannot be opened or read or
// holds more than `limit` bytes.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t limit,
                                         ReadFailure* failure = nullptr);

} // namespace cadenzo
