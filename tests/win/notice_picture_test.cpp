// The notice's picture file: only a whole download that is a picture replaces the one kept
// from before, whatever the server sends instead.
#include "features/NoticeFetch.h"
#include "support/DevService.h"
#include "support/HttpSupport.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string kKeptPicture = std::string("\x89PNG\r\n\x1a\n", 8) + "kept from the last notice";

class NoticePicture : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = TempFolder(L"notice_picture");
        m_picture = m_folder + L"\\PopWnd.jpg";
        WriteFileContent(m_picture, kKeptPicture);
    }
    void TearDown() override { RemoveFolder(m_folder); }
    std::wstring m_folder, m_picture;
};
}  // namespace

TEST_F(NoticePicture, AFailedOrWrongDownloadKeepsThePictureAndLeavesNoSideFile) {
    FaultsClearedAfterwards lifted;
    for (const char* fault : {"500", "short", "drop", "down", "nolength"}) {
        ASSERT_TRUE(devservice::SetFault("/notice/tovpic.png", fault));
        EXPECT_FALSE(DownloadPicture(ServiceUrl(L"/notice/tovpic.png"), m_picture)) << fault;
        EXPECT_EQ(FileContent(m_picture), kKeptPicture) << fault;
        EXPECT_FALSE(FileExists(m_picture + L".part")) << fault;
    }
    // An answer that is whole but no picture (a portal page, say) replaces nothing either.
    devservice::ClearFaults();
    EXPECT_FALSE(DownloadPicture(ServiceUrl(L"/webgame.htm"), m_picture));
    EXPECT_EQ(FileContent(m_picture), kKeptPicture);
}

TEST_F(NoticePicture, AWholePictureReplacesTheKeptOne) {
    ASSERT_TRUE(DownloadPicture(ServiceUrl(L"/notice/tovpic.png"), m_picture));
    const std::string fetched = FileContent(m_picture);
    EXPECT_NE(fetched, kKeptPicture);
    EXPECT_EQ(fetched.compare(0, 4, "\x89PNG"), 0);
    EXPECT_FALSE(FileExists(m_picture + L".part"));
}

TEST_F(NoticePicture, MoreThanOneMebibyteIsNeverFetchedAndAHugePictureNeverDecoded) {
    // Announced larger than 1 MiB: refused before the file is touched.
    devservice::ResetRequests();
    EXPECT_FALSE(DownloadPicture(ServiceUrl(L"/test/sized?bytes=1048577"), m_picture));
    EXPECT_EQ(FileContent(m_picture), kKeptPicture);
    EXPECT_FALSE(FileExists(m_picture + L".part"));
    // A file whose header claims 30000 x 30000 pixels is no picture to decode, whoever put it there.
    std::string huge = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x75\x30\0\0\x75\x30", 24);
    WriteFileContent(m_picture, huge);
    EXPECT_FALSE(IsAcceptableNoticePictureFile(m_picture));
    huge[18] = huge[22] = 0;  // 48 x 48
    WriteFileContent(m_picture, huge);
    EXPECT_TRUE(IsAcceptableNoticePictureFile(m_picture));
}
