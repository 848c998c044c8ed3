// What every fuzz target shares: the reader on the tests' fake window and
// surface, files kept in memory, and a way to read the input as numbers and
// lines.
#pragma once

#include "app/file_system.h"
#include "app/reader.h"
#include "app/window.h"
#include "base/errors.h"
#include "base/unicode.h"
#include "book/book_lines.h"
#include "book/markup.h"
#include "catalogue/catalogue.h"
#include "search/find.h"
#include "search/word_index.h"
#include "support/fake_window.h"
#include "support/reader_peer.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace cadenzo::fuzz {

// Stops the run on a broken promise, so the fuzzer reports it as a crash.
inline void Expect(bool condition) {
    if (!condition) __builtin_trap();
}

// Reads bytes from the fuzzer's input, front to back.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    int number(int low, int high) { return low + static_cast<int>(byte() % static_cast<unsigned>(high - low + 1)); }
    bool flag() { return byte() & 1; }
    std::string rest() {
        std::string out(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
        pos_ = size_;
        return out;
    }
    // The rest as lines: CR LF, LF or CR end a line.
    std::vector<std::string> lines() { return SplitLines(rest()); }
    // The rest as a book's line list.
    BookLineList bookLines() {
        const std::vector<std::string> text = lines();
        return BookLineList(text.begin(), text.end());
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Files in memory: nothing touches the disk while fuzzing.
class MemoryFileSystem : public FileSystem {
  public:
    std::map<std::string, std::vector<std::string>> files;
    bool failWrites = false;
    bool fileExists(const std::string& path) const override { return files.count(path) > 0; }
    bool folderExists(const std::string&) const override { return true; }
    bool createFolder(const std::string&) override { return true; }
    std::optional<std::vector<std::string>> readLines(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override {
        if (failWrites) return false;
        files[path] = lines;
        return true;
    }
};

using FakeWindow = test::FakeWindow;

// A reader started on the fake window with its files in memory.
struct ReaderRig {
    FakeWindow window;
    MemoryFileSystem files;
    std::unique_ptr<Reader> reader;

    explicit ReaderRig(std::string commandLineBook = {}) {
        Platform p;
        p.programPath = "/mem/app/reader";
        p.dataFolder = "/mem/data";
        p.commandLineBook = std::move(commandLineBook);
        reader = std::make_unique<Reader>(window, files, p);
    }
    // Runs a handler as the window does: a runtime error ends it, nothing else may.
    template <typename F> void run(F&& handler) {
        try {
            handler();
        } catch (const ReaderError&) {}
    }
    void start() {
        run([&] { reader->FormCreate(); });
        run([&] { reader->FormActivate(); });
    }
};

// Every phrase line of a laid-out book (stored form, banner first) holds at
// most 40 characters of text; only an anchor line may be longer.
inline void ExpectPhrasesFit(const std::vector<std::string>& book) {
    for (std::size_t i = 1; i < book.size(); ++i) {
        const std::string& line = book[i];
        if (line.empty() || line[0] != 'l') continue;
        std::string text = RemoveTagsAsThreeChars(line.substr(3));
        while (!text.empty() && text.back() == ' ') text.pop_back();
        Expect(text::characterCount(text) <= 40 || line.rfind("l00|refpt", 0) == 0);
    }
}

} // namespace cadenzo::fuzz
