// The add-account prompt: its text and size, the answers it posts, hiding when it loses focus.
#include "base/Messages.h"
#include "login/AnotherAccountDialog.h"
#include "res/resource.h"
#include "support/Process.h"

#include <gtest/gtest.h>

namespace {
class ChoiceReceiver : public CDialog {
public:
    ChoiceReceiver() : CDialog(IDD_MESSAGE_BOX) {
        Create(IDD_MESSAGE_BOX, nullptr);
        ShowWindow(SW_SHOW);
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_ADD_ACCOUNT_CHOICE) choices.push_back(static_cast<int>(wParam));
        return CDialog::WindowProc(msg, wParam, lParam);
    }
    std::vector<int> choices;
};

struct AddAccount : ::testing::Test {
    ChoiceReceiver owner;
    AnotherAccountDialog prompt;
    void SetUp() override {
        ASSERT_TRUE(prompt.Create(IDD_ADD_ACCOUNT, owner.m_hWnd));
        prompt.ShowWindow(SW_SHOW);
        ::SetActiveWindow(prompt.m_hWnd);
        PumpMessagesFor(100);
    }
};
}  // namespace

TEST_F(AddAccount, TakesItsImageSizeAndShowsItsThreeLines) {
    const RECT rc = prompt.GetWindowRect();
    EXPECT_EQ(rc.right - rc.left, 284);
    EXPECT_EQ(rc.bottom - rc.top, 150);
    EXPECT_EQ(WindowText(prompt.GetDlgItem(IDC_ADD_ACCOUNT_TEXT)),
              L"在当前窗口新增标签页？\r\n点击\"是\"，在当前窗口登录(支持3个标签页)；\r\n点击\"否\"，在新窗口中登录。");
    EXPECT_EQ(prompt.GetWindowText(), L"登录其他账号");
    EXPECT_EQ(prompt.m_btnClose.m_hWnd, nullptr);  // no caption buttons
}

TEST_F(AddAccount, YesAndNoPostTheirChoiceAndHide) {
    ::SendMessageW(prompt.GetDlgItem(IDOK), BM_CLICK, 0, 0);
    PumpMessagesFor(100);
    EXPECT_FALSE(prompt.IsWindowVisible());
    prompt.ShowWindow(SW_SHOW);
    ::SendMessageW(prompt.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0);
    PumpMessagesFor(100);
    EXPECT_EQ(owner.choices, (std::vector<int>{1, 0}));
    EXPECT_FALSE(prompt.IsWindowVisible());
}

TEST_F(AddAccount, EscapeAnswersNo) {
    ::SetFocus(prompt.GetDlgItem(IDOK));
    MSG esc{prompt.GetDlgItem(IDOK), WM_KEYDOWN, VK_ESCAPE, 1};
    EXPECT_TRUE(prompt.PreTranslateMessage(&esc));
    PumpMessagesFor(100);
    EXPECT_EQ(owner.choices, (std::vector<int>{0}));
}

TEST_F(AddAccount, LosingActivationHidesWithoutAnswering) {
    prompt.SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    PumpMessagesFor(100);
    EXPECT_FALSE(prompt.IsWindowVisible());
    EXPECT_TRUE(owner.choices.empty());
}

TEST_F(AddAccount, CannotBeDraggedByItsBand) {
    const RECT rc = prompt.GetWindowRect();
    EXPECT_EQ(prompt.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rc.left + 100, rc.top + 10)), HTCLIENT);
}
