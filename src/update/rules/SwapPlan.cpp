#include "update/rules/SwapPlan.h"

SwapOutcome RunSwap(bool downloaded, bool verified, SwapMoves& moves) {
    // A failed, refused or unverified download: the old executable was never touched.
    if (!downloaded || !verified) return {false, DiscardFile::New};
    // Nothing moved yet; the running executable keeps its name.
    if (!moves.MoveRunningAside()) return {false, DiscardFile::New};
    if (moves.MoveNewIntoPlace()) return {true, DiscardFile::Old};
    // The original name is empty now: bring the old executable back before anything else.
    if (moves.MoveOldBack()) return {false, DiscardFile::New};
    // Keep "OldTov.exe": it may be the only complete copy if the copy back fell short too.
    moves.CopyOldBack();
    return {false, DiscardFile::New};
}
