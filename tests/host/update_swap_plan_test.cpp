#include "update/rules/SwapPlan.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Scripted moves: each answers as told and is logged.
class ScriptedMoves : public SwapMoves {
public:
    bool aside = true, into = true, back = true, copy = true;
    std::string log;
    bool MoveRunningAside() override { return Note("aside ", aside); }
    bool MoveNewIntoPlace() override { return Note("into ", into); }
    bool MoveOldBack() override { return Note("back ", back); }
    bool CopyOldBack() override { return Note("copy ", copy); }

private:
    bool Note(const char* what, bool answer) {
        log += what;
        return answer;
    }
};
}  // namespace

TEST(SwapPlan, AVerifiedDownloadIsMovedInAndTheOldFileDiscarded) {
    ScriptedMoves moves;
    const SwapOutcome out = RunSwap(true, true, moves);
    EXPECT_TRUE(out.swapped);
    EXPECT_EQ(out.discard, DiscardFile::Old);
    EXPECT_EQ(moves.log, "aside into ");
}

TEST(SwapPlan, AFailedOrUnverifiedDownloadTouchesNothingAndDiscardsTheNewFile) {
    for (const auto& [downloaded, verified] : {std::pair{false, false}, {false, true}, {true, false}}) {
        ScriptedMoves moves;
        const SwapOutcome out = RunSwap(downloaded, verified, moves);
        EXPECT_FALSE(out.swapped);
        EXPECT_EQ(out.discard, DiscardFile::New);
        EXPECT_EQ(moves.log, "");
    }
}

TEST(SwapPlan, AFailedMoveAsideFailsAndDiscardsTheNewFile) {
    ScriptedMoves moves;
    moves.aside = false;
    const SwapOutcome out = RunSwap(true, true, moves);
    EXPECT_FALSE(out.swapped);
    EXPECT_EQ(out.discard, DiscardFile::New);
    EXPECT_EQ(moves.log, "aside ");
}

TEST(SwapPlan, AFailedMoveInBringsTheOldExecutableBack) {
    ScriptedMoves moves;
    moves.into = false;
    const SwapOutcome out = RunSwap(true, true, moves);
    EXPECT_FALSE(out.swapped);
    EXPECT_EQ(out.discard, DiscardFile::New);
    EXPECT_EQ(moves.log, "aside into back ");
}

TEST(SwapPlan, WhenTheMoveBackFailsTooTheOldFileIsCopiedBackAndKept) {
    ScriptedMoves moves;
    moves.into = false;
    moves.back = false;
    const SwapOutcome out = RunSwap(true, true, moves);
    EXPECT_FALSE(out.swapped);
    EXPECT_EQ(out.discard, DiscardFile::New);  // never "OldTov.exe", the only whole copy
    EXPECT_EQ(moves.log, "aside into back copy ");
}
