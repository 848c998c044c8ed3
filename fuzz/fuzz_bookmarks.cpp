// A bookmark file of any bytes: the section refresh, the resume offer, Goto,
// Delete, Add and the closing bookmark.
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const bool yes = in.flag();
    const int pick = in.number(-1, 100);
    const bool fail = in.flag();
    const auto lines = in.lines();

    ReaderRig rig;
    rig.start();
    Reader& r = *rig.reader;
    rig.files.files[r.state().BookmarkPath] = lines;
    rig.files.files["/mem/app/mybook.lit"] = {"banner", "l05One ", "s000 ", "l05Two ", "p001"};
    rig.window.yesNoAnswers = {yes};
    rig.run([&] { r.OpenBook("/mem/app/mybook.lit", " "); });
    if (!yes) Expect(r.PageStart() == 0); // "No" to the resume offer, or no offer: the top
    rig.run([&] { r.BMMenuClick(); });
    Expect(r.state().BMBookLine >= 1 && r.state().BMBookLine < static_cast<int>(r.state().BMList.size()));
    Expect(r.state().BMEndLine > r.state().BMBookLine &&
           r.state().BMEndLine - r.state().BMBookLine - 1 <= kMaxListedBookmarks);
    rig.run([&] { r.BMGOItemClick(); });
    rig.run([&] { r.BMPopupItemClick(pick); });
    rig.run([&] { r.BMMenuClick(); });
    rig.run([&] { r.BMDeleteItemClick(); });
    rig.run([&] { r.BMPopupItemClick(pick); });
    rig.files.failWrites = fail;
    ReaderPeer::setPageTurned(r, true);
    rig.run([&] { r.BMAddItemClick(); });
    ReaderPeer::setPageTurned(r, true);
    rig.run([&] { r.WriteClosingBookmark(); });
    return 0;
}
