#include "support/temp_files.h"

#include "base/file_path.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace cadenzo::test {

std::string ReadFile(const std::string& path) {
    std::ifstream in(pathFromUtf8(path).value(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& text) {
    const auto file = pathFromUtf8(path).value();
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
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
    return name.empty() ? utf8FromPath(root_) + "/" : utf8FromPath(root_ / pathFromUtf8(name).value());
}

} // namespace cadenzo::test
