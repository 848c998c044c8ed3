// A Reader on the fake window, with its data folder and program folder in a
// fresh temporary folder.
#pragma once

#include "app/reader.h"
#include "support/fake_window.h"

#include <memory>

namespace cadenzo::test {

struct ReaderRig {
    TempFolder folder;
    FakeWindow window;
    RealFileSystem files;
    std::unique_ptr<Reader> reader;

    explicit ReaderRig(const std::string& programName = "Reader.exe") { reset(programName); }

    void reset(const std::string& programName = "Reader.exe") {
        Platform platform;
        platform.programPath = folder.path("app/" + programName);
        platform.dataFolder = folder.path("data");
        platform.rules = PathRules{'/', false};
        reader = std::make_unique<Reader>(window, files, platform);
    }

    // Start-up as the window does it: creation, then activation.
    Reader& start() {
        reader->FormCreate();
        reader->FormActivate();
        return *reader;
    }

    // Puts a prepared book of lines into BookLines and shows it from line 0.
    void open(BookLineList lines) {
        reader->BookLines = std::move(lines);
        reader->NextPageStart = reader->ShowPage(0);
    }
};

} // namespace cadenzo::test
