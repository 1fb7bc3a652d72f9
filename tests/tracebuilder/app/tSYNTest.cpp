#include <gtest/gtest.h>

#include <memory>

#include "tAppInt.h"
#include "tSYN.h"

namespace {

TEST(tSYN, NewNodeIsQuiet) {
    tSYN n;
    EXPECT_EQ(n.parent(), nullptr);
    EXPECT_TRUE(n.children().empty());
    EXPECT_FALSE(n.NeedsUpdate());
    EXPECT_FALSE(n.IsChanged());
}

TEST(tSYN, SetChangedTwiceCountsOnce) {
    tSYN root, child;
    root.Attach(&child);
    child.SetChanged();
    child.SetChanged();
    EXPECT_EQ(root.pending(), 1);
    child.ResetChanged();
    EXPECT_EQ(root.pending(), 0);
    EXPECT_FALSE(root.NeedsUpdate());
}

TEST(tSYN, NodeAttachedWhileChangedIsCountedAtOnce) {
    tSYN root, child;
    child.SetChanged();
    root.Attach(&child);
    EXPECT_EQ(child.parent(), &root);
    EXPECT_TRUE(root.NeedsUpdate());
    child.ResetChanged();
    EXPECT_FALSE(root.NeedsUpdate());
}

TEST(tSYN, RootNeedsUpdateUntilEveryChangedNodeBelowIsReset) {
    tSYN root, values, processing, image, other;
    root.Attach(&values);
    values.Attach(&processing);
    processing.Attach(&image);
    root.Attach(&other);
    image.SetChanged();
    other.SetChanged();
    values.SetChanged();
    EXPECT_TRUE(root.NeedsUpdate());
    image.ResetChanged();
    EXPECT_TRUE(root.NeedsUpdate());
    values.ResetChanged();
    EXPECT_TRUE(root.NeedsUpdate());
    other.ResetChanged();
    EXPECT_FALSE(root.NeedsUpdate());
    EXPECT_FALSE(image.NeedsUpdate());
}

TEST(tSYN, ChangedAncestorMakesDescendantsChanged) {
    tSYN root, values, processing;
    root.Attach(&values);
    values.Attach(&processing);
    values.SetChanged();
    EXPECT_TRUE(processing.IsChanged());
    EXPECT_TRUE(processing.NeedsUpdate());
    EXPECT_FALSE(root.IsChanged());
    EXPECT_TRUE(root.NeedsUpdate());
}

TEST(tSYN, DestroyingAChangedNodeWithdrawsItsUnits) {
    tSYN root;
    auto child = std::make_unique<tSYN>();
    tSYN grandchild;
    root.Attach(child.get());
    child->Attach(&grandchild);
    child->SetChanged();
    grandchild.SetChanged();
    EXPECT_TRUE(root.NeedsUpdate());
    child.reset();
    EXPECT_FALSE(root.NeedsUpdate());
    EXPECT_TRUE(root.children().empty());
    EXPECT_EQ(grandchild.parent(), nullptr);
}

TEST(tSYN, ReattachingMovesTheNodeAndItsUnits) {
    tSYN first, second, child, below;
    first.Attach(&child);
    child.Attach(&below);
    below.SetChanged(); // child now reports a pending unit
    EXPECT_TRUE(first.NeedsUpdate());
    second.Attach(&child);
    EXPECT_FALSE(first.NeedsUpdate());
    EXPECT_TRUE(first.children().empty());
    EXPECT_TRUE(second.NeedsUpdate());
    below.ResetChanged();
    EXPECT_FALSE(second.NeedsUpdate());
}

TEST(tAppInt, DefaultsAndMarker) {
    tAppInt app;
    EXPECT_EQ(app.velocity, 2000.0);
    EXPECT_EQ(app.ku, 0.0);
    EXPECT_EQ(app.base, 1.0);
    EXPECT_EQ(app.depthLimit, 50.0);
    EXPECT_EQ(app.marginTop, 20);
    EXPECT_EQ(app.marginLeft, 20);
    EXPECT_EQ(app.maxColumnWidth, 50);
    EXPECT_EQ(app.minColumnWidth, 10);
    const double steps[] = {0.5, 1, 2, 3, 5, 10};
    int n = 0;
    for (const double* s = app.axisSteps; *s != 0.0; ++s, ++n)
        EXPECT_EQ(*s, steps[n]);
    EXPECT_EQ(n, 6);
    EXPECT_FALSE(app.syn.NeedsUpdate());
}

} // namespace
