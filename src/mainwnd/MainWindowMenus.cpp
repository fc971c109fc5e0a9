// The main window's tray menu and the "系统" button's menu, and what their items do.
#include "mainwnd/MainWindow.h"

#include "base/Messages.h"
#include "features/CacheClean.h"
#include "features/HotKeyStore.h"
#include "features/SettingsDialog.h"
#include "mainwnd/rules/LauncherMenu.h"
#include "skin/SkinnedMessageBox.h"
#include "update/UpdateCheckThread.h"


namespace {
constexpr UINT kTrayMenuFlags = TPM_RETURNCMD | TPM_RIGHTALIGN | TPM_BOTTOMALIGN;
constexpr UINT kSystemMenuFlags = TPM_RETURNCMD;

// Built afresh each time a menu opens, with the boss key as the settings file holds it now.
UniqueMenu BuildMenu(const std::vector<LauncherMenuItem>& items) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return menu;
    for (const LauncherMenuItem& item : items) {
        if (item.id == 0) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(static_cast<UINT>(item.id)), item.text.c_str());
        }
    }
    return menu;
}

std::wstring BossKeyText() {
    const HotKey boss = LoadHotKey(HotKeyField::Boss);
    return FormatHotKey(boss.vk, boss.modifiers);
}
}  // namespace

void MainWindow::ShowTrayMenu() {
    ::SetForegroundWindow(m_hWnd);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const UniqueMenu menu = BuildMenu(TrayMenuItems(BossKeyText()));
    if (!menu) return;
    const int chosen = ::TrackPopupMenu(menu.Get(), kTrayMenuFlags, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    RunMenuCommand(chosen);
}

void MainWindow::ShowSystemMenu() {
    RECT button{};
    ::GetWindowRect(m_btnSystem.m_hWnd, &button);
    const UniqueMenu menu = BuildMenu(SystemMenuItems(BossKeyText()));
    if (!menu) return;
    const int chosen = ::TrackPopupMenu(menu.Get(), kSystemMenuFlags, button.left, button.bottom + 2, 0, m_hWnd, nullptr);
    RunMenuCommand(chosen);
}

void MainWindow::RunMenuCommand(int id) {
    switch (id) {
        case kMenuRefresh:
            // Made by the launcher: refreshes even when F5 is a hot key.
            PostMessage(WM_KEYDOWN, VK_F5, kLauncherMarker);
            break;
        case kMenuScreenshot:
            CaptureCurrentTab();
            break;
        case kMenuHideRestore:
            ToggleHide();
            break;
        case kMenuCleanCache:
            StartCacheCleaning();
            ShowSkinnedMessageBox(MB_OK, L"缓存清除完毕！", m_hWnd);
            break;
        case kMenuUpdate:
            StartForcedUpdateCheck(m_hWnd, WM_UPDATE_CHECKED);  // nothing while one is running
            break;
        case kMenuSettings: {
            // Chosen again from the tray while the dialog is open: the one open comes to the
            // front; a second one would nest and lose track of the first.
            if (g_openSettingsDialog && ::IsWindow(g_openSettingsDialog->m_hWnd)) {
                ::SetForegroundWindow(g_openSettingsDialog->m_hWnd);
                ::BringWindowToTop(g_openSettingsDialog->m_hWnd);
                break;
            }
            SettingsDialog settings(m_hWnd);
            g_openSettingsDialog = &settings;  // the boss key ends it while it is open
            settings.DoModal();
            g_openSettingsDialog = nullptr;
            break;
        }
        case kMenuExit:
            ExitLauncher();
            break;
        default:
            break;  // dismissed, or the version line
    }
}

void MainWindow::OnUpdateChecked(bool published) {
    if (m_bExiting) return;  // the player chose to leave while the check ran
    if (!published) {
        ShowSkinnedMessageBox(MB_OK, L"已经是最新版本，无需进行更新。", m_hWnd);
        return;
    }
    // The window goes only when the updater really runs; otherwise the player keeps playing.
    if (StartUpdater()) {
        ExitLauncher();
    } else {
        ShowSkinnedMessageBox(MB_OK, L"无法启动更新程序，请稍后再试。", m_hWnd);
    }
}
