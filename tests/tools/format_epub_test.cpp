// EPUB books built here with libzip: EPUB 3 with a navigation document, EPUB 2
// with an NCX, a book with only headings, and broken, locked and foreign zips.
#include "book_file.h"
#include "format_book_lines.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace cadenzo::format::test {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The entries as a zip archive's bytes ("mimetype" first, as EPUB wants);
// the entry named `locked` is encrypted with a password.
std::string zipped(const Entries& entries, const std::string& locked = "") {
    const auto path = std::filesystem::temp_directory_path() / ("cadenzo_epub_" + std::to_string(::getpid()) + ".zip");
    int error = 0;
    zip_t* archive = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr) throw std::runtime_error("cannot create a test zip");
    for (const auto& [name, data] : entries) {
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        const zip_int64_t added = source ? zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE) : -1;
        if (added < 0 || (name == locked && zip_file_set_encryption(archive, static_cast<zip_uint64_t>(added),
                                                                    ZIP_EM_TRAD_PKWARE, "secret") != 0))
            throw std::runtime_error("cannot add " + name);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("cannot write the test zip");
    std::string bytes = ReadFile(path.string());
    std::filesystem::remove(path);
    return bytes;
}

const std::string kContainer =
    R"(<?xml version="1.0"?><container version="1.0" xmlns="urn:oasis:names:tc:opendocument:xmlns:container">)"
    R"(<rootfiles><rootfile full-path="OEBPS/content.opf" media-type="application/oebps-package+xml"/>)"
    R"(</rootfiles></container>)";

std::string opf(const std::string& manifest, const std::string& spine, const std::string& toc = "") {
    return R"(<?xml version="1.0" encoding="UTF-8"?>)"
           R"(<package xmlns="http://www.idpf.org/2007/opf" version="3.0" unique-identifier="id">)"
           R"(<metadata xmlns:dc="http://purl.org/dc/elements/1.1/"><dc:title>The Salt Road</dc:title>)"
           R"(<dc:creator>Anna Vell</dc:creator><dc:date>2011-05-01</dc:date></metadata><manifest>)" +
           manifest + "</manifest><spine" + (toc.empty() ? "" : " toc=\"" + toc + "\"") + ">" + spine +
           "</spine></package>";
}

std::string xhtml(const std::string& body) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><html xmlns="http://www.w3.org/1999/xhtml" )"
           R"(xmlns:epub="http://www.idpf.org/2007/ops"><head><title>x</title>)"
           R"(<style>p { color: red }</style><script>alert("no")</script></head><body>)" +
           body + "</body></html>";
}

const std::string kChapterOne =
    xhtml(R"(<h1>Chapter One: The Storm</h1><p>The wind rose&#160;before dawn&nbsp;&amp; the sea )"
          R"(<em>turned</em> grey.<sup><a epub:type="noteref" href="#n1">1</a></sup> It was )"
          R"(Mara&#8217;s boat.</p><img src="a.png" alt="a picture"/><div><p>By noon &#8220;the boats)"
          R"(&#8221; were in.</p></div><aside epub:type="footnote" id="n1"><p>A note.</p></aside>)");
const std::string kChapterTwo =
    xhtml(R"(<p>Still the storm.</p><h2 id="c2">Chapter Two</h2><p>The calm came after.<br/>Grey )"
          R"(and long.</p><script>var hidden = "no";</script>)");
const std::string kWords =
    "The wind rose before dawn & the sea turned grey. It was Mara\u2019s boat. By noon "
    "\u201Cthe boats\u201D were in. Still the storm. The calm came after. Grey and long.";

Entries epub3() {
    return {{"mimetype", "application/epub+zip"},
            {"META-INF/container.xml", kContainer},
            {"OEBPS/content.opf",
             opf(R"(<item id="nav" href="nav.xhtml" media-type="application/xhtml+xml" properties="nav"/>)"
                 R"(<item id="ch1" href="text/ch1.xhtml" media-type="application/xhtml+xml"/>)"
                 R"(<item id="ch2" href="text/ch%202.xhtml" media-type="application/xhtml+xml"/>)"
                 R"(<item id="css" href="style.css" media-type="text/css"/>)",
                 R"(<itemref idref="ch1"/><itemref idref="ch2"/>)")},
            {"OEBPS/nav.xhtml",
             xhtml(R"(<nav epub:type="toc"><ol><li><a href="text/ch1.xhtml">Chapter One: The Storm</a></li>)"
                   R"(<li><a href="text/ch%202.xhtml#c2">Chapter Two</a></li></ol></nav>)")},
            {"OEBPS/text/ch1.xhtml", kChapterOne},
            {"OEBPS/text/ch 2.xhtml", kChapterTwo},
            {"OEBPS/style.css", "p { margin: 0 }"}};
}

std::string sentenceText(const LaidOutBook& book) {
    std::string all;
    for (const std::string& word : sentenceWords(book.lines)) all += (all.empty() ? "" : " ") + word;
    return all;
}

std::vector<std::string> captions(const LaidOutBook& book) {
    std::vector<std::string> out;
    for (const LaidOutChapter& c : book.chapters) out.push_back(c.caption);
    return out;
}

TEST(EpubBooks, ReadsEpub3ByItsNavigationDocument) {
    const LaidOutBook book = layOutBook(zipped(epub3()), "salt.epub");
    EXPECT_EQ(book.kind, BookKind::Epub);
    EXPECT_EQ(book.title, "The Salt Road");
    EXPECT_EQ(book.author, "Anna Vell");
    EXPECT_EQ(book.year, "2011");
    EXPECT_EQ(captions(book), (std::vector<std::string>{"Chapter One: The Storm", "Chapter Two"}));
    // Paragraphs in reading order; the heading the contents name, the script,
    // style, picture and note left out; entities decoded.
    EXPECT_EQ(sentenceText(book), kWords);
    const auto problems = ruleProblems(book.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(EpubBooks, ReadsEpub2ByItsNcxAndOthersByTheirHeadings) {
    Entries epub2 = epub3();
    epub2[2].second = opf(R"(<item id="ncx" href="toc.ncx" media-type="application/x-dtbncx+xml"/>)"
                          R"(<item id="ch1" href="text/ch1.xhtml" media-type="application/xhtml+xml"/>)"
                          R"(<item id="ch2" href="text/ch%202.xhtml" media-type="application/xhtml+xml"/>)",
                          R"(<itemref idref="ch1"/><itemref idref="ch2"/>)", "ncx");
    epub2[3] = {"OEBPS/toc.ncx",
                R"(<?xml version="1.0"?><ncx xmlns="http://www.daisy.org/z3986/2005/ncx/"><navMap>)"
                R"(<navPoint id="a"><navLabel><text>I. The Storm</text></navLabel><content src="text/ch1.xhtml"/>)"
                R"(</navPoint><navPoint id="b"><navLabel><text>II. The Calm</text></navLabel>)"
                R"(<content src="text/ch%202.xhtml#c2"/></navPoint></navMap></ncx>)"};
    const LaidOutBook two = layOutBook(zipped(epub2), "salt.epub");
    EXPECT_EQ(captions(two), (std::vector<std::string>{"I. The Storm", "II. The Calm"}));
    // The document's own headings stay where the contents name the chapter otherwise.
    EXPECT_NE(sentenceText(two).find("Chapter One: The Storm"), std::string::npos);

    Entries headings = epub2;
    headings[3].second = "<ncx/>";
    const LaidOutBook three = layOutBook(zipped(headings), "salt.epub");
    EXPECT_EQ(captions(three), (std::vector<std::string>{"Chapter One: The Storm"}));
    // The h2 is below the top level, h1, so it stays a line of text.
    std::string words = kWords;
    words.insert(words.find(" The calm"), " Chapter Two");
    EXPECT_EQ(sentenceText(three), words);
    const auto problems = ruleProblems(three.lines);
    EXPECT_TRUE(problems.empty()) << problems.front();
}

TEST(EpubBooks, ReadsDocumentTypesAndWindows1252WithoutFetchingAnything) {
    Entries book = epub3();
    // XHTML 1.1 with its document type, which is never fetched; undeclared
    // entities are kept as written and decoded, CDATA is text, and an
    // external entity is read as nothing.
    const std::string hostFile = (std::filesystem::temp_directory_path() / "cadenzo_epub_secret.txt").string();
    { std::ofstream(hostFile) << "SECRET"; }
    book[4].second = R"(<?xml version="1.0" encoding="UTF-8"?><!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.1//EN" )"
                     R"("http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd" [<!ENTITY host SYSTEM "file://)" +
                     hostFile +
                     R"(">]><html xmlns="http://www.w3.org/1999/xhtml"><body><h1>Chapter One: The Storm</h1>)"
                     R"(<p>Wind&mdash;rain&hellip; <![CDATA[salt & spray]]>&host; end.</p></body></html>)";
    // Windows-1252 as declared: e acute and curly quotes.
    book[5].second =
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><html><body><h2 id=\"c2\">Chapter Two</h2>"
        "<p>The caf\xE9 said \x93yes.\x94</p></body></html>";
    const LaidOutBook laidOut = layOutBook(zipped(book), "salt.epub");
    std::filesystem::remove(hostFile);
    EXPECT_EQ(sentenceText(laidOut), "Wind\u2014rain\u2026 salt & spray end. The caf\u00E9 said \u201Cyes.\u201D");
    EXPECT_EQ(captions(laidOut), (std::vector<std::string>{"Chapter One: The Storm", "Chapter Two"}));

    // Another encoding expat cannot read is refused by name, not garbled.
    book[5].second = R"(<?xml version="1.0" encoding="koi8-r"?><html><body><p>x</p></body></html>)";
    try {
        layOutBook(zipped(book), "salt.epub");
        ADD_FAILURE() << "laid out";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("entry OEBPS/text/ch 2.xhtml: is not well-formed XHTML (unknown encoding"),
                  std::string::npos)
            << e.what();
    }
}

TEST(EpubBooks, RefusesBrokenLockedAndForeignZipsNamingEntryAndReason) {
    auto without = [](Entries e, const std::string& name) {
        std::erase_if(e, [&](const auto& entry) { return entry.first == name; });
        return e;
    };
    auto with = [](Entries e, const std::string& name, const std::string& data) {
        e.emplace_back(name, data);
        return e;
    };
    auto replaced = [](Entries e, const std::string& name, const std::string& data) {
        for (auto& entry : e)
            if (entry.first == name) entry.second = data;
        return e;
    };
    // A byte of the entry's data changed, past its local header.
    const auto damaged = [](std::string bytes, const std::string& name) {
        const std::size_t data = bytes.find(name) + name.size() + 8;
        bytes.at(data) = static_cast<char>(bytes.at(data) ^ 0x55);
        return bytes;
    };
    const std::string aes =
        R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container" )"
        R"(xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData><enc:EncryptionMethod )"
        R"(Algorithm="http://www.w3.org/2001/04/xmlenc#aes128-cbc"/><enc:CipherData><enc:CipherReference )"
        R"(URI="OEBPS/text/ch1.xhtml"/></enc:CipherData></enc:EncryptedData></encryption>)";
    const struct {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"not a zip", "Chapter 1\n\nA plain text named .epub.\n", "b.epub: not a zip archive"},
        {"damaged zip", zipped(epub3()).substr(0, 300), "b.epub: not a readable zip archive"},
        {"foreign zip", zipped({{"notes.txt", "hello"}}),
         "b.epub: entry META-INF/container.xml: missing: the zip archive is no EPUB"},
        {"other mimetype", zipped(replaced(epub3(), "mimetype", "application/vnd.oasis.opendocument.text")),
         "b.epub: entry mimetype: says 'application/vnd.oasis.opendocument.text'"},
        {"no container", zipped(without(epub3(), "META-INF/container.xml")),
         "entry META-INF/container.xml: missing: the book does not say"},
        {"no package file", zipped(without(epub3(), "OEBPS/content.opf")), "entry OEBPS/content.opf: missing"},
        {"spine item not in manifest",
         zipped(replaced(epub3(), "OEBPS/content.opf", opf("", R"(<itemref idref="ch9"/>)"))),
         "entry OEBPS/content.opf: the spine names 'ch9'"},
        {"spine document missing", zipped(without(epub3(), "OEBPS/text/ch1.xhtml")),
         "entry OEBPS/text/ch1.xhtml: missing, though the spine lists it"},
        {"broken XHTML", zipped(replaced(epub3(), "OEBPS/text/ch1.xhtml", "<html><body><p>open")),
         "entry OEBPS/text/ch1.xhtml: is not well-formed XHTML"},
        {"damaged entry", damaged(zipped(epub3()), "OEBPS/text/ch1.xhtml"), "entry OEBPS/text/ch1.xhtml: is damaged"},
        {"encrypted entry", zipped(epub3(), "OEBPS/text/ch1.xhtml"), "entry OEBPS/text/ch1.xhtml: encrypted (DRM)"},
        {"encrypted (DRM)", zipped(with(epub3(), "META-INF/encryption.xml", aes)),
         "entry META-INF/encryption.xml: the book is encrypted (DRM)"},
        {"rights file (DRM)", zipped(with(epub3(), "META-INF/rights.xml", "<rights/>")),
         "entry META-INF/rights.xml: the book is locked"},
        {"no text",
         zipped(replaced(replaced(epub3(), "OEBPS/text/ch1.xhtml", xhtml("")), "OEBPS/text/ch 2.xhtml",
                         xhtml("<img src='x.png'/>"))),
         "b.epub: the book has no text"},
    };
    for (const auto& c : cases) {
        try {
            layOutBook(c.bytes, "b.epub");
            ADD_FAILURE() << c.name << ": laid out";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
        }
    }
    // Fonts obfuscated as the EPUB standard allows are no lock.
    std::string fonts = aes;
    fonts.replace(fonts.find("http://www.w3.org/2001/04/xmlenc#aes128-cbc"),
                  std::string("http://www.w3.org/2001/04/xmlenc#aes128-cbc").size(),
                  "http://www.idpf.org/2008/embedding");
    EXPECT_EQ(layOutBook(zipped(with(epub3(), "META-INF/encryption.xml", fonts)), "b.epub").chapters.size(), 2u);
}

} // namespace
} // namespace cadenzo::format::test
