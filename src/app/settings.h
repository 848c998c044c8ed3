// The settings file: the default file and the keys of section "how".
#pragma once

#include <string>
#include <vector>

namespace cadenzo {

inline constexpr const char* kSettingsSection = "how";

// The lines of a new default settings file for a screen of the given size.
std::vector<std::string> MakeDefaultSettings(const std::string& tocPath, int screenWidth, int screenHeight);

} // namespace cadenzo
