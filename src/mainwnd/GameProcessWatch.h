// Handles on the main window's game processes, so that one that ends (crashed, killed,
// login abandoned) is noticed on the window's timer without a thread of its own.
#pragma once
#include "base/Handles.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class GameProcessWatch {
public:
    // A process this window started: its handle may also end it.
    void Adopt(DWORD processId, UniqueHandle process);
    // Watches exactly these processes: opens the missing ones, closes the rest. A process
    // that can no longer be opened counts as ended.
    void Keep(const std::vector<std::uint32_t>& processIds);
    // Watched processes that have ended.
    [[nodiscard]] std::vector<DWORD> Ended() const;
    // How an ended process ended, as the support log says it ("ended", "crashed (0xC0000005)",
    // "ended with exit code 3", "ended, exit code unknown").
    [[nodiscard]] std::wstring HowItEnded(DWORD processId) const;
    // Ends a process this window started (exit code 0); false when it holds no such handle.
    bool Terminate(DWORD processId) const;

private:
    std::map<DWORD, UniqueHandle> m_processes;  // a null handle: could not be opened
};
