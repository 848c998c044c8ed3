// A book file of any bytes: read, prepared, opened, paged, searched and saved.
#include "display/page_text.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    ReaderRig rig;
    rig.window.width = in.number(0, 2000);
    rig.window.height = in.number(0, 1200);
    rig.window.twoColumn = in.flag();
    const int font = in.number(4, 40);
    const int pages = in.number(0, 6);
    rig.files.files["/mem/app/book.lit"] = in.lines();
    rig.start();
    rig.window.slider = font;
    rig.run([&] { rig.reader->FontSizeTrackBarChange(); });

    const BookLineList before = rig.reader->state().BookLines;
    bool opened = true;
    try {
        rig.reader->OpenBook("/mem/app/book.lit", " ");
    } catch (const ReaderError&) {
        opened = false;
    }
    Reader& r = *rig.reader;
    if (!opened) {
        Expect(r.state().BookLines == before); // a book that cannot be opened changes nothing
        return 0;
    }
    const int count = static_cast<int>(r.state().BookLines.size());
    Expect(count >= 2 && r.state().BookLines[static_cast<std::size_t>(count - 1)] == " ");
    for (int i = 0; i < pages; ++i) {
        const int from = std::max(r.state().NextPageStart, 0);
        r.NextPage();
        if (from < count - 2)
            Expect(r.state().NextPageStart > from && r.state().NextPageStart <= count - 1);
        else
            Expect(r.state().NextPageStart == from);
    }
    for (int i = 0; i < pages; ++i) {
        const int from = r.PageStart();
        r.PrevPage();
        Expect(r.PageStart() >= 0 && r.PageStart() <= from);
    }
    rig.window.find = FindQuery{"the", false, true};
    rig.window.saveAnswers = {std::string("/mem/page.txt")};
    rig.run([&] { r.FindDialog1Find(); });
    rig.run([&] { r.SaveScreenItemClick(); });
    return 0;
}
