#include "blocks/BlockListModel.h"
#include "blocks/BlockRow.h"
#include "blocks/CandidateList.h"

#include <gtest/gtest.h>

namespace {

QString row(int cage, int female, const QString& own = QStringLiteral("0|1")) {
    return blockrow::cageText(cage) + QStringLiteral("|%1|True|False|False|False|").arg(female) + own;
}

TEST(CandidateList, KeepsCageOrderWhateverTheInsertOrder) {
    CandidateList list;
    for (int cage : {200, 5, 40, 1000, 40})
        list.insert(row(cage, cage + 1));
    QStringList cages;
    for (int i = 0; i < list.size(); ++i)
        cages << list.fields(i).at(blockrow::kCage);
    EXPECT_EQ(cages, QStringList({"000005", "000040", "000040", "000200", "001000"}));
    EXPECT_EQ(list.counterText(), QStringLiteral("5 Selec."));
}

TEST(CandidateList, EditsKeepThePlaceAndTheHiddenOrden) {
    CandidateList list;
    list.insert(row(10, 1, QStringLiteral("0|55")));
    list.insert(row(20, 2, QStringLiteral("0|0")));
    list.setFields(0, blockrow::kFirstOwn, {QStringLiteral("31")});
    EXPECT_EQ(list.at(0), QStringLiteral("000010|1|True|False|False|False|31|55"));
    EXPECT_EQ(list.at(1), row(20, 2, QStringLiteral("0|0")));
    list.removeAt(0);
    list.removeAt(5); // out of range: nothing
    EXPECT_EQ(list.size(), 1);
}

TEST(CandidateList, CounterGroupsThousands) {
    CandidateList list;
    EXPECT_EQ(list.counterText(), QStringLiteral("0 Selec."));
    for (int i = 0; i < 1234; ++i)
        list.insert(row(i + 1, i + 1));
    EXPECT_EQ(list.counterText(), QStringLiteral("1.234 Selec."));
}

TEST(BlockListModel, ShowsCageWithoutZerosGlyphsAndOwnFieldsNeverTheOrden) {
    BlockListModel model({QStringLiteral("Hembra"), true, {QStringLiteral("Macho")}, true, true});
    CandidateList list;
    list.insert(QStringLiteral("000042|17|True|False|True||9|0"));
    list.insert(QStringLiteral("000043|18|False|False|False|False|0|12"));
    model.setList(list);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("1 2 3 4"));
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Macho"));
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("42"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("17"));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QString::fromUtf8("þ¨þ¨"));
    EXPECT_EQ(model.data(model.index(0, 3)).toString(), QStringLiteral("9"));
    EXPECT_TRUE(model.data(model.index(0, 0), BlockListModel::kBoldRole).toBool()) << "never mated: Orden 0";
    EXPECT_FALSE(model.data(model.index(1, 0), BlockListModel::kBoldRole).toBool());
}

TEST(BlockListModel, MaleRowsHaveNoMarks) {
    BlockListModel model({QStringLiteral("Macho"), false, {QStringLiteral("Traslado a")}, false, false});
    CandidateList list;
    list.insert(QStringLiteral("000007|3|12"));
    model.setList(list);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), QStringLiteral("12"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Macho"));
}

} // namespace
