// A game process started by a main window: what the host sees when the login is abandoned.
#include "support/Process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
// Stands in for the main window: records the system commands it receives.
struct HostWindow {
    HWND hwnd = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> sysCommands;

    HostWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QhTestHost";
        ::RegisterClassW(&wc);
        hwnd = ::CreateWindowW(L"QhTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                               wc.hInstance, nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~HostWindow() { ::DestroyWindow(hwnd); }

    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_SYSCOMMAND) {
            if (auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(h, GWLP_USERDATA))) {
                self->sysCommands.emplace_back(w, l);
                return 0;
            }
        }
        return ::DefWindowProcW(h, msg, w, l);
    }
};

std::wstring HandleArgument(HWND hwnd) { return L"/" + std::to_wstring(reinterpret_cast<UINT_PTR>(hwnd)); }


// The login window of a game process (it stays hidden until the page shows).
HWND WaitForLoginWindow(DWORD pid) {
    for (int i = 0; i < 400; ++i) {
        for (HWND hwnd : TopLevelWindowsOf(pid)) {
            if (ClassName(hwnd) == L"#32770" && WindowText(hwnd) == L"QuarnelHalvira") return hwnd;
        }
        PumpMessagesFor(50);
    }
    return nullptr;
}
}  // namespace

TEST(GameProcess, AbandonedLoginAsksTheHostOnceToDropTheTab) {
    HostWindow host;
    ChildProcess game;
    ASSERT_TRUE(game.Start(ProductPath(), L"/newgm " + HandleArgument(host.hwnd) + L" /0"));
    HWND login = WaitForLoginWindow(game.Id());
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(::GetWindow(login, GW_OWNER), host.hwnd);
    ::PostMessageW(login, WM_CLOSE, 0, 0);
    ASSERT_TRUE(game.WaitForExit(kPatienceMs));
    PumpMessagesFor(300);

    ASSERT_EQ(host.sysCommands.size(), 1u);
    EXPECT_EQ(host.sysCommands[0].first & 0xFFF0, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(host.sysCommands[0].second, 7351);
    EXPECT_TRUE(VisibleTopLevelWindowsOf(game.Id()).empty());
}

TEST(GameProcess, LoginGivesUpWhenItsHostIsGone) {
    auto host = std::make_unique<HostWindow>();
    ChildProcess game;
    ASSERT_TRUE(game.Start(ProductPath(), L"/newgm " + HandleArgument(host->hwnd) + L" /0"));
    ASSERT_NE(WaitForLoginWindow(game.Id()), nullptr);
    host.reset();
    EXPECT_TRUE(game.WaitForExit(kPatienceMs));
}

TEST(GameProcess, MalformedHostArgumentsReachNoWindow) {
    HostWindow host;
    const std::wstring h = HandleArgument(host.hwnd);
    for (const std::wstring& args : {L"/newgm " + h, L"/newgm " + h + L" /x", L"/newgm " + h.substr(1) + L" /0",
                                     L"/newgm /" + std::wstring(20, L'9') + L" /0"}) {
        ChildProcess game;
        ASSERT_TRUE(game.Start(ProductPath(), args));
        EXPECT_TRUE(game.WaitForExit(kPatienceMs)) << testing::PrintToString(args);
    }
    PumpMessagesFor(300);
    EXPECT_TRUE(host.sysCommands.empty());
}
