// The exchange of the running executable for a downloaded one, as a sequence of moves any
// of which may fail. Whatever fails, a runnable executable stays under the original name.
#pragma once

// The file operations of one swap; the Windows side moves real files, tests script them.
class SwapMoves {
public:
    virtual ~SwapMoves() = default;
    virtual bool MoveRunningAside() = 0;  // executable -> "OldTov.exe"
    virtual bool MoveNewIntoPlace() = 0;  // "NewTov.exe" -> executable
    virtual bool MoveOldBack() = 0;       // "OldTov.exe" -> executable
    virtual bool CopyOldBack() = 0;       // last resort when the move back failed
};

enum class DiscardFile { None, New, Old };

struct SwapOutcome {
    bool swapped = false;
    DiscardFile discard = DiscardFile::None;  // scheduled for deletion at the next restart
};

// downloaded: the dialog reported a complete download; verified: its digest matches the key.
// Moves run only after both; each failure is undone before reporting it.
SwapOutcome RunSwap(bool downloaded, bool verified, SwapMoves& moves);
