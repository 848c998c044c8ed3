// The one way the reader and its tools write a file: whole, through a
// temporary file in the same folder that is renamed over the old one, so a
// crash or a full disk never leaves half a file. Paths are UTF-8 (on Windows
// too, where they are converted for the system).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo {

enum class LineEnding { CrLf, Lf };

// The lines as file text, each followed by `ending`.
std::string joinLines(const std::vector<std::string>& lines, LineEnding ending);

// Why a file could not be replaced; the old file is then as it was and no
// temporary file is left behind.
struct FileWriteFailure {
    enum class Step { Create, Write, Replace } step;
    std::string file;   // the file that failed: the temporary one, or the target for Replace
    std::string reason; // the system's words, when it gave any
    // "cannot create 'x.tmp0'", "cannot write 'x.tmp0'", "cannot write 'x': reason"
    std::string message() const;
};

// Replaces the file at `path` with `content`. Nothing on success.
std::optional<FileWriteFailure> replaceFile(const std::string& path, std::string_view content);

} // namespace cadenzo
