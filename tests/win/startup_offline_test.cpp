// Without a network every start mode shows the same message and ends once it is dismissed.
#include "support/Assertions.h"
#include "support/DevService.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
const wchar_t kNoNetwork[] = L"当前网络不可用，请检查网络连接是否正常！";

class StartupWithoutNetwork : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(StartupWithoutNetwork, ShowsTheNetworkMessageAndExits) {
    NetworkDownScope offline;
    ChildProcess launcher;
    ASSERT_TRUE(launcher.Start(ProductPath(), GetParam()));

    HWND box = WaitForWindow(launcher.Id(), L"#32770", L"QuarnelHalvira", 20000);
    ASSERT_NE(box, nullptr) << "no message box for arguments: " << testing::PrintToString(std::wstring(GetParam()));
    EXPECT_TRUE(WindowSays(box, kNoNetwork));
    // The box is the only visible window: no mode went on to open anything else.
    EXPECT_EQ(VisibleTopLevelWindowsOf(launcher.Id()), std::vector<HWND>{box});

    ASSERT_TRUE(ClickButton(box, L"确定"));
    EXPECT_TRUE(launcher.WaitForExit(10000));
}

INSTANTIATE_TEST_SUITE_P(EveryMode, StartupWithoutNetwork,
                         ::testing::Values(L"", L"/webQuarnelD", L"/TovD", L"/tovd", L"/uninst", L"/update",
                                           L"/newgm /65540 /0", L"/gmhall /65540", L"/newgm"));
}  // namespace
