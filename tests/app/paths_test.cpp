#include "app/paths.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(Paths, FolderAndBaseNameFromWindowsAndPosixPaths) {
    const PathRules windows{'\\', true};
    const PathRules posix{'/', false};
    struct Case {
        const char* path;
        PathRules rules;
        const char *folder, *base;
    };
    const Case cases[] = {
        {"C:\\Apps\\Reader.exe", windows, "c:\\apps\\", "reader"},
        // The name is cut at the first dot of the file name, not of the whole path.
        {"C:\\My.Apps\\Reader.exe", windows, "c:\\my.apps\\", "reader"},
        {"c:\\books\\poems.toc", windows, "c:\\books\\", "poems"},
        {"c:\\my.books\\poems.toc", windows, "c:\\my.books\\", "poems"},
        {"/home/ann/.local/bin/cadenzo", posix, "/home/ann/.local/bin/", "cadenzo"},
        {"/opt/Cadenzo/Cadenzo.AppImage", posix, "/opt/Cadenzo/", "Cadenzo"},
        {"/books/Poems.v2.toc", posix, "/books/", "Poems"},
        {"mixed\\sep/file.lit", posix, "mixed\\sep/", "file"},
        {"noFolder", posix, "./", "noFolder"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FolderOf(c.path, c.rules), c.folder) << c.path;
        EXPECT_EQ(BaseNameOf(c.path, c.rules), c.base) << c.path;
    }
}

TEST(Paths, ComposedPathsLiveInTheDataFolderAndBesideTheProgram) {
    const PathRules windows{'\\', true};
    const ReaderPaths p = ComposePaths("C:\\Users\\ann\\AppData\\Quillo", "c:\\apps\\", "reader", windows);
    EXPECT_EQ(p.IniPath, "C:\\Users\\ann\\AppData\\Quillo\\reader.ini");
    EXPECT_EQ(p.BookmarkPath, "C:\\Users\\ann\\AppData\\Quillo\\reader.bm");
    EXPECT_EQ(p.TocPath, "c:\\apps\\reader.toc");
    EXPECT_EQ(p.IndexPath, "c:\\apps\\reader.lix");
    EXPECT_EQ(JoinPath("/data/", "x.ini", PathRules{}), "/data/x.ini");
}

} // namespace
} // namespace cadenzo
