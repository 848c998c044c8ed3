// The three background schemes and the two colour options that rewrite the
// colour table the renderer consults.
#pragma once

#include "display/color.h"

namespace cadenzo {

enum class Scheme { Light = 0, Dark = 1, Windows = 2 };

// Writes slots 1, 4, 6..9 of set 1, then of set 0, with the scheme's values.
void WriteSchemeColors(ColorTable& sets, Scheme scheme);

// Every highlight slot of both shades takes the shade's text colour.
void ApplyNoColoredText(ColorTable& sets);

// Set 0 takes set 1's background and highlights (not its text colour).
void ApplySingleShade(ColorTable& sets);

} // namespace cadenzo
