#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

namespace cadenzo {
namespace {

TEST(BuiltInCatalogue, LinesAreExactToTheColumn) {
    const CatalogueLineList lines = BuiltInCatalogue();
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[0], "Brightshelf  <<0none");
    EXPECT_EQ(lines[1], "Listed by Title       <<1title");
    EXPECT_EQ(lines[2].find("<<"), 64u); // "<<" begins at the 65th character
    EXPECT_EQ(lines[2].substr(64), "<<2vesta");
    EXPECT_EQ(lines[3], "I<<3vesta@refpt001");
    EXPECT_EQ(lines[14], "XII<<3vesta@refpt012");
    EXPECT_EQ(lines[15].substr(0, 16), "Listed by Author");
    EXPECT_EQ(lines[15].substr(64), "<<1author");
    EXPECT_EQ(lines[16].substr(64), "<<2aut");
    EXPECT_EQ(lines[17].substr(64), "<<3vesta");
    EXPECT_EQ(lines[18], "I<<4vesta@refpt001");
    EXPECT_EQ(lines[29], "XII<<4vesta@refpt012");
    EXPECT_EQ(lines[30], "(END)" + std::string(60, ' '));
}

TEST(BuiltInCatalogue, TreeNumbersEqualLineNumbers) {
    const CatalogueLineList lines = BuiltInCatalogue();
    const CatalogueTree tree = BuildCatalogueTree(lines);
    ASSERT_EQ(tree.size(), 30u); // the end line makes no node
    for (const CatalogueNode& node : tree) EXPECT_EQ(node.number, node.line);
    EXPECT_EQ(tree[0].parent, -1);
    EXPECT_EQ(tree[1].parent, 0);
    EXPECT_EQ(tree[5].parent, 2);  // chapter III under the title
    EXPECT_EQ(tree[15].parent, 0); // "Listed by Author"
    EXPECT_EQ(tree[20].parent, 17);
    EXPECT_EQ(tree[15].text, "Listed by Author" + std::string(48, ' ')); // display text untrimmed
}

TEST(CatalogueTree, LevelRules) {
    struct Case {
        CatalogueLineList lines;
        std::vector<int> parents; // by line
        std::vector<int> numbers;
    };
    const Case cases[] = {
        // Level 7 with no depth-5 node yet: top level.
        {{"A<<0a", "B<<7b"}, {-1, -1}, {0, 1}},
        // Levels 6, 9, a letter and an empty level hang under the last depth-5 node.
        {{"A<<0", "B<<1", "C<<2", "D<<3", "E<<4", "F<<5", "G<<6", "H<<9", "I<<x", "J<<"},
         {-1, 0, 1, 2, 3, 4, 5, 5, 5, 5},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        // A level-2 line right after a level-0 line goes under the last level-1
        // node met before: pre-order no longer follows the lines.
        {{"A<<0", "B<<1", "C<<0", "D<<2"}, {-1, 0, -1, 1}, {0, 1, 3, 2}},
        // A level-1 line with no level-0 line before it is a top-level node.
        {{"A<<1", "B<<2"}, {-1, 0}, {0, 1}},
    };
    for (const Case& c : cases) {
        const CatalogueTree tree = BuildCatalogueTree(c.lines);
        ASSERT_EQ(tree.size(), c.parents.size());
        for (std::size_t i = 0; i < tree.size(); ++i) {
            EXPECT_EQ(tree[i].parent, c.parents[i]) << c.lines[i];
            EXPECT_EQ(tree[i].number, c.numbers[i]) << c.lines[i];
        }
    }
}

TEST(CatalogueLines, EntryTextTitlesAndSeeding) {
    EXPECT_EQ(EntryText("I<<3vesta@refpt001"), "vesta@refpt001");
    EXPECT_EQ(EntryText("Penwright   <<2 aut  "), "aut");
    EXPECT_EQ(EntryText("Ends here<<"), "");
    EXPECT_EQ(EntryText("no separator"), "");
    EXPECT_EQ(DisplayText("Listed  <<1title"), "Listed  ");

    const CatalogueLineList lines = BuiltInCatalogue();
    EXPECT_EQ(TitleLineOf(lines, 7), 2u);
    EXPECT_EQ(TitleLineOf(lines, 25), 17u);
    EXPECT_EQ(TitleLineOf(lines, 16), 16u);
    EXPECT_EQ(SeedBookmarkLines(lines),
              (std::vector<std::string>{"<<none", "<<title", "<<vesta", "<<author", "<<aut", "<<vesta"}));
}

TEST(CatalogueLines, FileLinesWithoutSeparatorAreDropped) {
    const CatalogueLineList lines =
        CatalogueFromFileLines({"Poems  <<0poems", "", "; a note", "Autumn<<1autumn", "(END)"});
    EXPECT_EQ(lines, (CatalogueLineList{"Poems  <<0poems", "Autumn<<1autumn", CatalogueEndLine()}));
}

} // namespace
} // namespace cadenzo
