#include <gtest/gtest.h>

#include <string>

#include "IArray.h"

namespace {

TEST(IArray, StartsEmptyAndRefusesItem) {
    IArray<double> a;
    EXPECT_EQ(a.count(), 0);
    EXPECT_EQ(a.capacity(), 0);
    EXPECT_EQ(a.data(), nullptr);
    try {
        a.Item(0);
        FAIL() << "Item on an empty array must raise";
    } catch (const tTrcError& e) {
        EXPECT_EQ(e.code, tTrcError::InvalidValue);
    }
}

TEST(IArray, ShrinkingKeepsStorageAndGrowingBackShowsOldElements) {
    IArray<double> a;
    a.SetCount(5);
    for (int i = 0; i < 5; ++i)
        a.Item(i) = 10.0 + i;
    const double* storage = a.data();
    a.SetCount(2);
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(a.capacity(), 5);
    EXPECT_EQ(a.data(), storage);
    a.SetCount(5);
    EXPECT_EQ(a.data(), storage);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(a.Item(i), 10.0 + i);
}

TEST(IArray, GrowingPastCapacityGivesFreshElements) {
    IArray<std::string> a;
    a.SetCount(2);
    a.Item(0) = "old";
    a.Item(1) = "old too";
    a.SetCount(3);
    EXPECT_EQ(a.capacity(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(a.Item(i).empty()) << i;

    IArray<double[2]> points;
    points.SetCount(1);
    points.Item(0)[0] = 7.0;
    points.SetCount(4);
    EXPECT_EQ(points.Item(0)[0], 0.0);
}

TEST(IArray, ItemBeyondCountYieldsTheLastElement) {
    IArray<int> a;
    a.SetCount(3);
    a.Item(0) = 1;
    a.Item(1) = 2;
    a.Item(2) = 3;
    EXPECT_EQ(a.Item(3), 3);
    EXPECT_EQ(a.Item(60000), 3);
    a.SetCount(2);
    EXPECT_EQ(a.Item(2), 2); // clamped to the count in use, not to the capacity
}

TEST(IArray, HoldsAtMost65535Elements) {
    IArray<std::uint8_t> a;
    a.SetCount(65535);
    EXPECT_EQ(a.count(), 65535);
    EXPECT_THROW(a.SetCount(65536), tTrcError);
    EXPECT_EQ(a.count(), 65535); // the refused request changed nothing
    a.SetCount(0);
    EXPECT_EQ(a.capacity(), 0);
    EXPECT_EQ(a.data(), nullptr);
}

TEST(IArray, CopyOwnsItsOwnElementsAndMoveLeavesSourceEmpty) {
    IArray<double[2]> a;
    a.SetCount(3);
    for (int i = 0; i < 3; ++i) {
        a.Item(i)[0] = i;
        a.Item(i)[1] = i * 0.5;
    }
    IArray<double[2]> copy(a);
    ASSERT_EQ(copy.count(), 3);
    EXPECT_NE(copy.data(), a.data());
    a.Item(2)[1] = -1.0;
    EXPECT_EQ(copy.Item(2)[1], 1.0);

    IArray<double[2]> moved(std::move(copy));
    EXPECT_EQ(moved.count(), 3);
    EXPECT_EQ(copy.count(), 0);
    EXPECT_EQ(moved.Item(1)[0], 1.0);

    moved = a;
    EXPECT_EQ(moved.Item(2)[1], -1.0);
}

} // namespace
