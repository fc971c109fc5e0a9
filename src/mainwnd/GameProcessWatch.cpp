#include "mainwnd/GameProcessWatch.h"

void GameProcessWatch::Adopt(DWORD processId, UniqueHandle process) {
    if (processId != 0) m_processes[processId] = std::move(process);
}

void GameProcessWatch::Keep(const std::vector<std::uint32_t>& processIds) {
    std::map<DWORD, UniqueHandle> kept;
    for (std::uint32_t id : processIds) {
        auto found = m_processes.find(id);
        if (found != m_processes.end()) {
            kept[id] = std::move(found->second);
        } else {
            // Waiting is all this handle is for.
            kept[id] = UniqueHandle(::OpenProcess(SYNCHRONIZE, FALSE, id));
        }
    }
    m_processes = std::move(kept);
}

std::vector<DWORD> GameProcessWatch::Ended() const {
    std::vector<DWORD> ended;
    for (const auto& [id, process] : m_processes) {
        if (!process || ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) ended.push_back(id);
    }
    return ended;
}

bool GameProcessWatch::Terminate(DWORD processId) const {
    const auto found = m_processes.find(processId);
    if (found == m_processes.end() || !found->second) return false;
    return ::TerminateProcess(found->second.Get(), 0) != FALSE;
}
