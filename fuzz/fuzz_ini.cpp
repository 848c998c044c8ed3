// A settings file of any bytes: read, applied, written back.
#include "app/ini_file.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const int value = static_cast<int>(static_cast<std::int8_t>(in.byte())) * 1000;
    auto lines = in.lines();
    for (const char* key :
         {"fontsize", "background", "plainbkg", "twocolor", "twocolumn", "tleft", "ttop", "twidth", "theight"})
        IniReadInteger(lines, "how", key, 7);
    IniLines written = lines;
    IniWriteInteger(written, "how", "fontsize", value);
    Expect(IniReadInteger(written, "how", "fontsize", value + 1) == value);

    ReaderRig rig;
    rig.files.files["/mem/data/reader.ini"] = lines;
    rig.start();
    Expect(rig.reader->state().PageFontSize >= 4 && rig.reader->state().PageFontSize <= 40);
    Expect(rig.window.scheme >= -1 && rig.window.scheme <= 2);
    Expect(rig.window.rect.width >= 400 && rig.window.rect.height >= 450);
    rig.run([&] { rig.reader->FormClose(); });
    return 0;
}
