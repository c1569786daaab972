// The group tables, proper sets and exchange lists as the analysis reads them from a data
// folder: the record layouts, the look-up by name, and what a missing or foreign file gives.

#include "dalmain/master/AnalysisTableNames.h"
#include "dalmain/master/GroupTables.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

class GroupTables : public ::testing::Test
{
protected:
    void write(const QString &table, const QList<quenkit::DbfFieldDescriptor> &fields, const QList<QByteArray> &bodies,
               const char16_t *keyField)
    {
        ASSERT_EQ(quenkit::createDbfTable(table, fields), 1);
        for (const QByteArray &body : bodies)
            ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, table, body, quenkit::toSjis(keyField), quenkit::WriteNewOnly), 1);
    }

    static FoodGroupTable threeGroups()
    {
        FoodGroupTable t;
        t.name = QStringLiteral("三群表");
        t.groupNames[0] = QStringLiteral("主食");
        t.groupNames[1] = QStringLiteral("主菜");
        t.groupNames[2] = QStringLiteral("副菜");
        t.mapping = {1, 1, 0, 2, 0, 3, 3, 3, 3, 2, 2, 2, 2, 0, 0, 0, 0, 0};
        return t;
    }

    testsupport::TempFolders folders;
};

TEST_F(GroupTables, RecordsKeepTheirFixedLengths)
{
    EXPECT_EQ(encodeGroupTable(threeGroups()).size(), 247);          // 248 with the flag byte
    EXPECT_EQ(encodeProperIntake({QStringLiteral("a"), QStringLiteral("b"), {}}).size(), 175);
    EXPECT_EQ(encodeGroupException({1234, 6, 2}), QByteArray(" 12340602"));
    EXPECT_EQ(encodeProperUnits({QStringLiteral("a"), QStringLiteral("b"), {}}).size(), 168);
    for (const auto &fields : {groupTableFields(), properIntakeFields(), groupExceptionFields(), properUnitFields()}) {
        int width = 0;
        for (const quenkit::DbfFieldDescriptor &f : fields)
            width += f.length();
        EXPECT_TRUE(width == 247 || width == 175 || width == 9 || width == 168) << width;
    }
    EXPECT_EQ(encodeExchangeRecord(0x1234, 7), QByteArray("\x34\x12\0\0\0\x07", 6));

    // A number too wide for its field makes no record rather than a cut one.
    ProperIntakeSet wide{QStringLiteral("a"), QStringLiteral("b"), {}};
    wide.grams[0] = 9999.9;
    EXPECT_EQ(encodeProperIntake(wide).size(), 175);
    wide.grams[0] = 10000;
    EXPECT_TRUE(encodeProperIntake(wide).isEmpty());
    wide.grams.fill(9000);   // each fits, the total of 162000 does not
    EXPECT_TRUE(encodeProperIntake(wide).isEmpty());
    ProperUnitSet many{QStringLiteral("a"), QStringLiteral("b"), {}};
    many.units[17] = 12345;
    EXPECT_TRUE(encodeProperUnits(many).isEmpty());
}

TEST_F(GroupTables, GroupDataByTheProfilesNames)
{
    FoodGroupTable other = threeGroups();
    other.name = QStringLiteral("別表");
    other.mapping.fill(1);
    write(kGroupTablesTable, groupTableFields(), {encodeGroupTable(other), encodeGroupTable(threeGroups())}, u"郡別表名");
    ProperIntakeSet adult{QStringLiteral("成人"), QStringLiteral("三群表"), {}};
    adult.grams[0] = 250;
    adult.grams[2] = 350.5;
    write(kProperIntakeTable, properIntakeFields(), {encodeProperIntake(adult)}, u"適正摂取名");
    write(groupExceptionTableName(QStringLiteral("三群表  ")), groupExceptionFields(),
          {encodeGroupException({75, 2, 0}), encodeGroupException({12, 6, 2})}, u"食品番号");

    const GroupData data = LoadGroupData(QStringLiteral("三群表"), QStringLiteral("成人"));
    EXPECT_EQ(data.table, threeGroups());
    EXPECT_EQ(data.table.groupCount(), 3);
    EXPECT_EQ(data.intake, adult);
    EXPECT_EQ(data.groupIndex[0], 0);
    EXPECT_EQ(data.groupIndex[2], -1);
    EXPECT_EQ(data.groupIndex[5], 2);
    // In key order, as the table keeps them.
    EXPECT_EQ(data.exceptions, (QList<GroupException>{{12, 6, 2}, {75, 2, 0}}));

    // Names that are not there leave the records empty; the mapping then counts nothing.
    const GroupData none = LoadGroupData(QStringLiteral("四群表"), QStringLiteral("子供"));
    EXPECT_EQ(none.table, FoodGroupTable());
    EXPECT_EQ(none.intake, ProperIntakeSet());
    for (int index : none.groupIndex)
        EXPECT_EQ(index, -1);
    EXPECT_TRUE(none.exceptions.isEmpty());
}

TEST_F(GroupTables, MappingCodesOutsideTheTableCountNothing)
{
    FoodGroupTable t;
    t.mapping = {0, 1, 18, 19, 99};
    const auto index = groupIndexesOf(t);
    EXPECT_EQ(index[0], -1);
    EXPECT_EQ(index[1], 0);
    EXPECT_EQ(index[2], 17);
    EXPECT_EQ(index[3], -1);
    EXPECT_EQ(index[4], -1);
}

TEST_F(GroupTables, ExchangeDataFromTheFileAndTheFoodTable)
{
    QByteArray file = encodeExchangeRecord(10, 1) + encodeExchangeRecord(99, 6) + encodeExchangeRecord(10, 3);
    ASSERT_TRUE(testsupport::writeFile(folders.dataFile(kDiabetesExchangeFile), file + QByteArray("\x01\x02", 2)));
    ProperUnitSet units{QStringLiteral("1200kcal"), kDiabetesExchangeTable, {}};
    units.units[0] = 7;
    units.units[6] = 0.5;
    write(kProperUnitTable, properUnitFields(), {encodeProperUnits(units)}, u"適正単位名");

    FoodCache cache;
    FoodCacheEntry food;
    food.number = 10;
    food.nutrients[EnergyKcal] = 160;
    food.nutrients[Protein] = 6.5;
    food.wasteRatio = 20;
    cache.append(food);
    food.nutrients[EnergyKcal] = 999;   // a second record of number 10 is not the one found
    cache.append(food);

    ExchangeData data;
    ASSERT_TRUE(LoadExchangeData(kDiabetesExchangeTable, QStringLiteral("1200kcal"), cache, data));
    EXPECT_EQ(data.kind, ExchangeKind::Diabetes);
    EXPECT_EQ(data.units, units);
    // The two bytes after the last whole record are no record; food 99 is not in the table.
    ASSERT_EQ(data.foods.size(), 3);
    EXPECT_EQ(data.foods[0].group, 1);
    EXPECT_EQ(data.foods[0].energy, 160);
    EXPECT_EQ(data.foods[0].protein, 6.5);
    EXPECT_EQ(data.foods[0].wasteRatio, 20);
    EXPECT_EQ(data.foods[1].food, 99u);
    EXPECT_EQ(data.foods[1].energy, 0);
    EXPECT_EQ(data.foods[2].group, 3);

    // The kidney list's file is missing: no foods, but the kind stands.
    ASSERT_TRUE(LoadExchangeData(kKidneyExchangeTable, QString(), cache, data));
    EXPECT_EQ(data.kind, ExchangeKind::Kidney);
    EXPECT_TRUE(data.foods.isEmpty());
    // A name of neither list: no exchange figures.
    ASSERT_TRUE(LoadExchangeData(QStringLiteral("糖尿病食品交換表 第７版"), QString(), cache, data));
    EXPECT_EQ(data.kind, ExchangeKind::None);
    EXPECT_TRUE(data.foods.isEmpty());
    // Without the food table the load fails and the list stays empty.
    EXPECT_FALSE(LoadExchangeData(kDiabetesExchangeTable, QString(), FoodCache(), data));
    EXPECT_TRUE(data.foods.isEmpty());
}

TEST_F(GroupTables, GroupNamesOfTheTwoLists)
{
    EXPECT_EQ(exchangeGroupNames(ExchangeKind::Diabetes).size(), 9);
    EXPECT_EQ(exchangeGroupNames(ExchangeKind::Diabetes)[5], QStringLiteral("表６"));
    EXPECT_EQ(exchangeGroupNames(ExchangeKind::Kidney).size(), 8);
    EXPECT_EQ(exchangeGroupNames(ExchangeKind::Kidney)[6], QStringLiteral("別表１～５"));
    EXPECT_TRUE(exchangeGroupNames(ExchangeKind::None).isEmpty());
}

}  // namespace
