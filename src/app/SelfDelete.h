// Deleting the uninstalled executable after its process has ended, through a hidden batch.
#pragma once
#include "app/rules/SelfDeleteScript.h"
#include "base/Handles.h"

#include <string>

// How an uninstalled executable will go.
enum class SelfDeletion {
    Batch,      // a batch deletes it (and its folder when nothing else is in it) once the process ends
    AtRestart,  // Windows deletes it at the next restart: no batch line could carry its path
    None,       // neither could be arranged: the player must delete it
};

// The deletion of an executable, arranged while its process still runs and set going as that
// process is about to end. The batch waits a bounded time for the executable to become free,
// and that time must count from the end of the process, not from a question still on screen:
// so its process is created suspended and only let run by Start.
class PendingSelfDeletion {
public:
    // Writes a new batch into the temporary folder (the paths in the console's code page, in
    // which the command interpreter reads a batch) and creates its process suspended, hidden,
    // at idle priority; where that fails, marks the file (and its folder, when it holds
    // nothing else) for deletion at the next restart.
    static PendingSelfDeletion Arrange(const std::wstring& exe, int rounds = kSelfDeleteRounds);

    PendingSelfDeletion(PendingSelfDeletion&&) noexcept = default;
    PendingSelfDeletion& operator=(PendingSelfDeletion&&) = delete;
    ~PendingSelfDeletion() { Start(); }

    [[nodiscard]] SelfDeletion Way() const noexcept { return m_way; }
    // Lets the batch run; its process (empty for the other ways, or when called again).
    UniqueHandle Start();

private:
    explicit PendingSelfDeletion(SelfDeletion way) noexcept : m_way(way) {}

    SelfDeletion m_way;
    UniqueHandle m_process;
    UniqueHandle m_thread;  // the suspended batch's only thread
};

// Arranges and at once starts the deletion of this process's own executable.
void DeleteSelf();
// Files in the folder and all its subfolders; 1 when it cannot be listed, 0 for no path.
int CountFiles(const std::wstring& folder);
