// Runtime errors that end the handler in which they arise. The window shows
// their text in the standard error box and the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace cadenzo {

class ReaderError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value"
class ConversionError : public ReaderError {
  public:
    explicit ConversionError(const std::string& text) : ReaderError("'" + text + "' is not a valid integer value") {}
};

// "Cannot create file %s"
class CreateFileError : public ReaderError {
  public:
    explicit CreateFileError(const std::string& path) : ReaderError("Cannot create file " + path) {}
};

// "Unable to write to %s"
class WriteSettingsError : public ReaderError {
  public:
    explicit WriteSettingsError(const std::string& path) : ReaderError("Unable to write to " + path) {}
};

// "List index out of bounds (%d)": a position read from data that names no
// item of the list.
class ListIndexError : public ReaderError {
  public:
    explicit ListIndexError(long long index)
        : ReaderError("List index out of bounds (" + std::to_string(index) + ")") {}
};

} // namespace cadenzo
