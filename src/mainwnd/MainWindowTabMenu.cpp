// A tab's own menu (a right click on the tab), and what the tab's view is: muted on its own,
// zoomed on its own, both remembered for its account.
#include "mainwnd/MainWindow.h"

#include "base/Log.h"
#include "base/Messages.h"
#include "base/rules/LogLine.h"
#include "mainwnd/TabViewStore.h"
#include "mainwnd/rules/TabMenu.h"

namespace {
UniqueMenu BuildMenu(const std::vector<tabs::TabMenuEntry>& entries) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) return menu;
    for (const tabs::TabMenuEntry& entry : entries) {
        const UINT state = (entry.checked ? MF_CHECKED : 0) | (entry.greyed ? MF_GRAYED : 0);
        if (!entry.submenu.empty()) {
            UniqueMenu submenu = BuildMenu(entry.submenu);
            // The menu owns its submenu from here on.
            if (submenu && ::AppendMenuW(menu.Get(), MF_POPUP | state, reinterpret_cast<UINT_PTR>(submenu.Get()),
                                         entry.text.c_str())) {
                (void)submenu.Release();
            }
        } else if (entry.id == 0) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuW(menu.Get(), MF_STRING | state, static_cast<UINT_PTR>(static_cast<UINT>(entry.id)),
                          entry.text.c_str());
        }
    }
    return menu;
}

WPARAM ZoomMessage(const zoom::Setting& setting) {
    return setting.fit ? kZoomFit : static_cast<WPARAM>(setting.percent);
}
}  // namespace

void MainWindow::ShowTabMenu(int index) {
    const tabs::GameTab* tab = m_strip.At(index);
    if (!tab) return;
    const UniqueMenu menu = BuildMenu(tabs::TabMenuEntries(tab->view.muted, tab->view.zoom, tab->canZoom));
    if (!menu) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    // The tab is known by its frame: the menu's own loop goes on dropping ended games, and the
    // mute timer ends the menu should this tab be one of them.
    m_menuFrame = FrameAt(index);
    const int chosen = ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    const HWND frame = m_menuFrame;
    m_menuFrame = nullptr;
    RunTabMenuCommand(frame, chosen);
}

void MainWindow::RunTabMenuCommand(HWND frame, int id) {
    const std::optional<int> index = m_strip.IndexOfFrame(frame);
    if (!index || id == 0) return;  // dismissed, or its game has ended meanwhile
    tabs::TabView view = m_strip.At(*index)->view;
    switch (id) {
        case tabs::kTabMenuRefresh:
            // Made by the launcher: refreshes even when F5 is a hot key.
            ::PostMessageW(frame, WM_KEYDOWN, VK_F5, kLauncherMarker);
            return;
        case tabs::kTabMenuScreenshot:
            CaptureTab(*index);
            return;
        case tabs::kTabMenuClose:
            CloseTab(*index);
            return;
        case tabs::kTabMenuMute:
            view.muted = !view.muted;
            break;
        default:
            if (const std::optional<zoom::Setting> setting = tabs::ZoomOfTabMenuId(id)) {
                view.zoom = *setting;
                ::PostMessageW(frame, WM_SET_ZOOM, ZoomMessage(view.zoom), 0);
            }
            break;
    }
    SetTabView(*index, view);
    PostMuteState(*index);
}

void MainWindow::SetTabView(int index, const tabs::TabView& view) {
    const tabs::GameTab* tab = m_strip.At(index);
    if (!tab || tab->view == view) return;
    Log(L"tab " + ServerForLog(tab->record) + L": " + (view.muted ? L"muted" : L"sound on") + L", zoom " +
        zoom::SettingText(view.zoom));
    m_strip.SetView(index, view);
    // A file that cannot be written loses the memory, nothing else.
    if (!StoreTabView(tab->record, view)) Log(L"the tab's view could not be stored in the settings file");
}

void MainWindow::ApplyRememberedView(HWND frame) {
    const std::optional<int> index = m_strip.IndexOfFrame(frame);
    if (!index) return;
    const std::wstring& record = m_strip.At(*index)->record;
    const tabs::TabView view = LoadTabView(record);
    Log(L"tab opened: " + ServerForLog(record) + (view.muted ? L", muted" : L", sound on") + L", zoom " +
        zoom::SettingText(view.zoom));
    m_strip.SetView(*index, view);
    ::PostMessageW(frame, WM_SET_ZOOM, ZoomMessage(view.zoom), 0);
    PostMuteState(*index);
}

void MainWindow::OnTabZoom(WPARAM shown, HWND frame) {
    // Posted by a tab's frame: anybody could post it, so only a tab's frame and a zoom the tab
    // can have are taken.
    const std::optional<int> index = m_strip.IndexOfFrame(frame);
    if (!index) return;
    m_strip.SetCanZoom(*index, shown != kZoomUnavailable);
    if (shown == kZoomUnavailable) return;
    tabs::TabView view = m_strip.At(*index)->view;
    if (shown == kZoomFit) {
        view.zoom = zoom::Setting{zoom::kNormal, true};
    } else if (zoom::IsLevel(static_cast<int>(shown))) {
        view.zoom = zoom::Setting{static_cast<int>(shown), false};
    } else {
        return;
    }
    SetTabView(*index, view);
}

void MainWindow::PostMuteState(int index) const {
    const tabs::GameTab* tab = m_strip.At(index);
    if (!tab) return;
    // A tab is silent when the window's sound button (or key) or its own menu says so.
    ::PostMessageW(FrameAt(index), WM_SET_MUTE, (m_bMuted || tab->view.muted) ? 1 : 0, 0);
}
