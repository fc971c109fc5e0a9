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
            // To wait for it, and to read its exit code once it has ended where that is allowed.
            HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
            if (!process) process = ::OpenProcess(SYNCHRONIZE, FALSE, id);
            kept[id] = UniqueHandle(process);
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

std::wstring GameProcessWatch::HowItEnded(DWORD processId) const {
    const auto found = m_processes.find(processId);
    DWORD code = 0;
    if (found == m_processes.end() || !found->second || !::GetExitCodeProcess(found->second.Get(), &code))
        return L"ended, exit code unknown";
    if (code == 0) return L"ended";
    wchar_t hex[16] = {};
    ::wsprintfW(hex, L"0x%08X", code);
    if (code >= 0xC0000000) return std::wstring(L"crashed (") + hex + L")";
    return L"ended with exit code " + std::to_wstring(code);
}
