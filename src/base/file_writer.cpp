#include "base/file_writer.h"

#include "base/file_path.h"

#include <atomic>
#include <filesystem>

namespace cadenzo {

namespace fs = std::filesystem;

std::string joinLines(const std::vector<std::string>& lines, LineEnding ending) {
    const std::string_view end = ending == LineEnding::CrLf ? "\r\n" : "\n";
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + end.size();
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += end;
    }
    return text;
}

std::string FileWriteFailure::message() const {
    switch (step) {
    case Step::Create: return "cannot create '" + file + "'";
    case Step::Write: return "cannot write '" + file + "'";
    case Step::Replace: break;
    }
    return "cannot write '" + file + "'" + (reason.empty() ? "" : ": " + reason);
}

std::optional<FileWriteFailure> replaceFile(const std::string& path, std::string_view content) {
    // Each write in this process has its own temporary name, so two writers of
    // one file never share one.
    static std::atomic<unsigned> counter{0};
    const std::string temporary = path + ".tmp" + std::to_string(counter++);
    const auto target = pathFromUtf8(path);
    const auto temp = pathFromUtf8(temporary);
    if (!target || !temp) return FileWriteFailure{FileWriteFailure::Step::Create, temporary, {}};
    std::error_code ignored;
    {
        OpenFile out = openFile(*temp, FileMode::Write);
        if (!out) return FileWriteFailure{FileWriteFailure::Step::Create, temporary, {}};
        const bool written = std::fwrite(content.data(), 1, content.size(), out.get()) == content.size();
        // Closing flushes: a full disk may show only here.
        if (std::fclose(out.release()) != 0 || !written) {
            fs::remove(*temp, ignored);
            return FileWriteFailure{FileWriteFailure::Step::Write, temporary, {}};
        }
    }
    std::error_code ec;
    fs::rename(*temp, *target, ec);
    if (ec) {
        fs::remove(*temp, ignored);
        return FileWriteFailure{FileWriteFailure::Step::Replace, path, ec.message()};
    }
    return std::nullopt;
}

} // namespace cadenzo
