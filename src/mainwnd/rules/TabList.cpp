#include "mainwnd/rules/TabList.h"

#include <algorithm>

namespace tabs {

void TabList::ProcessStarted(ProcessId process) {
    if (process != 0 && std::find(m_started.begin(), m_started.end(), process) == m_started.end()) {
        m_started.push_back(process);
    }
}

void TabList::ForgetStarted(ProcessId process) {
    m_started.erase(std::remove(m_started.begin(), m_started.end(), process), m_started.end());
}

bool TabList::IsOpen(const std::wstring& record) const {
    auto same = [&record](const GameTab& tab) { return !tab.record.empty() && tab.record == record; };
    return std::any_of(m_tabs.begin(), m_tabs.end(), same) || std::any_of(m_pending.begin(), m_pending.end(), same);
}

bool TabList::AcceptRecord(const std::wstring& record) {
    if (record.empty() || IsOpen(record)) return false;
    // The sender does not say who it is; the main window's own game processes log in, so the
    // record goes to the oldest of them still without one. A frame of another process
    // corrects this when it registers.
    ProcessId owner = 0;
    for (ProcessId started : m_started) {
        const bool hasRecord = std::any_of(m_pending.begin(), m_pending.end(),
                                           [started](const GameTab& pending) { return pending.process == started; });
        if (!hasRecord) {
            owner = started;
            break;
        }
    }
    m_pending.push_back(GameTab{record, 0, owner, TabView{}, false});
    return true;
}

int TabList::RecordCount() const noexcept {
    const auto withRecord = std::count_if(m_tabs.begin(), m_tabs.end(), [](const GameTab& t) { return !t.record.empty(); });
    return static_cast<int>(withRecord) + static_cast<int>(m_pending.size());
}

int TabList::RegisterFrame(WindowId frame, ProcessId process) {
    if (const auto known = IndexOfFrame(frame)) {
        m_current = *known;
        return *known;
    }
    auto match = m_pending.end();
    if (process != 0) {
        match = std::find_if(m_pending.begin(), m_pending.end(), [process](const GameTab& p) { return p.process == process; });
    }
    if (match == m_pending.end()) {
        match = std::find_if(m_pending.begin(), m_pending.end(), [](const GameTab& p) { return p.process == 0; });
    }
    if (match == m_pending.end() && !m_pending.empty()) match = m_pending.begin();
    GameTab tab{std::wstring(), frame, process, TabView{}, false};
    if (match != m_pending.end()) {
        tab.record = match->record;
        m_pending.erase(match);
    }
    ForgetStarted(process);
    m_tabs.push_back(std::move(tab));
    m_current = Count() - 1;
    return m_current;
}

bool TabList::Remove(int index) {
    if (index < 0 || index >= Count()) return false;
    m_tabs.erase(m_tabs.begin() + index);
    if (index < m_current) {
        --m_current;
    } else if (index == m_current) {
        m_current = std::min(index, Count() - 1);
    }
    if (m_current < 0) m_current = 0;
    return true;
}

std::vector<GameTab> TabList::ProcessEnded(ProcessId process) {
    std::vector<GameTab> removed;
    if (process == 0) return removed;
    ForgetStarted(process);
    m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(),
                                   [process](const GameTab& p) { return p.process == process; }),
                    m_pending.end());
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_tabs[static_cast<size_t>(i)].process == process) {
            removed.insert(removed.begin(), m_tabs[static_cast<size_t>(i)]);
            Remove(i);
        }
    }
    return removed;
}

const GameTab* TabList::At(int index) const noexcept {
    if (index < 0 || index >= Count()) return nullptr;
    return &m_tabs[static_cast<size_t>(index)];
}

std::optional<int> TabList::IndexOfFrame(WindowId frame) const noexcept {
    for (int i = 0; i < Count(); ++i) {
        if (m_tabs[static_cast<size_t>(i)].frame == frame) return i;
    }
    return std::nullopt;
}

void TabList::SetCurrent(int index) noexcept {
    if (index >= 0 && index < Count()) m_current = index;
}

std::vector<ProcessId> TabList::Processes() const {
    std::vector<ProcessId> all = m_started;
    for (const GameTab& p : m_pending) all.push_back(p.process);
    for (const GameTab& t : m_tabs) all.push_back(t.process);
    all.erase(std::remove(all.begin(), all.end(), ProcessId{0}), all.end());
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
}

void TabList::SetView(int index, const TabView& view) {
    if (index >= 0 && index < Count()) m_tabs[static_cast<size_t>(index)].view = view;
}

void TabList::SetCanZoom(int index, bool canZoom) {
    if (index >= 0 && index < Count()) m_tabs[static_cast<size_t>(index)].canZoom = canZoom;
}

}  // namespace tabs
