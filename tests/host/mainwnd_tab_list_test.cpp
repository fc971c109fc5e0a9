#include "mainwnd/rules/TabList.h"

#include <gtest/gtest.h>

using namespace tabs;

namespace {
// One game process started, logged in and registered, as the main window sees it.
void LogIn(TabList& list, ProcessId process, WindowId frame, const std::wstring& record) {
    list.ProcessStarted(process);
    ASSERT_TRUE(list.AcceptRecord(record));
    list.RegisterFrame(frame, process);
}
}  // namespace

TEST(TabList, SameRecordIsRefusedWhileOpenOrWaitingAndFreeAfterItsTabGoes) {
    TabList list;
    list.ProcessStarted(10);
    EXPECT_TRUE(list.AcceptRecord(L"s1-abc"));
    EXPECT_FALSE(list.AcceptRecord(L"s1-abc"));  // still waiting for its frame
    EXPECT_TRUE(list.AcceptRecord(L"s2-abc"));   // another server
    EXPECT_FALSE(list.AcceptRecord(L""));
    list.RegisterFrame(0x100, 10);
    EXPECT_FALSE(list.AcceptRecord(L"s1-abc"));  // open in a tab
    EXPECT_EQ(list.RecordCount(), 2);
    ASSERT_TRUE(list.Remove(0));
    EXPECT_TRUE(list.AcceptRecord(L"s1-abc"));
}

TEST(TabList, FramePairsWithTheRecordOfItsOwnProcess) {
    TabList list;
    list.ProcessStarted(10);
    list.ProcessStarted(20);
    ASSERT_TRUE(list.AcceptRecord(L"s1-a"));  // goes to process 10, the oldest
    ASSERT_TRUE(list.AcceptRecord(L"s1-b"));  // goes to process 20
    // Process 20's frame registers first: it shows its own record, not the older one.
    EXPECT_EQ(list.RegisterFrame(0x200, 20), 0);
    EXPECT_EQ(list.RegisterFrame(0x100, 10), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0)->record, L"s1-b");
    EXPECT_EQ(list.At(0)->frame, 0x200u);
    EXPECT_EQ(list.At(1)->record, L"s1-a");
    EXPECT_EQ(list.At(1)->process, 10u);
    EXPECT_EQ(list.Current(), 1);  // the newest tab is current
    EXPECT_TRUE(list.StartedProcesses().empty());
    EXPECT_TRUE(list.PendingRecords().empty());
}

TEST(TabList, FrameOfAProcessTheWindowDidNotStartTakesTheOldestUnclaimedRecord) {
    TabList list;
    ASSERT_TRUE(list.AcceptRecord(L"s1-a"));
    ASSERT_TRUE(list.AcceptRecord(L"s1-b"));
    list.RegisterFrame(0x100, 77);
    list.RegisterFrame(0x200, 77);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0)->record, L"s1-a");
    EXPECT_EQ(list.At(1)->record, L"s1-b");
    EXPECT_EQ(list.At(1)->process, 77u);  // watched from now on
}

TEST(TabList, RecordsGivenToTheWrongStartedProcessStillPairWithTheFrameThatComes) {
    TabList list;
    list.ProcessStarted(10);
    list.ProcessStarted(20);
    ASSERT_TRUE(list.AcceptRecord(L"s1-b"));  // sent by 20, taken for 10's
    list.RegisterFrame(0x200, 20);
    ASSERT_TRUE(list.AcceptRecord(L"s1-a"));  // 10 is the one left
    list.RegisterFrame(0x100, 10);
    EXPECT_EQ(list.At(0)->record, L"s1-b");
    EXPECT_EQ(list.At(1)->record, L"s1-a");
}

TEST(TabList, FrameWithoutARecordStillBecomesATabAndAKnownFrameOnlyBecomesCurrent) {
    TabList list;
    LogIn(list, 10, 0x100, L"s1-a");
    EXPECT_EQ(list.RegisterFrame(0x200, 20), 1);
    EXPECT_EQ(list.At(1)->record, L"");
    EXPECT_EQ(list.RecordCount(), 1);
    EXPECT_EQ(list.RegisterFrame(0x100, 10), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Current(), 0);
}

TEST(TabList, RecordWhoseProcessDiedBeforeItsFrameIsDropped) {
    TabList list;
    LogIn(list, 10, 0x100, L"s1-a");
    list.ProcessStarted(20);
    ASSERT_TRUE(list.AcceptRecord(L"s1-b"));
    EXPECT_TRUE(list.ProcessEnded(20).empty());  // no tab had it yet
    EXPECT_TRUE(list.PendingRecords().empty());
    EXPECT_TRUE(list.StartedProcesses().empty());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.AcceptRecord(L"s1-b"));  // the account may log in again
    // A later frame of another process does not inherit a dead process's record: it has none left.
    EXPECT_EQ(list.RecordCount(), 2);
}

TEST(TabList, EndedProcessTakesItsTabsAndTheCurrentTabStaysSensible) {
    TabList list;
    LogIn(list, 10, 0x100, L"s1-a");
    LogIn(list, 20, 0x200, L"s1-b");
    LogIn(list, 30, 0x300, L"s1-c");
    list.SetCurrent(0);
    // Another tab than the current one goes: the current one stays current.
    const auto removed = list.ProcessEnded(20);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].frame, 0x200u);
    EXPECT_EQ(removed[0].record, L"s1-b");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Current(), 0);
    EXPECT_EQ(list.At(list.Current())->frame, 0x100u);
    // The current last tab goes: the new last one is current.
    list.SetCurrent(1);
    list.ProcessEnded(30);
    EXPECT_EQ(list.Current(), 0);
    EXPECT_TRUE(list.AcceptRecord(L"s1-c"));
    // The only tab goes.
    list.ProcessEnded(10);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(), 0);
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_TRUE(list.ProcessEnded(99).empty());
}

TEST(TabList, RemovingKeepsTheCurrentTabOrGivesItsPlaceToTheNext) {
    TabList list;
    LogIn(list, 10, 0x100, L"a");
    LogIn(list, 20, 0x200, L"b");
    LogIn(list, 30, 0x300, L"c");
    list.SetCurrent(2);
    ASSERT_TRUE(list.Remove(0));  // before the current one
    EXPECT_EQ(list.At(list.Current())->record, L"c");
    list.SetCurrent(0);
    ASSERT_TRUE(list.Remove(0));  // the current one: the next takes its place
    EXPECT_EQ(list.At(list.Current())->record, L"c");
    EXPECT_FALSE(list.Remove(1));
    EXPECT_FALSE(list.Remove(-1));
    list.SetCurrent(5);  // ignored
    EXPECT_EQ(list.Current(), 0);
}

TEST(TabList, ProcessesToWatchAreEveryStartedWaitingAndShowingOne) {
    TabList list;
    LogIn(list, 10, 0x100, L"a");
    list.ProcessStarted(20);
    ASSERT_TRUE(list.AcceptRecord(L"b"));
    list.ProcessStarted(30);
    EXPECT_EQ(list.Processes(), (std::vector<ProcessId>{10, 20, 30}));
    list.ForgetStarted(30);
    EXPECT_EQ(list.Processes(), (std::vector<ProcessId>{10, 20}));
}
