// The settings file's INI layout: "[section]" lines and "key=value" lines.
// Only the line that a write changes is rewritten; the rest stays as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

using IniLines = std::vector<std::string>;

// The key's integer value (decimal, or hexadecimal with "0x"), or `fallback`
// when the section or key is missing or the value is not an integer.
// Section and key names are compared ignoring ASCII case.
int IniReadInteger(const IniLines& lines, std::string_view section, std::string_view key, int fallback);

// Replaces the key's line in the section, or adds it after the section's last
// key; adds the section at the end when it is missing.
void IniWriteInteger(IniLines& lines, std::string_view section, std::string_view key, int value);

} // namespace cadenzo
