#include "TableFixture.h"

using namespace vxds;

namespace {

struct Recorder : TableObserver {
    std::vector<std::string> log;
    void rowInserted(int pos) override { log.push_back("ins" + std::to_string(pos)); }
    void rowRemoved(int pos) override { log.push_back("rem" + std::to_string(pos)); }
    void rowChanged(int pos) override { log.push_back("chg" + std::to_string(pos)); }
    void tableReset() override { log.push_back("reset"); }
    void currentChanged(int pos) override { log.push_back("cur" + std::to_string(pos)); }
};

DataTable filled(std::initializer_list<int> piles) {
    DataTable t(measureFields());
    t.createDataSet();
    for (int p : piles)
        t.appendRecord(measureRow(100, 1, p));
    return t;
}

} // namespace

TEST(DataTable, KeepsInsertionOrderWithoutIndexAndNavigates) {
    DataTable t = filled({5, 3, 9, 1});
    EXPECT_EQ(column(t, "PileNumber"), (std::vector<int>{5, 3, 9, 1}));
    t.first();
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.prior());
    EXPECT_EQ(t.moveBy(2), 2);
    EXPECT_EQ(asInt(t.value("PileNumber")), 9);
    EXPECT_EQ(t.moveBy(10), 1);
    EXPECT_EQ(t.recNo(), 4);
    EXPECT_FALSE(t.next());
    EXPECT_EQ(t.moveBy(-10), -3);
    EXPECT_EQ(t.recNo(), 1);
    t.last();
    EXPECT_EQ(asInt(t.value("PileNumber")), 1);
}

TEST(DataTable, EmptyTableHasNoCurrentRowAndRefusesRowOperations) {
    DataTable t(measureFields());
    EXPECT_THROW(t.insert(), DataSetError); // inactive
    t.createDataSet();
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_TRUE(isNull(t.value("Data")));
    EXPECT_EQ(t.moveBy(3), 0);
    EXPECT_THROW(t.edit(), DataSetError);
    EXPECT_THROW(t.deleteRecord(), DataSetError);
}

TEST(DataTable, EditPostAndCancel) {
    DataTable t = filled({1, 2});
    t.first();
    t.edit();
    t.setValue("Comment", QStringLiteral("трещина"));
    EXPECT_EQ(asText(t.value("Comment")), QStringLiteral("трещина"));
    t.cancel();
    EXPECT_EQ(asText(t.value("Comment")), QString());
    t.edit();
    t.setValue("Comment", QStringLiteral("трещина"));
    t.next(); // moving posts the pending edit
    t.first();
    EXPECT_EQ(asText(t.value("Comment")), QStringLiteral("трещина"));
    EXPECT_EQ(t.state(), DataTable::State::Browse);
}

TEST(DataTable, ValueAtReadsStoredRowsWithoutMovingTheCursor) {
    DataTable t = filled({5, 3, 9});
    t.first();
    t.edit();
    t.setValue("PileNumber", std::int32_t(77));
    EXPECT_EQ(asInt(t.valueAt(2, 2)), 9);
    EXPECT_EQ(asInt(t.valueAt(0, 2)), 5); // the stored row, not the edit buffer
    EXPECT_TRUE(isNull(t.valueAt(3, 2)));
    EXPECT_TRUE(isNull(t.valueAt(-1, 2)));
    EXPECT_THROW(t.valueAt(0, 9), DataSetError);
    EXPECT_EQ(t.recNo(), 1);
}

// A view that reads the current row while it hears of a deletion finds no row past the end.
TEST(DataTable, ObserversOfADeletionReadNothingPastTheLastRow) {
    struct Reader : TableObserver {
        DataTable* t = nullptr;
        std::vector<bool> nulls;
        void rowInserted(int) override {}
        void rowRemoved(int) override { nulls.push_back(isNull(t->value("PileNumber"))); }
        void rowChanged(int) override {}
        void tableReset() override {}
        void currentChanged(int) override {}
    } reader;
    DataTable t = filled({1, 2});
    reader.t = &t;
    t.addObserver(&reader);
    t.last();
    t.deleteRecord();
    EXPECT_EQ(reader.nulls, std::vector<bool>{true});
    EXPECT_EQ(asInt(t.value("PileNumber")), 1);
    t.removeObserver(&reader);
}

TEST(DataTable, FieldTypesAreEnforced) {
    DataTable t({{"Name", FieldType::String, 5}, {"Version", FieldType::Int32, 0}});
    t.createDataSet();
    t.appendRecord({QStringLiteral("Vibrix4"), std::int32_t(65537)});
    EXPECT_EQ(asText(t.value("Name")), QStringLiteral("Vibri"));
    EXPECT_THROW(t.appendRecord({QStringLiteral("x"), QStringLiteral("not a number")}), DataSetError);
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.state(), DataTable::State::Browse);
    EXPECT_THROW(t.setValue(0, QStringLiteral("y")), DataSetError); // browse state
}

TEST(DataTable, EventsFireBeforeEachChangeAndScrollOnMoves) {
    DataTable t = filled({1, 2, 3});
    std::vector<std::string> seen;
    t.beforeInsert = [&](DataTable&) { seen.push_back("insert"); };
    t.beforeEdit = [&](DataTable&) { seen.push_back("edit"); };
    t.beforePost = [&](DataTable&) { seen.push_back("post"); };
    t.beforeDelete = [&](DataTable&) { seen.push_back("delete"); };
    t.afterScroll = [&](DataTable& d) { seen.push_back("scroll" + std::to_string(d.recNo())); };
    t.first();
    t.moveBy(0);
    t.next();
    t.edit();
    t.post();
    t.deleteRecord();
    t.appendRecord(measureRow(1, 1, 7));
    EXPECT_EQ(seen, (std::vector<std::string>{"scroll1", "scroll2", "edit", "post", "delete", "scroll2",
                                              "insert", "scroll2", "post"}));
}

TEST(DataTable, DeleteKeepsCursorInRangeAndEmptyTableClearsAll) {
    DataTable t = filled({1, 2, 3});
    t.last();
    t.deleteRecord();
    EXPECT_EQ(t.recNo(), 2);
    EXPECT_EQ(asInt(t.value("PileNumber")), 2);
    t.emptyTable();
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.recNo(), 0);
}

TEST(DataTable, ObserversHearChangesAndOneResetAfterSuspension) {
    DataTable t = filled({1});
    Recorder r;
    t.addObserver(&r);
    t.appendRecord(measureRow(100, 1, 2));
    t.first();
    t.deleteRecord();
    EXPECT_EQ(r.log, (std::vector<std::string>{"ins1", "cur1", "cur0", "rem0", "cur0"}));
    r.log.clear();
    t.disableControls();
    t.disableControls();
    t.appendRecord(measureRow(100, 1, 3));
    t.enableControls();
    EXPECT_TRUE(r.log.empty());
    t.enableControls();
    EXPECT_EQ(r.log, (std::vector<std::string>{"reset", "cur1"}));
    t.removeObserver(&r);
    t.first();
    EXPECT_EQ(r.log.size(), 2u);
}

TEST(DataTable, CloseReleasesRows) {
    DataTable t = filled({1, 2});
    t.close();
    EXPECT_FALSE(t.active());
    t.open();
    EXPECT_EQ(t.recordCount(), 0);
}
