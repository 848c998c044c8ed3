#include "app/settings.h"

namespace cadenzo {

std::vector<std::string> MakeDefaultSettings(const std::string& tocPath, int screenWidth, int screenHeight) {
    struct Sizes {
        int w, h, pl, pw, ph;
    };
    Sizes s = screenWidth == 640   ? Sizes{500, 440, 501, 130, 200}
              : screenWidth == 800 ? Sizes{600, 500, 601, 190, 250}
                                   : Sizes{700, screenHeight - 100, 701, 300, 400};
    auto n = [](int v) { return std::to_string(v); };
    return {"[" + tocPath + "]",
            "[how]",
            "dictionary=0",
            "fontsize=15",
            "background=0",
            "plainbkg=0",
            "twocolor=0",
            "twocolumn=0",
            "tleft=0",
            "twidth=" + n(s.w),
            "ttop=0",
            "theight=" + n(s.h),
            "pleft=" + n(s.pl),
            "pwidth=" + n(s.pw),
            "ptop=0",
            "pheight=" + n(s.ph),
            ""};
}

} // namespace cadenzo
