// Inputs far larger or stranger than any real book: clear behaviour, memory
// in proportion, no crash.
#include "base/errors.h"
#include "support/reader_rig.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// psapi.h needs the types windows.h declares.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <filesystem>
#include <fstream>

namespace cadenzo {
namespace {

using test::ReaderRig;
using test::WriteFile;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

long peakMegabytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize >> 20);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
#endif
}

class LargeInput : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.window.setCapacity(20);
        rig.start();
        std::filesystem::create_directories(rig.folder.path("app"));
    }
    ReaderRig rig;
};

TEST_F(LargeInput, LineOfAMegabyteIsDrawnAtEightPointsAndCutAtTheEdge) {
    std::string book = "banner\nl05" + std::string(1 << 20, 'w') + "|9>x|4>\ns000 \nl05after \np000";
    WriteFile(rig.folder.path("app/huge.lit"), book);
    rig.reader->OpenBook(rig.folder.path("app/huge.lit"), " ");
    std::size_t drawn = 0;
    for (const auto& t : rig.window.surface.texts) drawn += t.text.size();
    EXPECT_LT(drawn, 100'000u); // only what fits on the surface is laid out
    bool eightPoints = false;
    for (const auto& t : rig.window.surface.texts) eightPoints |= t.size == kMinFitSize && t.text.size() > 100;
    EXPECT_TRUE(eightPoints);
    // Paging over the long line moves on, and paging back returns to it.
    rig.reader->NextPage();
    EXPECT_GT(rig.reader->PageStart(), 0);
    rig.reader->PrevPage();
    EXPECT_EQ(rig.reader->PageStart(), 0);
}

TEST_F(LargeInput, NulBytesAreJustBytes) {
    const std::string nul(1, '\0');
    const std::string phrase = "l05a" + nul + "b|9>c" + nul + "|4> ";
    // Not "nul.lit": on Windows that names the null device.
    WriteFile(rig.folder.path("app/nul1.lit"), "banner\n" + phrase + "\ns000 \nl0" + nul + "x \np000");
    EXPECT_THROW(rig.reader->OpenBook(rig.folder.path("app/nul1.lit"), " "), ReaderError); // "0\0" is no number
    WriteFile(rig.folder.path("app/nul2.lit"), "banner\n" + phrase + "\ns000 \np000");
    rig.reader->OpenBook(rig.folder.path("app/nul2.lit"), " ");
    EXPECT_EQ(rig.reader->state().BookLines[0], "     " + phrase.substr(3));
}

TEST_F(LargeInput, BookOfAHundredMegabytesOpens) {
    if (kSanitized) GTEST_SKIP() << "too slow under the sanitizers";
    const std::string path = rig.folder.path("app/big.lit");
    {
        std::ofstream out(path, std::ios::binary);
        out << "banner\r\n";
        const std::string phrase = "l05The tide came in over the stones and the bell rang \r\ns000 \r\n";
        for (std::size_t written = 0; written < 100u << 20; written += phrase.size()) out << phrase;
        out << "p000";
    }
    const long before = peakMegabytes();
    rig.reader->OpenBook(path, " ");
    const long grown = peakMegabytes() - before;
    EXPECT_GT(rig.reader->state().BookLines.size(), 3'000'000u);
    EXPECT_LT(grown, 700) << "MB for a 100 MB book";
    rig.reader->NextPage();
    EXPECT_GT(rig.reader->PageStart(), 0);
}

TEST_F(LargeInput, IndexOfAMillionReferencesLoads) {
    if (kSanitized) GTEST_SKIP() << "too slow under the sanitizers";
    const std::string path = rig.folder.path("app/big.lix");
    {
        std::ofstream out(path, std::ios::binary);
        for (int w = 0; w < 50'000; ++w) {
            out << static_cast<char>('a' + w * 26 / 50'000) << "word" << w;
            for (int r = 0; r < 20; ++r) out << "|0001" << (r % 2 ? "1" : "") << (10'000 + (w * 20 + r) % 90'000);
            out << "\r\n";
        }
    }
    rig.setIndexPath(path);
    rig.reader->IndexLoadButtonClick();
    EXPECT_EQ(rig.window.indexTree.size(), 1 + 26 + 50'000 + 1'000'000);
}

} // namespace
} // namespace cadenzo
