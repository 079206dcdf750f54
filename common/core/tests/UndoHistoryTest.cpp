// The undo history list: stepping, the limit and the dropped redo records.
#include "common/core/UndoHistory.h"

#include <gtest/gtest.h>

namespace {

using History = common::UndoHistory<int>;

// Steps back as far as possible; the records passed, newest first.
std::vector<int> UndoAll(History& h)
{
    std::vector<int> seen;
    while (h.StepBack())
        seen.push_back(*h.Current());
    return seen;
}

TEST(UndoHistory, StepsBackAndForthOverTheRecords)
{
    History h(10);
    EXPECT_EQ(h.Current(), nullptr);
    EXPECT_FALSE(h.CanUndo());
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.CurrentIndex(), -1);
    for (int r = 0; r < 3; ++r)
        h.Push(r);
    EXPECT_EQ(*h.Current(), 2);
    EXPECT_EQ(UndoAll(h), (std::vector<int>{1, 0}));
    EXPECT_EQ(h.CurrentIndex(), 0);
    EXPECT_FALSE(h.CanUndo());
    ASSERT_TRUE(h.StepForward());
    ASSERT_TRUE(h.StepForward());
    EXPECT_EQ(*h.Current(), 2);
    EXPECT_FALSE(h.StepForward());
}

TEST(UndoHistory, KeepsTheLimitDroppingTheOldest)
{
    // The history limit counts the current record: 150 pushes into a limit
    // of 101 leave 100 steps back, to the record of push 50.
    History h(101);
    for (int r = 0; r < 150; ++r) {
        h.Push(r);
        EXPECT_LE(h.Count(), 101u);
    }
    EXPECT_EQ(h.Count(), 101u);
    const std::vector<int> undone = UndoAll(h);
    ASSERT_EQ(undone.size(), 100u);
    EXPECT_EQ(undone.back(), 49);
}

TEST(UndoHistory, APushAfterUndoDropsTheRedoRecords)
{
    History h(10);
    for (int r = 0; r < 4; ++r)
        h.Push(r);
    h.StepBack();
    h.StepBack();
    EXPECT_TRUE(h.CanRedo());
    h.Push(7);
    EXPECT_FALSE(h.CanRedo());
    EXPECT_EQ(h.Count(), 3u);
    EXPECT_EQ(UndoAll(h), (std::vector<int>{1, 0}));

    h.Clear();
    EXPECT_EQ(h.Count(), 0u);
    EXPECT_EQ(h.Current(), nullptr);
    h.Push(1);
    h.Push(2);
    h.StepBack();
    h.DropRedo();
    EXPECT_EQ(h.Count(), 1u);
    EXPECT_EQ(*h.Current(), 1);
}

TEST(UndoHistory, ReadsRecordsByPositionAfterTheOldestIsDropped)
{
    History h(3);
    for (int r = 0; r < 5; ++r)
        h.Push(r);
    ASSERT_NE(h.At(0), nullptr);
    EXPECT_EQ(*h.At(0), 2);
    EXPECT_EQ(*h.At(2), 4);
    EXPECT_EQ(h.At(3), nullptr);
}

} // namespace
