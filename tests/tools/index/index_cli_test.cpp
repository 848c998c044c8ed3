#include "index_cli.h"
#include "support/temp_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace cadenzo::index {
namespace {

using ::cadenzo::test::ReadFile;
using ::cadenzo::test::TempFolder;
using ::cadenzo::test::WriteFile;

const char* const kBook =
    "Tidal Type(R) book\r\nl00|b>Harbour Tales|n> \r\np000 \r\n"
    "l05The harbour woke \r\nl12before the gulls. \r\np999\r\n";

struct IndexRun {
    int code;
    std::string out, err;
};

IndexRun run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int code = runIndexer(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(IndexCommand, WritesTheIndexBesideTheBookOrWhereToldAndNeverOverTheBook) {
    const TempFolder folder;
    const std::string book = folder.path("tales.lit");
    WriteFile(book, kBook);

    IndexRun r = run({book});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string beside = ReadFile(folder.path("tales.lix"));
    EXPECT_NE(beside.find("harbour"), std::string::npos) << beside;
    EXPECT_NE(r.out.find("tales.lix"), std::string::npos);

    r = run({book, "-o", folder.path("other.idx")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadFile(folder.path("other.idx")), beside);

    // The guard: an index named like its book is refused, and the book stays.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{book, "-o", book}, std::vector<std::string>{folder.path("tales.lix")}}) {
        const std::string before = ReadFile(args[0]);
        if (args.size() == 1) WriteFile(folder.path("tales.lix"), before); // a book that ends in .lix
        r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_NE(r.err.find("would replace the book"), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(args[0]), before);
    }
}

TEST(IndexCommand, ReportsUnreadableEmptyOrUnwritableFilesAndUsageFaults) {
    const TempFolder folder;
    WriteFile(folder.path("empty.lit"), "");
    WriteFile(folder.path("book.lit"), kBook);
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{}, 2, "usage:"},
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"a.lit", "b.lit"}, 2, "one book at a time"},
        {{folder.path("missing.lit")}, 1, "cannot read"},
        {{folder.path("empty.lit")}, 1, "is empty"},
        {{folder.path("book.lit"), "-o", folder.path("no/such/folder/x.lix")}, 1, "cannot write"},
    };
    for (const Case& c : cases) {
        const IndexRun r = run(c.args);
        EXPECT_EQ(r.code, c.code) << c.message;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(indexBesideBook("dir.v2/book"), "dir.v2/book.lix");
    EXPECT_EQ(indexBesideBook("dir/book.lit"), "dir/book.lix");
}

} // namespace
} // namespace cadenzo::index
