#include "base/unicode.h"

#include <gtest/gtest.h>

namespace cadenzo::text {
namespace {

TEST(Unicode, ValidityRejectsEveryIllFormedShape) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII"));
    EXPECT_TRUE(isValidUtf8("caf\xC3\xA9 \xE2\x80\x9Cq\xE2\x80\x9D \xF0\x9F\x93\x96"));
    for (const char* bad : {"\x80", "caf\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                            "\xF8\x88\x80\x80\x80", "\xE2\x80", "\xFF"})
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    // Windows-1252 text whose bytes happen to look like UTF-8 lead bytes.
    EXPECT_FALSE(isValidUtf8("na\xEFve caf\xE9"));
}

TEST(Unicode, FileTextDropsTheBomAndConvertsWindows1252) {
    Encoding enc{};
    EXPECT_EQ(decodeFileText("\xEF\xBB\xBFKeeper\xE2\x80\x99s", &enc), "Keeper\xE2\x80\x99s");
    EXPECT_EQ(enc, Encoding::Utf8);
    EXPECT_EQ(decodeFileText("Keeper\x92s caf\xE9 \x81", &enc), "Keeper\xE2\x80\x99s caf\xC3\xA9 \xC2\x81");
    EXPECT_EQ(enc, Encoding::Windows1252);
    // Every Windows-1252 byte survives the round trip, undefined ones included.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82\xAC \xE4\xB8\xAD"), std::nullopt); // no byte for the CJK one
}

TEST(Unicode, Windows1252BytesBecomeTheirCharacters) {
    // The code page's own characters in 0x80..0x9F, the five bytes it leaves
    // undefined (kept as C1 controls), and the Latin-1 half.
    const std::pair<const char*, const char*> cases[] = {
        {"\x80", "\xE2\x82\xAC"},
        {"\x85", "\xE2\x80\xA6"},
        {"\x8A", "\xC5\xA0"},
        {"\x91\x92", "\xE2\x80\x98\xE2\x80\x99"},
        {"\x93\x94", "\xE2\x80\x9C\xE2\x80\x9D"},
        {"\x96\x97", "\xE2\x80\x93\xE2\x80\x94"},
        {"\x99", "\xE2\x84\xA2"},
        {"\x9F", "\xC5\xB8"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
        {"plain ASCII", "plain ASCII"},
        {"", ""},
    };
    for (const auto& [bytes, utf8] : cases) EXPECT_EQ(windows1252ToUtf8(bytes), utf8) << bytes;
    EXPECT_EQ(windows1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Unicode, WalkingCharactersNeverSplitsOrOverruns) {
    const std::string s = "a\xC3\xA9\xE2\x80\x94\xF0\x9F\x93\x96\xFF";
    EXPECT_EQ(characterCount(s), 5u);
    EXPECT_EQ(bytesOfCharacters(s, 2), 3u);
    EXPECT_EQ(bytesOfCharacters(s, 3), 6u);
    EXPECT_EQ(bytesOfCharacters(s, 99), s.size());
    EXPECT_EQ(characterStart(s, 2), 1u);   // inside é
    EXPECT_EQ(characterStart(s, 5), 3u);   // inside the dash
    EXPECT_EQ(characterStart(s, 9), 6u);   // inside the book emoji
    EXPECT_EQ(characterStart(s, 10), 10u); // a stray byte is its own character
    EXPECT_EQ(decodeAt(s, 10).value, U'\uFFFD');
    EXPECT_EQ(decodeAt(s, 10).length, 1u);
    EXPECT_EQ(decodeAt(s, s.size()).length, 0u);
}

TEST(Unicode, LettersAndCaseCoverAccentedText) {
    EXPECT_TRUE(isLetter(U'\u00E9'));
    EXPECT_TRUE(isLetter(U'\u0416'));
    EXPECT_FALSE(isLetter(U'\u2019'));
    EXPECT_FALSE(isWordCharacter(U'\u2014'));
    EXPECT_TRUE(isWordCharacter(U'7'));
    EXPECT_TRUE(isUpperCase(U'\u00C9'));
    EXPECT_EQ(lowerCase(U'\u00C9'), U'\u00E9');
    EXPECT_EQ(upperCase(U'\u00E9'), U'\u00C9');
    EXPECT_EQ(toLower("CAF\xC3\x89 \xD0\x96 \xFF"), "caf\xC3\xA9 \xD0\xB6 \xFF");
}

// A file read line by line is decoded as a whole: one byte that is no UTF-8
// anywhere makes every line Windows-1252; the BOM goes only from the start.
TEST(Unicode, FileLinesAreDecodedAsOneFile) {
    struct Case {
        std::vector<std::string> lines, decoded;
        Encoding encoding;
    };
    const Case cases[] = {
        {{"\xEF\xBB\xBF"
          "caf\xC3\xA9",
          "\xEF\xBB\xBFx"},
         {"caf\xC3\xA9", "\xEF\xBB\xBFx"},
         Encoding::Utf8},
        // Windows-1252 bytes that happen to form UTF-8 ("Ã©") are read as UTF-8...
        {{"\xC3\xA9t\xC3\xA9"}, {"\xC3\xA9t\xC3\xA9"}, Encoding::Utf8},
        // ...unless another line shows the file is not UTF-8.
        {{"\xC3\xA9t\xC3\xA9", "caf\xE9"}, {"\xC3\x83\xC2\xA9t\xC3\x83\xC2\xA9", "caf\xC3\xA9"}, Encoding::Windows1252},
        // A character cut by the end of its line is no UTF-8.
        {{"caf\xC3", "\xA9"}, {"caf\xC3\x83", "\xC2\xA9"}, Encoding::Windows1252},
        {{"\xEF\xBB\xBF\x93quoted\x94"}, {"\xE2\x80\x9Cquoted\xE2\x80\x9D"}, Encoding::Windows1252},
        {{}, {}, Encoding::Utf8},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = c.lines;
        EXPECT_EQ(decodeFileLines(lines), c.encoding);
        EXPECT_EQ(lines, c.decoded);
    }
}

TEST(Unicode, BaseLettersDropAccentsOnly) {
    const std::pair<char32_t, char32_t> cases[] = {{U'\u00E9', U'e'},      {U'\u00C5', U'A'}, {U'\u00F8', U'\u00F8'},
                                                   {U'\u00DF', U'\u00DF'}, {U'z', U'z'},      {U'\u0419', U'\u0418'},
                                                   {U'\u2019', U'\u2019'}, {0xD800, 0xD800}};
    for (const auto& [c, base] : cases) EXPECT_EQ(baseLetter(c), base) << static_cast<unsigned>(c);
}

} // namespace
} // namespace cadenzo::text
