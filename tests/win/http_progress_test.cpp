// The progress the update download reports: the percentage of the announced length that
// is on disk, sent after every chunk.
#include "support/HttpSupport.h"
#include "support/Process.h"
#include "update/HttpFetch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {
struct Download {
    bool ok = false;
    std::vector<ProgressRecorder::Sample> samples;
};

Download DownloadWithProgress(const std::wstring& pathAndQuery, const std::wstring& file) {
    ProgressRecorder recorder(file);
    HttpHandleStore store;
    Download download;
    download.ok = HttpGetToFileWithProgress(ServiceUrl(pathAndQuery).c_str(), file.c_str(), recorder.Window(), store);
    download.samples = recorder.Samples();
    return download;
}
}  // namespace

TEST(HttpProgress, EachStepIsThePercentageOnDiskAndReaches100ExactlyAtTheEnd) {
    const std::wstring file = TempFolder(L"http_progress") + L"\\NewTov.exe";
    const long long length = 100000;  // 195 full chunks and a partial one
    const Download download = DownloadWithProgress(L"/test/sized?bytes=100000", file);
    ASSERT_TRUE(download.ok);
    ASSERT_GE(download.samples.size(), 196u);

    bool reached100 = false;
    for (const ProgressRecorder::Sample& sample : download.samples) {
        ASSERT_GE(sample.fileSize, 0);
        EXPECT_EQ(sample.position, static_cast<WPARAM>(sample.fileSize * 100 / length)) << sample.fileSize;
        if (sample.position == 100 && !reached100) {
            reached100 = true;
            EXPECT_EQ(sample.fileSize, length);  // not a chunk earlier
        }
    }
    EXPECT_TRUE(reached100);
    EXPECT_EQ(download.samples.back().position, 100u);
}

TEST(HttpProgress, NothingIsSentForAnEmptyBody) {
    const std::wstring file = TempFolder(L"http_progress_empty") + L"\\NewTov.exe";
    const Download download = DownloadWithProgress(L"/test/text?bytes=0", file);
    EXPECT_TRUE(download.ok);
    EXPECT_TRUE(download.samples.empty());
}

TEST(HttpProgress, NothingIsSentForARefusedAnswer) {
    const std::wstring file = TempFolder(L"http_progress_refused") + L"\\NewTov.exe";
    EXPECT_TRUE(DownloadWithProgress(L"/test/404", file).samples.empty());
    EXPECT_TRUE(DownloadWithProgress(L"/test/chunked", file).samples.empty());
}

TEST(HttpProgress, AShortBodyStopsShortOf100) {
    const std::wstring file = TempFolder(L"http_progress_short") + L"\\NewTov.exe";
    const Download download = DownloadWithProgress(L"/test/short", file);
    EXPECT_FALSE(download.ok);
    ASSERT_FALSE(download.samples.empty());
    EXPECT_EQ(download.samples.back().position, 30u);  // 300 of 1000 bytes
}

TEST(HttpProgress, NoWindowMeansNoProgressButTheDownloadStillWorks) {
    const std::wstring file = TempFolder(L"http_progress_nowindow") + L"\\NewTov.exe";
    HttpHandleStore store;
    EXPECT_TRUE(HttpGetToFileWithProgress(ServiceUrl(L"/test/500").c_str(), file.c_str(), nullptr, store));
    EXPECT_EQ(FileContent(file), "test 500 body\n");
}
