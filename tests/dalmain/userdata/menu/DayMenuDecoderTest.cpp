// The menu file as an independent reader sees it: a Python decoder written from the byte layout
// reads what the save wrote and compares every field with values stated here by hand.

#include "dalmain/userdata/DayMenuSave.h"

#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

constexpr int kUser = 7;

MenuRow food(quint16 number, double grams, int group, double waste, double share = 100.0)
{
    EntryFood f;
    f.group = group;
    f.wasteRatio = waste;
    return MenuRow::foodRow(number, grams, f, share);
}

DayTotals sampleTotals(double base)
{
    DayTotals t{};
    for (int r = 0; r < kMealRows; ++r) {
        for (int n = 0; n < kNutrientCount; ++n)
            t[r][n] = base + r * 1000 + n * 1.5 + 0.1;
    }
    return t;
}

QJsonArray totalsJson(const DayTotals &t)
{
    QJsonArray rows;
    for (const NutrientVector &v : t) {
        QJsonArray row;
        for (double d : v)
            row.append(d);
        rows.append(row);
    }
    return rows;
}

struct Decoded {
    int exitCode = -1;
    QString output;
};

Decoded runDecoder(const QString &menuFile, const QJsonObject &expected, const QString &folder)
{
    const QString json = folder + QStringLiteral("/expected.json");
    testsupport::writeFile(json, QJsonDocument(expected).toJson());
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(DALMORA_PYTHON3),
            {QStringLiteral(DALMORA_TEST_SOURCE_DIR "/decode_daymenu.py"), menuFile, json});
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

}  // namespace

TEST(DayMenuDecoder, IndependentReaderAgreesFieldByField)
{
    testsupport::TempFolders folders;
    // Waste-ratio option on throughout.
    MenuDay day;
    day.meals[Breakfast] = {food(12, 120.5, 1, 0), food(1500, 50, 12, 15)};
    day.meals[Lunch] = {MenuRow::dishRow(QStringLiteral("カレーライス")), food(200, 30, 2, 10, 50), food(12, 80, 1, 0)};
    day.meals[Dinner] = {MenuRow::dishRow(QStringLiteral("味噌汁")), food(1000, 100, 10, 20),
                         MenuRow::dishRow(QStringLiteral("焼き魚～塩～")), food(12, 0.05, 1, 0)};
    const DayTotals totals1 = sampleTotals(0);
    ASSERT_EQ(SaveDayMenu(nullptr, kUser, "20240315", day, totals1, false, true), DaySaveResult::Appended);

    MenuDay snack;
    snack.meals[Snack] = {food(65534, 6553.5, 18, 0)};
    const DayTotals totals2 = sampleTotals(0.5);
    ASSERT_EQ(SaveDayMenu(nullptr, kUser, "20240316", snack, totals2, false, true), DaySaveResult::Appended);

    const QJsonArray dish{QStringLiteral("dish")};
    QJsonObject first{
        {"record", 1},
        {"mark", "B"},
        {"date", "20240315"},
        {"counts", QJsonArray{2, 2, 2, 0, 4}},
        {"meals", QJsonArray{QJsonArray{QJsonArray{12, 1205}, QJsonArray{1500, 500}},
                             QJsonArray{dish, QJsonArray{200, 300}, QJsonArray{12, 800}},
                             QJsonArray{dish, QJsonArray{1000, 1000}, dish, QJsonArray{12, 0}}, QJsonArray{}}},
        {"dishes", QJsonArray{QStringLiteral("カレーライス"), QStringLiteral("味噌汁"), QStringLiteral("焼き魚～塩～")}},
        {"totals", totalsJson(totals1)},
        // 50 g with 15 % waste: 42.5 g edible; 30 g with 10 % waste at a share of 50: 13.5 g.
        {"groups_by_share", QJsonObject{{"0", QJsonObject{{"1", 120.5}, {"12", 42.5}}},
                                        {"1", QJsonObject{{"1", 80}, {"2", 13.5}}},
                                        {"2", QJsonObject{{"1", 0.05}, {"10", 80}}},
                                        {"4", QJsonObject{{"1", 200.55}, {"2", 13.5}, {"10", 80}, {"12", 42.5}}}}},
        {"groups_as_entered", QJsonObject{{"0", QJsonObject{{"1", 120.5}, {"12", 50}}},
                                          {"1", QJsonObject{{"1", 80}, {"2", 30}}},
                                          {"2", QJsonObject{{"1", 0.05}, {"10", 100}}},
                                          {"4", QJsonObject{{"1", 200.55}, {"2", 30}, {"10", 100}, {"12", 50}}}}},
    };
    QJsonObject second{
        {"record", 2},
        {"mark", "B"},
        {"date", "20240316"},
        {"counts", QJsonArray{0, 0, 0, 1, 1}},
        {"meals", QJsonArray{QJsonArray{}, QJsonArray{}, QJsonArray{}, QJsonArray{QJsonArray{65534, 65535}}}},
        {"dishes", QJsonArray{}},
        {"totals", totalsJson(totals2)},
        {"groups_by_share", QJsonObject{{"3", QJsonObject{{"18", 6553.5}}}, {"4", QJsonObject{{"18", 6553.5}}}}},
        {"groups_as_entered", QJsonObject{{"3", QJsonObject{{"18", 6553.5}}}, {"4", QJsonObject{{"18", 6553.5}}}}},
    };

    const QString menuFile = folders.dataFile(QStringLiteral("7.MEM"));
    const Decoded ok = runDecoder(menuFile, QJsonObject{{"records", QJsonArray{first, second}}}, folders.root());
    EXPECT_EQ(ok.exitCode, 0) << ok.output.toStdString();
    EXPECT_TRUE(ok.output.contains(QStringLiteral("2 records read, 2 compared, 0 differences"))) << ok.output.toStdString();

    // The comparison is not a formality: one wrong expectation is reported as such.
    first[QStringLiteral("counts")] = QJsonArray{2, 2, 2, 0, 5};
    const Decoded wrong = runDecoder(menuFile, QJsonObject{{"records", QJsonArray{first}}}, folders.root());
    EXPECT_EQ(wrong.exitCode, 1) << wrong.output.toStdString();
    EXPECT_TRUE(wrong.output.contains(QStringLiteral("record 1 counts"))) << wrong.output.toStdString();
}
