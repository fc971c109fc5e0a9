// An "/update" start whose download is not the published file: the executable stays as it
// was and the ordinary main window opens.
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Launcher.h"
#include "support/Process.h"
#include "update/FileDigest.h"
#include "base/Paths.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

class UpdateStart : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        devservice::ResetRequests();
        m_folder = TempFolder(L"update_start");
        m_exe = m_folder + L"\\QuarnelHalvira.exe";
        ASSERT_TRUE(::CopyFileW(ProductPath().c_str(), m_exe.c_str(), FALSE));
        m_digest = FileMd5Hex(m_exe);
        // Any key but the copy's own: an update is announced.
        ASSERT_FALSE(devservice::Get(std::string("/__control/set?update=") + GetParam() +
                                     "&key=00000000000000000000000000003001")
                         .empty());
    }
    void TearDown() override {
        KillProcessTree(m_launcher.Id());
        devservice::Get("/__control/set?update=none&key=");
    }
    ChildProcess m_launcher;
    std::wstring m_folder, m_exe, m_digest;
};
}  // namespace

TEST_P(UpdateStart, AFailedDownloadKeepsTheExecutableAndOpensTheMainWindow) {
    ASSERT_TRUE(m_launcher.Start(m_exe, L"/update"));
    EXPECT_NE(WaitForMainWindow(m_launcher.Id(), kPatienceMs), nullptr);
    EXPECT_EQ(RecordedRequestsTo("/update/ConfigTov.htm").size(), 1u);
    EXPECT_EQ(FileMd5Hex(m_exe), m_digest);
    EXPECT_FALSE(PathExists(m_folder + L"\\OldTov.exe"));
    EXPECT_FALSE(PathExists(m_folder + L"\\NewTov.exe"));
    EXPECT_FALSE(PathExists(m_folder + L"\\ConfigTov.htm"));
}

INSTANTIATE_TEST_SUITE_P(NotThePublishedFile, UpdateStart, ::testing::Values("broken", "error500", "mismatch"));
