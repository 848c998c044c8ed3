// File names are UTF-8 strings everywhere in Cadenzo, as the text they may be
// built from (a catalogue key, a book's file name) is. These convert them to
// and from the platform's paths: on Windows the system takes wide characters,
// and a narrow name would be read in the local code page instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace cadenzo {

// The path a UTF-8 name names; none for a name that is not valid UTF-8 where
// the platform converts names (Windows): such a file cannot exist there.
std::optional<std::filesystem::path> pathFromUtf8(const std::string& name);

// A path's name as UTF-8.
std::string utf8FromPath(const std::filesystem::path& path);

} // namespace cadenzo
