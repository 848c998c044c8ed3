// The catalogue tree, and opening a book from it, from "Open File" or from
// the command line.
#include "app/reader.h"
#include "base/errors.h"
#include "book/shipped_book.h"
#include "catalogue/built_in_pages.h"
#include "display/paging.h"

namespace cadenzo {

void Reader::BuildCatalogue() {
    CatalogueLines = BuiltInCatalogue();
    if (!CatalogueFilePath.empty() && files_.fileExists(CatalogueFilePath)) {
        const auto fileLines = readTextLines(CatalogueFilePath);
        CatalogueLineList fromFile = fileLines ? CatalogueFromFileLines(*fileLines) : CatalogueLineList{};
        if (fromFile.size() > 1)
            CatalogueLines = std::move(fromFile);
        else
            win_.showError("Cannot read the catalogue file " + CatalogueFilePath +
                           ": no catalogue lines in it. The built-in catalogue is shown.");
    }
    win_.setApplicationTitle(std::string(Trimmed(DisplayText(CatalogueLines.front()))));
    CatalogueTree tree = BuildCatalogueTree(CatalogueLines);
    appendOutsideNodes(tree);
    win_.setCatalogueTree(tree);

    if (!files_.folderExists(DataFolder)) files_.createFolder(DataFolder);
    if (!files_.fileExists(BookmarkPath) && !files_.writeLines(BookmarkPath, SeedBookmarkLines(CatalogueLines)))
        throw CreateFileError(BookmarkPath);

    // First view: "Listed by Author" open, then the collection open and selected.
    // These expansions are the reader's own, not the user's toggles.
    for (std::size_t i = 1; i + 1 < CatalogueLines.size(); ++i) {
        if (Contains(CatalogueLines[i], "<<1author")) {
            win_.expandCatalogueNode(static_cast<int>(i));
            win_.selectCatalogueNode(static_cast<int>(i));
            break;
        }
    }
    win_.expandCatalogueNode(0);
    win_.selectCatalogueNode(0);
    TOCToggled = 0;
}

void Reader::OpenTOCItemClick() {
    const auto chosen = win_.askOpenFileName({"Table of Contents|*.toc;*.cdb", "toc", "Open TidalType(tm) Book"});
    if (!chosen || chosen->empty()) return;
    win_.setBookmarksMenuVisible(true);
    ProgramBaseName = BaseNameOf(*chosen, platform_.rules);
    ProgramDir = FolderOf(*chosen, platform_.rules);
    CatalogueFilePath = *chosen;
    BuildPaths();
    win_.setIndexView(IndexView::CatalogueOpened);
    LoadSettings();
    CatalogueLines.clear();
    BuildCatalogue();
    win_.showTableOfContentsTab();
}

void Reader::TOCTreeViewExpanded() { TOCToggled = 1; }
void Reader::TOCTreeViewCollapsed() { TOCToggled = 1; }

void Reader::TOCTreeViewDblClick() {
    TOCToggled = 0;
    TOCTreeViewClick();
}

void Reader::TOCTreeViewClick() {
    if (TOCToggled == 1) {
        TOCToggled = 0;
        return;
    }
    BookAnchor = "00000";
    if (!ShippedBook) ShippedBook = FillShippedBook();
    if (BookFileName.empty()) BookFileName = ProgramDir + "none.lit";
    if (PageTurned) {
        WriteClosingBookmark();
        PageTurned = false;
    }
    if (const auto node = win_.selectedCatalogueNode(); node && OutsideNodeClick(*node)) return;
    if (const auto node = win_.selectedCatalogueNode()) {
        CatalogueEntry = *node;
        if (CatalogueEntry >= 0 && static_cast<std::size_t>(CatalogueEntry) < CatalogueLines.size()) {
            const auto entry = static_cast<std::size_t>(CatalogueEntry);
            EntryKey = EntryText(CatalogueLines[entry]);
            BookTitle = entryTitle(CatalogueLines, entry);
            win_.setCaption("Cadenzo -- " + BookTitle);
        } else {
            EntryKey.clear();
            BookTitle = " ";
            win_.setCaption("Cadenzo");
        }
    }
    if (EntryKey.empty()) {
        win_.showMessage("Not here yet");
        return;
    }
    if (Contains(EntryKey, "@")) {
        EntryTarget target = splitEntry(EntryKey);
        EntryKey = std::move(target.key);
        BookAnchor = std::move(target.anchor);
    }
    const std::string fileName = ProgramDir + EntryKey + ".lit";
    OpenDialogFileName = fileName;
    win_.setOpenDialogFileName(fileName);
    IndexPath = ProgramDir + EntryKey + ".lix";
    const bool indexExists = files_.fileExists(IndexPath);
    if (!indexExists) IndexPath.clear();
    win_.setIndexTabVisible(indexExists);
    if (fileName != BookFileName) win_.setIndexView(IndexView::Unloaded);
    OpenBook(fileName, BookAnchor);
    win_.showReadingTab();
}

std::optional<std::vector<std::string>> Reader::readTextLines(const std::string& path) const {
    auto lines = files_.readLines(path);
    if (!lines) return std::nullopt;
    text::decodeFileLines(*lines);
    return lines;
}

BookLineList Reader::preparedBook(const std::string& fileName, const std::string& key, text::Encoding& encoding) {
    encoding = text::Encoding::Utf8; // the reader's own pages
    // A plain-text or EPUB file is laid out whatever its name (a "vesta.txt" too).
    if (IsOutsideBookFile(fileName)) return outsideBookSource(fileName, encoding);
    if (key == "vesta") {
        if (!ShippedBook) ShippedBook = FillShippedBook();
        return PrepareBookLines(*ShippedBook);
    }
    if (key == "none") return PrepareBookLines(CollectionWelcomePage());
    if (key == "title") return PrepareBookLines(TitleListPage());
    if (key == "author") return PrepareBookLines(AuthorListPage());
    if (!files_.fileExists(fileName)) return PrepareBookLines(AuthorEntryPage());
    // Read whole and viewed in lines: a string a line would hold the book
    // three times over while it is prepared.
    std::optional<std::string> bytes = files_.readText(fileName);
    if (!bytes) throw ReaderError("the file cannot be read");
    const std::string text = text::decodeFileText(*bytes, &encoding);
    bytes.reset();
    const std::vector<std::string_view> lines = SplitLineViews(text);
    if (lines.empty()) throw ReaderError("the file is empty");
    return PrepareBookLines(lines);
}

void Reader::OpenBook(const std::string& FileName, const std::string& Anchor) {
    if (FileName != BookFileName) {
        // All or nothing: the book that is open stays open when this one fails.
        const std::string key = bookKeyOf(FileName);
        BookLineList prepared;
        std::shared_ptr<LayoutRest> rest;
        text::Encoding encoding = text::Encoding::Utf8;
        try {
            prepared = preparedBook(FileName, key, encoding);
            rest = std::move(OpeningRest);
        } catch (const ReaderError& error) {
            throw ReaderError("Cannot open the book " + FileName + ": " + error.what());
        }
        BookFileName = FileName;
        BookKey = key;
        BookEncoding = encoding;
        BookLines = std::move(prepared);
        PendingBook.reset(); // a book still being laid out is abandoned
        if (rest) PendingBook = PendingLayout{std::move(rest), BookLines.size()};
    }
    int first = 0;
    if (isAbsentAnchor(Anchor)) {
        first = resumeOffer();
    } else {
        first = anchorPageStart(BookLines, Anchor);
        // A chapter past the part laid out so far is found in the whole book.
        if (first == 0 && PendingBook) {
            completeBook();
            first = anchorPageStart(BookLines, Anchor);
        }
    }
    NextPageStart = ShowPage(first);
}

void Reader::OpenLITItemClick() {
    const auto chosen = win_.askOpenFileName({"Books|*.lit;*.txt;*.epub", "lit", "Open TidalType(tm) Document"});
    if (!chosen || chosen->empty()) return;
    if (IsOutsideBookFile(*chosen)) return OpenOutsideFile(*chosen);
    win_.showReadingTab();
    win_.setBookmarksMenuVisible(false);
    OpenBook(*chosen, " ");
}

void Reader::OpenCommandLineBook() {
    if (platform_.commandLineBook.empty()) return;
    OpenDialogFileName = platform_.commandLineBook;
    win_.setOpenDialogFileName(OpenDialogFileName);
    // The page area stays on the About page; the book is drawn on the Reading
    // page, where the user finds it when bringing that page to the front.
    if (IsOutsideBookFile(platform_.commandLineBook)) return OpenOutsideBook(platform_.commandLineBook, " ");
    OpenBook(platform_.commandLineBook, " ");
}

} // namespace cadenzo
