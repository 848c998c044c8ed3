#include "app/file_system.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace cadenzo {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

long entriesIn(const TempFolder& folder) {
    return static_cast<long>(std::distance(fs::directory_iterator(folder.path()), {}));
}

// Settings and bookmark files are rewritten whole over the old one. On Windows
// a plain rename refuses to replace an existing file, and a text-mode stream
// turns each CR LF into CR CR LF.
TEST(FileSystem, ReplacesAnExistingFileWholeWithCrLfLines) {
    struct Case {
        const char* old;
        std::vector<std::string> lines;
        const char* written;
    };
    const Case cases[] = {
        {"one\r\ntwo\r\nthree, a longer old file\r\n", {"x"}, "x\r\n"},
        {"lf\nends\n", {"", "[how]", "fontsize=22", ""}, "\r\n[how]\r\nfontsize=22\r\n\r\n"},
        {"old", {}, ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string path = folder.path("Reader.ini");
        WriteFile(path, c.old);
        RealFileSystem files;
        ASSERT_TRUE(files.writeLines(path, c.lines)) << c.old;
        EXPECT_EQ(ReadFile(path), c.written);
        EXPECT_EQ(entriesIn(folder), 1) << "the temporary file is left behind";
    }
}

// On Windows a text-mode stream also ends the file at a Ctrl-Z byte.
TEST(FileSystem, ReadsEveryByteWhateverEndsTheLines) {
    struct Case {
        const char* bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"before\x1A"
         "after\r\nlast",
         {"before\x1A"
          "after",
          "last"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        WriteFile(folder.path("book.lit"), c.bytes);
        EXPECT_EQ(RealFileSystem().readLines(folder.path("book.lit")), c.lines) << c.bytes;
    }
    // A book is read in pieces: one longer than several of them comes whole.
    std::string big;
    for (int i = 0; big.size() < 3 * 65536 + 1; ++i) big += "line " + std::to_string(i) + "\r\n";
    TempFolder folder;
    WriteFile(folder.path("big.lit"), big);
    EXPECT_EQ(RealFileSystem().readText(folder.path("big.lit")), big);
}

// Paths are UTF-8, as the Qt layer passes them; on Windows they must not be
// taken in the ANSI code page.
TEST(FileSystem, NonAsciiFileNamesAreUtf8) {
    const char* const names[] = {"Zo\xC3\xAB.ini", "\xE6\x9B\xB8.bm", "plain.ini"};
    for (const char* name : names) {
        TempFolder folder;
        const std::string path = folder.path() + name; // no conversion on the way
        RealFileSystem files;
        ASSERT_TRUE(files.writeLines(path, {"x"})) << name;
        EXPECT_TRUE(files.fileExists(path));
        EXPECT_EQ(files.readLines(path), (std::vector<std::string>{"x"}));
        ASSERT_EQ(entriesIn(folder), 1);
        const std::u8string listed = fs::directory_iterator(folder.path())->path().filename().u8string();
        EXPECT_EQ(std::string(listed.begin(), listed.end()), name);
    }
    // A name from a book's Windows-1252 text: on Windows it cannot name a
    // file, and nothing throws; elsewhere the bytes are the name.
    TempFolder folder;
    const std::string path = folder.path() + "caf\xE9.bmp";
    RealFileSystem files;
    const bool written = files.writeLines(path, {"x"});
    EXPECT_EQ(files.fileExists(path), written);
    EXPECT_EQ(files.readLines(path).has_value(), written);
    EXPECT_EQ(files.createFolder(path + "d"), written);
}

} // namespace
} // namespace cadenzo
