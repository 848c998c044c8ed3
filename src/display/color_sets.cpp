#include "display/color_sets.h"

namespace cadenzo {

namespace {

struct ShadeColors {
    Color background, text, tag6, tag7, tag8, tag9;
};

void writeShade(ColorSet& set, const ShadeColors& c) {
    set.slot[1] = c.background;
    set.slot[4] = c.text;
    set.slot[6] = c.tag6;
    set.slot[7] = c.tag7;
    set.slot[8] = c.tag8;
    set.slot[9] = c.tag9;
}

constexpr Color rgb(std::uint32_t v) { return Color::Rgb(v); }

} // namespace

void WriteSchemeColors(ColorTable& sets, Scheme scheme) {
    switch (scheme) {
    case Scheme::Light:
        writeShade(sets[1], {rgb(0xDDC2A6), rgb(0x000000), rgb(0x006200), rgb(0x970000), rgb(0x00006C), rgb(0x4A004A)});
        writeShade(sets[0], {rgb(0xE3BC9F), rgb(0x000000), rgb(0x005500), rgb(0x970000), rgb(0x000068), rgb(0x5B005B)});
        break;
    case Scheme::Dark:
        writeShade(sets[1], {rgb(0x384545), rgb(0xE7D687), rgb(0xBEF1C7), rgb(0xE1B19D), rgb(0xA4BEDB), rgb(0xCDB8C2)});
        writeShade(sets[0], {rgb(0x392F46), rgb(0xE7D687), rgb(0xBEF1C7), rgb(0xFBA4AC), rgb(0xA4BEDB), rgb(0xC9B4CF)});
        break;
    case Scheme::Windows: {
        const Color gray = Color::System(SystemColor::GrayText);
        const ShadeColors system{
            Color::System(SystemColor::Window), Color::System(SystemColor::WindowText), gray, gray, gray, gray};
        writeShade(sets[1], system);
        writeShade(sets[0], system);
        break;
    }
    }
}

void ApplyNoColoredText(ColorTable& sets) {
    for (int s : {1, 0})
        for (int k : {6, 7, 8, 9}) sets[s].slot[k] = sets[s].slot[4];
}

void ApplySingleShade(ColorTable& sets) {
    for (int k : {1, 6, 7, 8, 9}) sets[0].slot[k] = sets[1].slot[k];
}

} // namespace cadenzo
