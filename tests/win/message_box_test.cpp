// The real skinned message box, run modally on this thread and driven from another one.
#include "skin/SkinnedMessageBox.h"
#include "support/Assertions.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {
// Generous: a driver that gives up leaves the modal box open and the whole run waiting.
HWND FindBox() {
    for (int i = 0; i < 2400; ++i) {
        for (HWND hwnd : TopLevelWindowsOf(::GetCurrentProcessId())) {
            if (::IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") {
                return hwnd;
            }
        }
        ::Sleep(25);
    }
    return nullptr;
}

// Shows a box and lets `drive` act on it from a second thread; returns the box's result.
int ShowAndDrive(int type, const wchar_t* text, const std::function<void(HWND)>& drive) {
    std::thread driver([&] {
        HWND box = FindBox();
        if (box) {
            drive(box);
        }
    });
    const int result = ShowSkinnedMessageBox(type, text, nullptr);
    driver.join();
    return result;
}

bool StillOpenAfter(HWND box, DWORD ms) {
    ::Sleep(ms);
    return ::IsWindow(box) && ::IsWindowVisible(box);
}

RECT ButtonRect(HWND box, int id) {
    RECT rc{};
    ::GetWindowRect(::GetDlgItem(box, id), &rc);
    return rc;
}
}  // namespace

TEST(MessageBox, ShortTextGivesTheMinimumWidthAndOneButton) {
    RECT window{};
    std::wstring okText;
    bool hasSecond = true;
    const int result = ShowAndDrive(0, L"好", [&](HWND box) {
        ::GetWindowRect(box, &window);
        okText = WindowText(::GetDlgItem(box, 5000));
        hasSecond = ::GetDlgItem(box, 5001) != nullptr;
        ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(window.right - window.left, 174);  // two 57-pixel buttons plus 60
    EXPECT_EQ(okText, L"确定");
    EXPECT_FALSE(hasSecond);
}

TEST(MessageBox, YesAndNoGiveSixAndSeven) {
    std::wstring yes, no;
    EXPECT_EQ(ShowAndDrive(4, L"确定要移除 QuarnelHalvira吗？", [&](HWND box) {
                  yes = WindowText(::GetDlgItem(box, 5000));
                  no = WindowText(::GetDlgItem(box, 5001));
                  ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
              }),
              6);
    EXPECT_EQ(yes, L"是");
    EXPECT_EQ(no, L"否");
    EXPECT_EQ(ShowAndDrive(4, L"?", [](HWND box) { ::PostMessageW(::GetDlgItem(box, 5001), BM_CLICK, 0, 0); }), 7);
}

TEST(MessageBox, OkCancelButtonsStandSymmetricAroundTheMiddle) {
    RECT client{}, first{}, second{};
    std::wstring cancel;
    EXPECT_EQ(ShowAndDrive(1, L"?", [&](HWND box) {
                  ::GetWindowRect(box, &client);
                  first = ButtonRect(box, 5000);
                  second = ButtonRect(box, 5001);
                  cancel = WindowText(::GetDlgItem(box, 5001));
                  ::PostMessageW(::GetDlgItem(box, 5001), BM_CLICK, 0, 0);
              }),
              2);
    const int middle = client.left + (client.right - client.left) / 2;
    EXPECT_EQ(first.right, middle - 10);
    EXPECT_EQ(second.left, middle + 10);
    EXPECT_EQ(second.bottom, client.bottom - 30);
    EXPECT_EQ(cancel, L"取消");
}

TEST(MessageBox, ClosingAYesNoBoxGivesTwo) {
    EXPECT_EQ(ShowAndDrive(4, L"?", [](HWND box) { ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); }), 2);
    // The frame's own close button does the same.
    EXPECT_EQ(ShowAndDrive(4, L"?", [](HWND box) { ::PostMessageW(::GetDlgItem(box, 50000), BM_CLICK, 0, 0); }), 2);
}

TEST(MessageBox, EnterAndEscapeDoNotEndIt) {
    bool openAfterKeys = false;
    EXPECT_EQ(ShowAndDrive(4, L"?",
                           [&](HWND box) {
                               HWND focus = ::GetDlgItem(box, 5000);
                               for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
                                   ::PostMessageW(focus, WM_KEYDOWN, key, 1);
                                   ::PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
                               }
                               ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                               ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                               openAfterKeys = StillOpenAfter(box, 400);
                               ::PostMessageW(::GetDlgItem(box, 5001), BM_CLICK, 0, 0);
                           }),
              7);
    EXPECT_TRUE(openAfterKeys);
}

TEST(MessageBox, TwoMoreLinesAddSixPixelsAndTwoLineHeights) {
    RECT one{}, three{};
    int lineHeight = 0;
    ShowAndDrive(0, L"一行", [&](HWND box) {
        ::GetWindowRect(box, &one);
        // The line height of the box's own font.
        HDC dc = ::GetDC(box);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)));
        RECT measured{};
        ::DrawTextW(dc, L"一行", -1, &measured, DT_CALCRECT);
        lineHeight = measured.bottom - measured.top;
        ::SelectObject(dc, old);
        ::ReleaseDC(box, dc);
        ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
    });
    ShowAndDrive(0, L"一行\n一行\n一行", [&](HWND box) {
        ::GetWindowRect(box, &three);
        ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
    });
    ASSERT_GT(lineHeight, 8);
    EXPECT_EQ((three.bottom - three.top) - (one.bottom - one.top), 6 + 2 * lineHeight);
}

TEST(MessageBox, TheMessageIsReadableByAutomation) {
    std::vector<std::wstring> texts;
    ShowAndDrive(0, L"当前网络不可用，请检查网络连接是否正常！", [&](HWND box) {
        texts = ChildTexts(box);
        ::PostMessageW(::GetDlgItem(box, 5000), BM_CLICK, 0, 0);
    });
    EXPECT_TRUE(TextsInclude(texts, L"当前网络不可用，请检查网络连接是否正常！"));
}
