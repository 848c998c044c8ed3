// A Reader on the fake window, with its data folder and program folder in a
// fresh temporary folder.
#pragma once

#include "app/reader.h"
#include "support/fake_window.h"
#include "support/reader_peer.h"

#include <memory>
#include <set>

namespace cadenzo::test {

// The real file system, whose writes can be made to fail for chosen paths, as
// a full disk or a read-only file would.
class FaultyFileSystem : public RealFileSystem {
  public:
    std::set<std::string> failWrites;
    bool writeLines(const std::string& path, const std::vector<std::string>& lines) override {
        return failWrites.count(path) == 0 && RealFileSystem::writeLines(path, lines);
    }
};

struct ReaderRig {
    TempFolder folder;
    FakeWindow window;
    FaultyFileSystem files;
    Platform platform;
    std::unique_ptr<Reader> reader;

    ReaderRig() {
        platform.programPath = folder.path("app/Reader.exe");
        platform.dataFolder = folder.path("data");
        platform.rules = PathRules{'/', false};
        reset();
    }

    // A new reader on the same window and folders, as at the next start.
    void reset() { reader = std::make_unique<Reader>(window, files, platform); }

    // Start-up as the window does it: creation, then activation.
    Reader& start() {
        reader->FormCreate();
        reader->FormActivate();
        return *reader;
    }

    // Puts a prepared book of lines into BookLines and shows it from line 0.
    void open(BookLineList lines) { ReaderPeer::open(*reader, std::move(lines)); }
    // Draws the page from `line`, as a find hit, an index entry or a bookmark does.
    void showPageFrom(int line) { ReaderPeer::showPageFrom(*reader, line); }
    // The word-index file the open book would have.
    void setIndexPath(std::string path) { ReaderPeer::setIndexPath(*reader, std::move(path)); }
};

} // namespace cadenzo::test
