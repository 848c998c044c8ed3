#include "support/fake_window.h"

#include <atomic>
#include <chrono>

namespace cadenzo::test {

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
