// The main window's game tabs as one list: each tab is a login record, the frame window that
// shows it and the game process that owns both. Records arrive before their frames and from
// another message, so a record waits as pending until a frame of its process registers; a
// game process that ends takes its pending record and its tabs with it.
#pragma once
#include "mainwnd/rules/TabView.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabs {

using WindowId = std::uint64_t;   // a frame window handle, opaque here
using ProcessId = std::uint32_t;  // 0: not known

struct GameTab {
    std::wstring record;  // server name, "-", account; empty for a frame that came without one
    WindowId frame = 0;
    ProcessId process = 0;
    TabView view;          // muted, zoom: the tab's own
    bool canZoom = false;  // its page can be zoomed (its frame said so)
};

class TabList {
public:
    // A game process the main window started; it has neither record nor frame yet.
    void ProcessStarted(ProcessId process);
    // Started processes that have not registered a frame yet, oldest first.
    [[nodiscard]] const std::vector<ProcessId>& StartedProcesses() const noexcept { return m_started; }
    // The login of a started process was abandoned: it is no longer waited for.
    void ForgetStarted(ProcessId process);

    // A login record: refused (false) when the same record is open in a tab or waiting for
    // its frame. An accepted record belongs to the oldest started process that has none yet.
    bool AcceptRecord(const std::wstring& record);
    // Records accepted and still held (tabs and those waiting): the login report's index.
    [[nodiscard]] int RecordCount() const noexcept;
    [[nodiscard]] const std::vector<GameTab>& PendingRecords() const noexcept { return m_pending; }

    // A frame of `process` registers: it becomes the last tab and the current one, with the
    // pending record of its process, else the oldest pending record whose process is not
    // known, else no record. Returns the new tab's index. A frame already in the list only
    // becomes current.
    int RegisterFrame(WindowId frame, ProcessId process);

    // Removes tab `index` (false when out of range). The current tab stays the same tab when
    // another one is removed; when the current one goes, the tab that takes its place (or the
    // new last) becomes current.
    bool Remove(int index);
    // A game process ended: its pending record and started entry are dropped and its tabs
    // removed. Returns the removed tabs.
    std::vector<GameTab> ProcessEnded(ProcessId process);

    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_tabs.size()); }
    [[nodiscard]] const std::vector<GameTab>& Tabs() const noexcept { return m_tabs; }
    [[nodiscard]] const GameTab* At(int index) const noexcept;
    [[nodiscard]] std::optional<int> IndexOfFrame(WindowId frame) const noexcept;
    [[nodiscard]] int Current() const noexcept { return m_current; }
    // Out-of-range values are ignored.
    void SetCurrent(int index) noexcept;
    // The tab's view and whether its page can be zoomed; out-of-range indexes are ignored.
    void SetView(int index, const TabView& view);
    void SetCanZoom(int index, bool canZoom);
    // Every process the list still waits for or shows: the ones worth watching.
    [[nodiscard]] std::vector<ProcessId> Processes() const;

private:
    [[nodiscard]] bool IsOpen(const std::wstring& record) const;
    std::vector<GameTab> m_tabs;
    std::vector<GameTab> m_pending;  // records waiting for their frame (frame 0)
    std::vector<ProcessId> m_started;
    int m_current = 0;
};

}  // namespace tabs
