#include "support/fake_window.h"

#include <cstdio>

namespace cadenzo::test {

std::string StoredBookText(int chapters, int sentences) {
    std::string text = "Tidal Type(R) test book\r\nl00|b>Test, by  \r\nl08Tester  \r\nl08[2026]|n> \r\n";
    int paragraph = 0;
    for (int c = 1; c <= chapters; ++c) {
        char anchor[16];
        std::snprintf(anchor, sizeof anchor, "refpt%03d", c);
        text += "l00|" + std::string(anchor) + "> \r\nl00|b>" + std::to_string(c) + "|n> \r\n";
        text += "p" + std::to_string(100 + paragraph++) + " \r\nl00|p> \r\n";
        for (int s = 0; s < sentences; ++s) {
            if (s > 0) text += s % 3 == 0 ? "p" + std::to_string(100 + paragraph++) + " \r\n" : "s000 \r\n";
            text += "l05Chapter " + std::to_string(c) + " sentence " + std::to_string(s) + " \r\n";
            text += "l12goes on|9> here|4> \r\nl20and ends. \r\n";
        }
    }
    return text + "p" + std::to_string(100 + paragraph) + "\r\n";
}

} // namespace cadenzo::test
