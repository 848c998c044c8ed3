#include "support/fake_window.h"

#include <atomic>
#include <cstdio>
#include <chrono>
#include <fstream>
#include <iterator>

namespace cadenzo::test {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& text) {
    const auto folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder);
    std::ofstream(path, std::ios::binary) << text;
}

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

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    root_ = std::filesystem::temp_directory_path() /
            ("cadenzo-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string TempFolder::path(const std::string& name) const {
    return name.empty() ? root_.string() + "/" : (root_ / name).string();
}

} // namespace cadenzo::test
