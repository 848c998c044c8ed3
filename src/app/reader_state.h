// The main window's state, under the names the handlers use.
#pragma once

#include "app/outside_books.h"
#include "base/unicode.h"
#include "book/markup.h"
#include "book/shipped_book.h"
#include "catalogue/catalogue.h"
#include "display/color.h"
#include "display/page_renderer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cadenzo {

struct ReaderState {
    BookLineList BookLines;
    int NextPageStart = 0;
    int LinesPerPage = 0;
    bool PageTurned = false;
    int PageFontSize = 15;
    ColorTable ColorSets{};
    PageState page; // PageStart, LineHeight, ColumnRight, PageHeight, PageImageFile, CurColorSet
    std::string ProgramDir;
    std::string ProgramBaseName;
    std::string DataFolder;
    std::string IniPath;
    std::string BookmarkPath;
    std::string TocPath;
    std::string IndexPath;
    std::string BookFileName;
    // The encoding the open book's file had: its page is saved back in it.
    text::Encoding BookEncoding = text::Encoding::Utf8;
    std::string LastIndexEntry;
    std::vector<std::string> BMList;
    bool ControlPanelShown = true;

    // Catalogue and the open book.
    std::optional<ShippedLineList> ShippedBook;
    CatalogueLineList CatalogueLines;
    std::string CatalogueFilePath; // the catalogue file the lines come from; empty: built in
    int TOCToggled = 0;
    int CatalogueEntry = 0;
    std::string EntryKey;
    std::string BookAnchor;
    std::string BookTitle;
    std::string BookKey;
    std::string OpenDialogFileName;
    std::vector<OutsideBook> OutsideBooks;  // their nodes follow the catalogue's
    int OutsideNodeStart = 0;               // number of the first one
    std::optional<OutsideBook> LaidOutBook; // the book the last opening laid out
    // The open book while its rest is still being laid out: BookLines begins
    // with its first `readyLines` lines.
    struct PendingLayout {
        std::shared_ptr<LayoutRest> rest;
        std::size_t readyLines = 0;
    };
    std::optional<PendingLayout> PendingBook;
    std::shared_ptr<LayoutRest> OpeningRest; // the rest of the book the last opening laid out

    // Find.
    int FindOrigin = 0;
    int FindHitLine = 0;

    // Bookmarks.
    int BMBookLine = 0;
    int BMEndLine = 0;
    std::vector<std::string> BMItems;
    enum class PopupCommand { Delete, Goto } BMPopupCommand = PopupCommand::Goto;
};

} // namespace cadenzo
