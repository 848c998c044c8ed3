// The reader on Windows' own terms: paths with a drive letter and "\", the
// catalogue's folder and file names lower-cased (the file system ignores
// case), settings and bookmarks replaced over the old files.
#ifdef _WIN32

#include "app/ini_file.h"
#include "base/text.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace cadenzo {
namespace {

namespace fs = std::filesystem;
using test::ReaderRig;
using test::StoredBookText;

// Files named in UTF-8, as the reader names them (the test support's helpers
// take names in the ANSI code page).
void put(const std::string& path, const std::string& text) {
    fs::create_directories(fs::u8path(path).parent_path());
    std::ofstream(fs::u8path(path), std::ios::binary) << text;
}

std::string bytesOf(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::u8path(folder))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace(name.begin(), name.end());
    }
    return names;
}

TEST(WindowsReader, LowerCasedCatalogueFolderStillFindsItsFilesAcrossSessions) {
    struct Case {
        const char *folder, *toc, *book, *base, *data;
    };
    const Case cases[] = {
        {"My Books", "Reader.toc", "MyBook.lit", "reader", "Quillo"},
        // The base name ends at the first dot of the file name only.
        {"Old.Books\\Shelf", "POEMS.v2.TOC", "MYBOOK.LIT", "poems", "Quillo"},
        // UTF-8 folder names, as the Qt layer passes them.
        {"Zo\xC3\xAB's Books", "Reader.Toc", "mybook.lit", "reader", "Zo\xC3\xAB\\Quillo"},
    };
    for (const Case& c : cases) {
        ReaderRig rig;
        // The rig's folder as the Qt layer names folders on Windows.
        const std::string root = fs::path(rig.folder.path()).make_preferred().string();
        ASSERT_TRUE(root.size() > 3 && root[1] == ':' && root[2] == '\\') << root;
        const std::string folder = root + c.folder + "\\";
        put(folder + c.toc, "Shelf  <<0none\r\nMy Book<<1mybook\r\n");
        put(folder + c.book, StoredBookText(2, 12));
        rig.platform = Platform{root + "Program Files\\Cadenzo\\Cadenzo.exe", root + c.data, "", PathRules{'\\', true}};
        rig.window.setCapacity(10);
        const std::string data = root + c.data + "\\";

        auto session = [&](int fontSize) {
            rig.reset();
            rig.start();
            EXPECT_EQ(rig.reader->state().ProgramDir, asciiLower(root) + "program files\\cadenzo\\");
            rig.window.openAnswers.push_back(folder + c.toc);
            rig.reader->OpenTOCItemClick();
            EXPECT_EQ(rig.reader->state().ProgramDir, asciiLower(folder)) << c.folder;
            EXPECT_EQ(rig.reader->state().IniPath, data + c.base + ".ini");
            EXPECT_EQ(rig.reader->state().BookmarkPath, data + c.base + ".bm");
            EXPECT_EQ(rig.window.applicationTitle, "Shelf") << "catalogue not found at " << rig.reader->state().TocPath;
            rig.window.selectLine(1);
            rig.reader->TOCTreeViewClick();
            EXPECT_EQ(rig.reader->state().BookKey, "mybook")
                << "book not found at " << asciiLower(folder) << "mybook.lit";
            rig.reader->NextPage();
            rig.window.slider = fontSize;
            rig.reader->FormClose();
        };

        session(22);
        EXPECT_TRUE(rig.window.questions.empty()); // nothing to resume yet
        session(24);
        // The closing bookmark of the first session was read back and offered.
        ASSERT_EQ(rig.window.questions.size(), 1u) << c.folder;
        EXPECT_EQ(rig.window.questions[0].first, "Closed book at 08/12/2026 14:30:05");

        // Both files replaced whole, CR LF throughout, no temporary file left.
        const std::set<std::string> expected = {"cadenzo.ini", "cadenzo.bm", std::string(c.base) + ".ini",
                                                std::string(c.base) + ".bm"};
        EXPECT_EQ(namesIn(data), expected) << c.folder;
        const IniLines ini = *rig.files.readLines(data + c.base + ".ini");
        EXPECT_EQ(IniReadInteger(ini, "how", "fontsize", 0), 24);
        const std::string bookmarks = bytesOf(data + c.base + ".bm");
        EXPECT_EQ(count(bookmarks, "Closed book at"), 2) << bookmarks;
        for (const std::string& text : {bytesOf(data + c.base + ".ini"), bookmarks}) {
            EXPECT_EQ(count(text, "\n"), count(text, "\r\n")) << text;
            EXPECT_EQ(count(text, "\r\r"), 0) << text;
        }
    }
}

} // namespace
} // namespace cadenzo

#endif
