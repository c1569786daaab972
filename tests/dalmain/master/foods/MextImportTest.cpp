#include "dalmain/master/EntryNutrients.h"
#include "dalmain/master/MextImport.h"
#include "dalmain/master/NutrientInfo.h"
#include "quenkit/text/ShiftJis.h"

#include "PrintQt.h"

#include <QHash>

#include <gtest/gtest.h>

using namespace dalmain;
using namespace dalmain::mext;

namespace {

const QStringList kTags = QStringLiteral(
    "REFUSE,ENERC,ENERC_KCAL,WATER,PROTCAA,PROT-,FATNLEA,CHOLE,FAT-,CHOAVLM,CHOAVL,CHOAVLDF-,FIB-,POLYL,CHOCDF-,OA,"
    "ASH,NA,K,CA,MG,P,FE,ZN,CU,MN,ID,SE,CR,MO,RETOL,CARTA,CARTB,CRYPXB,CARTBEQ,VITA_RAE,VITD,TOCPHA,TOCPHB,TOCPHG,"
    "TOCPHD,VITK,THIA,RIBF,NIA,NE,VITB6A,VITB12,FOL,PANTAC,BIOT,VITC,ALC,NACL_EQ").split(QLatin1Char(','));

// One food in both notations: the converted file's cell and the official spreadsheet's.
struct Food {
    const char *number;
    const char *officialNumber;   // as a spreadsheet may save it
    const char *name;
    const char *officialName;
    QHash<QString, QPair<QString, QString>> cells;   // tag -> (converted, official)
};

const QList<Food> &foods()
{
    static const QList<Food> list = {
        {"01001", "01001", "アマランサス 玄穀", "アマランサス　玄穀",
         {{"REFUSE", {"0", "0"}}, {"ENERC", {"1452", "1452"}}, {"ENERC_KCAL", {"343", "343"}},
          {"WATER", {"13.5", "13.5"}}, {"PROT-", {"12.7", "(12.7)"}}, {"FAT-", {"6.0", "6.0"}},
          {"CHOCDF-", {"64.9", "64.9"}}, {"FIB-", {"7.4", "7.4"}}, {"NA", {"1", "1"}}, {"K", {"600", "600"}},
          {"VITD", {"null", "Tr"}}, {"VITB12", {"null", "(Tr)"}}, {"VITC", {"0", "(0)"}}, {"RETOL", {"null", "-"}},
          {"CHOLE", {"null", "(0)"}}, {"CU", {"0.92", "0.92"}}, {"ID", {"*", "*"}}, {"NACL_EQ", {"0", "0"}},
          {"NIA", {"1.0", "1.0"}}, {"NE", {"3.8", "(3.8)"}}}},
        {"01002", "1002", "あわ 精白粒", "あわ　精白粒",
         {{"REFUSE", {"10", "10"}}, {"ENERC_KCAL", {"346", "３４６"}}, {"PROT-", {"11.2", "11.2"}},
          {"NACL_EQ", {"0.1", "0.1"}}, {"VITB6A", {"0.18", "0.18"}}}},
        {"02001", "02001", "<いも類> アメリカほどいも 塊根 生", "＜いも類＞　アメリカほどいも　塊根　生",
         {{"ENERC_KCAL", {"146", "146"}}, {"REFUSE", {"20", "20"}}}},
        {"01144", "01144", "こむぎ [即席めん類] 後の版の食品", "こむぎ　［即席めん類］　後の版の食品",
         {{"ENERC_KCAL", {"100", "100"}}}},
    };
    return list;
}

QByteArray convertedCsv()
{
    QByteArray csv;
    for (const Food &f : foods()) {
        QStringList row{QString::fromLatin1(f.number).left(2), QString::fromLatin1(f.number), "1", QString::fromUtf8(f.name)};
        for (const QString &tag : kTags)
            row.append(f.cells.contains(tag) ? f.cells[tag].first : QStringLiteral("null"));
        csv += row.join(QLatin1Char(',')).toUtf8() + '\n';
    }
    return csv;
}

// The official notation as a spreadsheet saves it: title and header rows, the tag row, the
// columns in another order than the converted file's, Shift-JIS.
QByteArray officialCsv()
{
    QStringList order = kTags;
    std::reverse(order.begin(), order.end());
    QList<QStringList> rows;
    rows.append({QStringLiteral("日本食品標準成分表2020年版（八訂）"), "", ""});
    QStringList header{"", QStringLiteral("食品名"), QStringLiteral("食品番号"), QStringLiteral("索引番号")};
    QStringList tags{"", "", "", QStringLiteral("成分識別子")};
    for (const QString &tag : order) {
        header.append(QStringLiteral("成分"));
        tags.append(tag);
    }
    rows.append(header);
    rows.append(tags);
    for (const Food &f : foods()) {
        QStringList row{QString::fromLatin1(f.number).left(2), QString::fromUtf8(f.officialName),
                        QString::fromLatin1(f.officialNumber), "1"};
        for (const QString &tag : order)
            row.append(f.cells.contains(tag) ? f.cells[tag].second : QStringLiteral("-"));
        rows.append(row);
    }
    QString text;
    for (const QStringList &row : rows)
        text += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    return quenkit::toSjis(text);
}

QByteArray fattyAcidsCsv()
{
    return QStringLiteral("01,01001,1,アマランサス　玄穀,13.5,5.0,6.0,4.75,1.18,1.48,2.10,0.04,2.06,\"note\nwith a break\"\n"
                          "01,01002,2,あわ　精白粒,13.3,4.1,4.4,3.94,(0.67),Tr,(Tr),0.12,2.63\n")
        .toUtf8();
}

// The dietary fibre table in its CSV layout: 01001 with both values, 01002 with a trace of
// soluble fibre; the other foods are not listed.
QByteArray fibreCsv()
{
    return QStringLiteral("FOOD_GROUP,FOOD_NUMBER,INDEX_NUMBER,FOOD_NAME,WATER,FIBSOL,FIBINS,FIBTG,FIB-SDFS,FIB-SDFP,"
                          "FIB-IDF,STARES,FIB-TDF,REMARKS\n"
                          "01,01001,1,アマランサス　玄穀,13.5,1.1,6.3,7.4,-,-,-,-,-,\n"
                          "01,01002,2,あわ　精白粒,13.3,Tr,(2.9),3.3,-,-,-,-,-,\n")
        .toUtf8();
}

ImportResult import(const QByteArray &main, const QByteArray &fatty = fattyAcidsCsv(), const QSet<QString> *only = nullptr,
                    const QByteArray &fibre = {})
{
    ImportResult result;
    QString error;
    EXPECT_TRUE(importMext(main, fatty, result, &error, only, fibre)) << error.toStdString();
    return result;
}

}  // namespace

TEST(MextImport, NumbersValuesAndFattyAcids)
{
    const ImportResult r = import(convertedCsv());
    ASSERT_EQ(r.foods.size(), 4);
    EXPECT_EQ(r.report.rowsRead, 4);
    EXPECT_EQ(r.report.written, 4);
    EXPECT_TRUE(r.report.leftOut.isEmpty());
    EXPECT_EQ(r.report.beyondStandard, 1);

    const FoodRecord &amaranth = r.foods[0];
    EXPECT_EQ(amaranth.number, 1u);
    EXPECT_EQ(amaranth.group, 1);
    EXPECT_EQ(amaranth.name, quenkit::toSjis(QStringLiteral("アマランサス 玄穀")));
    EXPECT_EQ(amaranth.nutrients[EnergyKcal], 343);
    EXPECT_EQ(amaranth.nutrients[EnergyKj], 1452);
    EXPECT_EQ(amaranth.nutrients[Protein], 12.7);
    EXPECT_EQ(amaranth.nutrients[Copper], 0.92);
    EXPECT_EQ(amaranth.nutrients[TotalFiber], 7.4);
    EXPECT_EQ(amaranth.nutrients[Niacin], 3.8);   // niacin equivalents, not niacin (1.0)
    EXPECT_EQ(amaranth.nutrients[SaturatedFattyAcids], 1.18);
    EXPECT_EQ(amaranth.nutrients[MonounsaturatedFattyAcids], 1.48);
    EXPECT_EQ(amaranth.nutrients[PolyunsaturatedFattyAcids], 2.10);
    // No fibre table given; the converted file's "null" stands for "-" and "Tr" alike.
    EXPECT_FALSE(amaranth.isKnown(SolubleFiber));
    EXPECT_FALSE(amaranth.isKnown(InsolubleFiber));
    EXPECT_FALSE(amaranth.isKnown(VitaminD));
    EXPECT_EQ(amaranth.nutrients[VitaminD], 0);
    EXPECT_TRUE(amaranth.isKnown(VitaminC));

    const FoodRecord &millet = r.foods[1];
    EXPECT_EQ(millet.number, 2u);
    EXPECT_EQ(millet.wasteRatio, 10);
    EXPECT_EQ(millet.nutrients[SaturatedFattyAcids], 0.67);   // estimated value
    EXPECT_EQ(millet.nutrients[MonounsaturatedFattyAcids], 0); // trace
    EXPECT_TRUE(millet.isKnown(MonounsaturatedFattyAcids));
    EXPECT_EQ(millet.nutrients[SaltEquivalent], 0.1);

    // A food past group 1's 143 standard serials keeps its official number in the reserved range
    // and its place in the group.
    const FoodRecord &later = r.foods[2];
    EXPECT_EQ(later.number, 41144u);
    EXPECT_EQ(later.group, 1);
    EXPECT_EQ(officialFoodCode(later.number), QByteArray("01144"));

    const FoodRecord &potato = r.foods[3];
    EXPECT_EQ(potato.number, 144u);   // group 2 begins after the 143 foods of group 1
    EXPECT_EQ(potato.group, 2);
    EXPECT_EQ(potato.wasteRatio, 20);
    EXPECT_FALSE(potato.isKnown(SaturatedFattyAcids));   // not in the fatty-acid table
    EXPECT_EQ(r.report.foodsWithoutFattyAcids, 2);
    EXPECT_TRUE(r.report.valueProblems.isEmpty()) << r.report.valueProblems.join(QLatin1Char('\n')).toStdString();
}

TEST(MextImport, OfficialSpreadsheetNotationGivesTheSameFoods)
{
    const ImportResult converted = import(convertedCsv());
    const ImportResult official = import(officialCsv());
    EXPECT_EQ(official.report.rowsSkipped, 1);   // the title; the header rows are read, not skipped
    ASSERT_EQ(official.foods.size(), converted.foods.size());
    for (int i = 0; i < converted.foods.size(); ++i) {
        SCOPED_TRACE(i);
        const FoodRecord &a = converted.foods[i];
        const FoodRecord &b = official.foods[i];
        EXPECT_EQ(b.number, a.number);
        EXPECT_EQ(quenkit::fromSjis(b.name), quenkit::fromSjis(a.name));
        EXPECT_EQ(b.keywords, a.keywords);
        EXPECT_EQ(b.nutrients, a.nutrients);
        EXPECT_EQ(b.wasteRatio, a.wasteRatio);
        // The conversion wrote "Tr" and "-" alike as "null": what the official notation leaves
        // unknown, the converted file does too, not the other way round.
        EXPECT_EQ(b.unknown & ~a.unknown, UnknownNutrients()) << b.unknown.to_string();
    }
    const FoodRecord &amaranth = official.foods[0];
    EXPECT_TRUE(amaranth.isKnown(VitaminD));       // "Tr"
    EXPECT_TRUE(amaranth.isKnown(VitaminB12));     // "(Tr)"
    EXPECT_TRUE(amaranth.isKnown(Cholesterol));    // "(0)"
    EXPECT_FALSE(amaranth.isKnown(Retinol));       // "-"
}

// Each official notation: what is stored, what the stored field reads back as, and what 100 g of
// the food adds to a day.
TEST(MextImport, NotationKeepsItsMeaning)
{
    const struct {
        const char *cell;
        bool known;
        double value;
        const char *field;   // the six characters of vitamin D (one decimal)
    } cases[] = {
        {"-", false, 0, "      "},    {"Tr", true, 0, "   0.0"},      {"(Tr)", true, 0, "   0.0"},
        {"(0)", true, 0, "   0.0"},   {"(1.2)", true, 1.2, "   1.2"},  {"1.2\u2020", true, 1.2, "   1.2"},
        {"0", true, 0, "   0.0"},     {"3", true, 3, "   3.0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cell);
        const QString row = QStringLiteral("FOOD_GROUP,FOOD_NUMBER,INDEX_NUMBER,FOOD_NAME,ENERC_KCAL,VITD\n"
                                           "01,01001,1,アマランサス　玄穀,343,%1\n")
                                .arg(QString::fromUtf8(c.cell));
        const ImportResult r = import(row.toUtf8(), QByteArray());
        ASSERT_EQ(r.foods.size(), 1);
        const FoodRecord &food = r.foods[0];
        EXPECT_EQ(food.isKnown(VitaminD), c.known);
        EXPECT_EQ(food.nutrients[VitaminD], c.value);
        const QByteArray body = food.toBody();
        EXPECT_EQ(body.mid(food::NutrientOffset + VitaminD * food::NutrientWidth, food::NutrientWidth), QByteArray(c.field));
        const FoodRecord stored = FoodRecord::fromBody(body);
        EXPECT_EQ(stored.isKnown(VitaminD), c.known);
        EXPECT_EQ(stored.nutrients[VitaminD], c.value);   // blank reads 0
        EntryFood entry;
        entry.per100g = stored.nutrients;
        EXPECT_DOUBLE_EQ(entryNutrients(&entry, 100, false)[VitaminD], c.value);
        EXPECT_TRUE(r.report.valueProblems.isEmpty()) << r.report.valueProblems.join(QLatin1Char('\n')).toStdString();
    }
}

TEST(MextImport, SolubleAndInsolubleFibreFromTheFibreTable)
{
    const ImportResult r = import(officialCsv(), fattyAcidsCsv(), nullptr, fibreCsv());
    ASSERT_EQ(r.foods.size(), 4);
    EXPECT_TRUE(r.report.fibreRead);
    EXPECT_EQ(r.report.foodsWithoutFibre, 2);
    const FoodRecord &amaranth = r.foods[0];
    EXPECT_EQ(amaranth.nutrients[SolubleFiber], 1.1);
    EXPECT_EQ(amaranth.nutrients[InsolubleFiber], 6.3);
    EXPECT_EQ(amaranth.nutrients[TotalFiber], 7.4);   // from the main table
    const FoodRecord &millet = r.foods[1];
    EXPECT_TRUE(millet.isKnown(SolubleFiber));
    EXPECT_EQ(millet.nutrients[SolubleFiber], 0);     // "Tr"
    EXPECT_EQ(millet.nutrients[InsolubleFiber], 2.9); // "(2.9)"
    for (const FoodRecord &unlisted : {r.foods[2], r.foods[3]}) {
        SCOPED_TRACE(unlisted.number);
        EXPECT_FALSE(unlisted.isKnown(SolubleFiber));
        EXPECT_FALSE(unlisted.isKnown(InsolubleFiber));
    }
    EXPECT_TRUE(r.report.text().contains(QStringLiteral("Foods without soluble and insoluble fibre (left unknown): 2\n")));
}

TEST(MextImport, ProblemsAreReported)
{
    QByteArray csv = convertedCsv();
    QByteArray bad = csv.left(csv.indexOf('\n') + 1);   // 01001 once more
    csv += bad;
    csv.replace("01,01002,1,あわ 精白粒,10,null,346", "01,01002,1,あわ 精白粒,10,1234567,346");
    csv.replace("02,02001,1,<いも類> アメリカほどいも 塊根 生,20,null,146,null", "02,02001,1,<いも類> アメリカほどいも 塊根 生,20,null,146,abc");
    const ImportResult r = import(csv, QByteArray());
    EXPECT_EQ(r.report.duplicates, QStringList{"01001"});
    EXPECT_TRUE(r.report.valuesLost);
    EXPECT_FALSE(r.report.fattyAcidsRead);
    const QString problems = r.report.valueProblems.join(QLatin1Char('\n'));
    EXPECT_TRUE(problems.contains(QStringLiteral("01002 ENERC: 1234567 does not fit"))) << problems.toStdString();
    EXPECT_TRUE(problems.contains(QStringLiteral("02001 WATER: \"abc\" is no value"))) << problems.toStdString();
    const QString text = r.report.text();
    EXPECT_TRUE(text.contains(QStringLiteral("Duplicate food numbers (first row kept): 1\n  01001\n"))) << text.toStdString();

    ImportResult none;
    QString error;
    EXPECT_FALSE(importMext("a,b,c\n", QByteArray(), none, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(MextImport, OnlyListedFoodsAreWrittenWithTheNamesOfTheWholeTable)
{
    const QSet<QString> only = readFoodNumberList("# sample\n01002   # あわ\n\n2001\n");
    EXPECT_EQ(only, (QSet<QString>{"01002", "02001"}));
    const ImportResult r = import(convertedCsv(), fattyAcidsCsv(), &only);
    ASSERT_EQ(r.foods.size(), 2);
    // 01144 is dropped after the names are made.
    EXPECT_EQ(r.foods[0].number, 2u);
    EXPECT_EQ(r.foods[1].number, 144u);
    EXPECT_EQ(r.report.written, 2);
}
