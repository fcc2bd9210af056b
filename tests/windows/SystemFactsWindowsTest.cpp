// The smaller Windows adapters: the process figures the benchmarks report, the user's
// interface language, and the HTML Help viewer's promise that closing costs nothing while
// no help was shown.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/HelpViewer.h"
#include "platform/ProcessStats.h"
#include "platform/UserLanguage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace glyphora {
namespace {

TEST(ProcessStatsWindowsTest, PeakMemoryAndThreadTimeGrowWithTheWork)
{
    const long before = PeakResidentSetKiB();
    EXPECT_GT(before, 0);
    {
        // 64 MiB, every page touched, raise the peak by about as much.
        std::vector<char> block(64u << 20);
        for (std::size_t i = 0; i < block.size(); i += 4096)
            block[i] = static_cast<char>(i);
        EXPECT_GE(PeakResidentSetKiB(), before + 60 * 1024);
    }
    const double cpuBefore = ThreadCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    volatile unsigned sink = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(300))
        for (unsigned i = 0; i < 100000; ++i)
            sink = sink + i;
    EXPECT_GT(ThreadCpuSeconds(), cpuBefore) << "the busy loop used processor time";
}

TEST(UserLanguageWindowsTest, TheLanguageIsTheUsersUiLanguage)
{
    // The language the resource loader prefers; the Wine run sets the POSIX locale C.UTF-8,
    // which Wine shows as US English.
    EXPECT_EQ(UserLanguageId(), ::GetUserDefaultUILanguage());
    EXPECT_EQ(UserLanguageId(), 0x0409);
}

TEST(HtmlHelpViewerWindowsTest, ClosingBeforeAnythingWasShownLoadsNothing)
{
    ASSERT_EQ(::GetModuleHandleW(L"hhctrl.ocx"), nullptr);
    const auto viewer = MakeHtmlHelpViewer();
    viewer->CloseAll();
    EXPECT_EQ(::GetModuleHandleW(L"hhctrl.ocx"), nullptr) << "the control's library stays unloaded";
}

} // namespace
} // namespace glyphora
