#include "TableFixture.h"

using namespace vxds;

namespace {

DataTable indexed() {
    DataTable t(measureFields());
    t.createDataSet();
    t.setIndex("DateTime;SiteNumber;PileNumber");
    return t;
}

} // namespace

TEST(TableIndex, OrdersByTimeThenSiteThenPile) {
    DataTable t = indexed();
    t.appendRecord(measureRow(2.5, 1, 10));
    t.appendRecord(measureRow(1.5, 2, 20));
    t.appendRecord(measureRow(2.5, 1, 5));
    t.appendRecord(measureRow(1.5, 1, 30));
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{30, 20, 5, 10}));
}

TEST(TableIndex, PostLeavesCursorOnTheNewRow) {
    DataTable t = indexed();
    t.appendRecord(measureRow(3, 1, 1));
    t.appendRecord(measureRow(1, 1, 2));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(asInt(t.value("PileNumber")), 2);
}

TEST(TableIndex, DuplicateKeyIsRefusedAndTableUnchanged) {
    DataTable t = indexed();
    t.appendRecord(measureRow(1, 1, 300));
    t.appendRecord(measureRow(1, 1, 44));
    EXPECT_THROW(t.appendRecord(measureRow(1, 1, 300, "other")), DataSetError);
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.state(), DataTable::State::Browse);
}

TEST(TableIndex, FindKeyMovesToTheRowOnlyOnAHit) {
    DataTable t = indexed();
    for (int p = 1; p <= 50; ++p)
        t.appendRecord(measureRow(p % 7, p % 3, p));
    ASSERT_TRUE(t.findKey({double(23 % 7), std::int32_t(23 % 3), std::int32_t(23)}));
    EXPECT_EQ(asInt(t.value("PileNumber")), 23);
    const int at = t.recNo();
    EXPECT_FALSE(t.findKey({double(23 % 7), std::int32_t(23 % 3), std::int32_t(24)}));
    EXPECT_EQ(t.recNo(), at);
    EXPECT_TRUE(t.findKey({std::int32_t(0), std::int32_t(0), std::int32_t(21)})); // int widened to date-time
}

TEST(TableIndex, EditingAKeyReordersAndAClashKeepsTheEdit) {
    DataTable t = indexed();
    t.appendRecord(measureRow(1, 1, 1));
    t.appendRecord(measureRow(2, 1, 2));
    t.first();
    t.edit();
    t.setValue("DateTime", 3.0);
    t.post();
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{2, 1}));
    t.first();
    t.edit();
    t.setValue("DateTime", 3.0);
    t.setValue("PileNumber", std::int32_t(1));
    EXPECT_THROW(t.post(), DataSetError);
    EXPECT_EQ(t.state(), DataTable::State::Edit);
    t.cancel();
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{2, 1}));
}

TEST(TableIndex, BuildingOnDuplicateRowsFailsAndKeepsOrder) {
    DataTable t(measureFields());
    t.createDataSet();
    t.appendRecord(measureRow(5, 1, 9));
    t.appendRecord(measureRow(1, 1, 8));
    t.appendRecord(measureRow(5, 1, 9));
    EXPECT_THROW(t.setIndex("DateTime;SiteNumber;PileNumber"), DataSetError);
    EXPECT_FALSE(t.hasIndex());
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{9, 8, 9}));
    EXPECT_THROW(t.setIndex("DateTime;Nope"), DataSetError);
}

TEST(TableIndex, DroppingKeepsTheOrderAndAppendsAtTheEnd) {
    DataTable t = indexed();
    t.appendRecord(measureRow(2, 1, 2));
    t.appendRecord(measureRow(1, 1, 1));
    t.dropIndex();
    t.appendRecord(measureRow(0, 1, 0));
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{1, 2, 0}));
    EXPECT_THROW(t.findKey({0.0, std::int32_t(1), std::int32_t(0)}), DataSetError);
}
