// The analyze command end to end: a user, a food table, reference intakes and a menu file in a
// fresh data folder, analysed by the tool as a user would run it.

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"
#include "dalmain/master/FoodRecord.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/ExerciseLog.h"
#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserStore.h"
#include "dalmain/userdata/WeightLog.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <initializer_list>

using namespace dalmain;
using testsupport::runCli;

namespace {

constexpr unsigned kUserNumber = 3;
const QString kUserName = QStringLiteral("山田花子");
constexpr quint16 kFood = 1;

// A reference intakes file whose single age row covers everyone: energy 1500-2300 kcal,
// protein from 60 g and salt up to 7.5 g at every activity level; nothing else has a value.
QByteArray referenceIntakesText()
{
    QList<double> values(168, 0.0);
    auto set = [&](int column, double lower, double upper) {
        for (int level = 0; level < 3; ++level) {
            values[6 * column + 2 * level] = lower;
            values[6 * column + 2 * level + 1] = upper;
        }
    };
    set(0, 1500, 2300);
    set(1, 60, 0);
    set(27, 0, 7.5);
    QByteArray row = "all,99,0,0";
    for (double v : values)
        row += ',' + QByteArray::number(v);
    row += "\r\n";
    QByteArray text = "h1\r\nh2\r\nh3\r\n";
    for (int i = 0; i < 15; ++i)
        text += row;
    text += "separator\r\n";
    for (int i = 0; i < 19; ++i)
        text += row;
    return text;
}

// A food of the composition table with the given values per 100 g.
FoodRecord foodOf(quint16 number, const char *name, int group, std::initializer_list<std::pair<int, double>> values)
{
    FoodRecord food;
    food.number = number;
    food.name = name;
    food.group = group;
    for (const auto &[nutrient, value] : values)
        food.nutrients[nutrient] = value;
    return food;
}

DayMenu breakfastOf(const char *dateKey, quint16 tenths)
{
    DayMenu day;
    day.dateKey = dateKey;
    day.entries[Breakfast][0] = {kFood, tenths};
    day.foodCounts = {1, 0, 0, 0, 1};
    return day;
}

class AnalyzeCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const FoodRecord food = foodOf(kFood, "test food", 1, {{EnergyKcal, 200}, {Protein, 10}, {SaltEquivalent, 1.0}});
        ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), {food}), 1);
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(QStringLiteral("jk2010.dat")), referenceIntakesText()));

        ASSERT_TRUE(ensureUserTable());
        UserProfile user;
        user.number = kUserNumber;
        user.reading = QStringLiteral("ﾔﾏﾀﾞﾊﾅｺ");
        user.name = kUserName;
        user.age = 30;
        user.sex = 1;
        user.height = QStringLiteral("160");
        ASSERT_EQ(writeUserRecord(user), 1);

        // January 2024 has three days of 1000, 2000 and 2400 kcal; the other two records
        // belong to other months.
        QByteArray menus;
        for (const DayMenu &d : {breakfastOf("20240105", 5000), breakfastOf("20240201", 9000),
                                 breakfastOf("20240110", 10000), breakfastOf("20230120", 9000),
                                 breakfastOf("20240131", 12000)})
            menus += encodeDayMenu(d);
        ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUserNumber)), menus));
    }

    // The food with fat and carbohydrate, the fixture's days with the energy that saving them
    // stores, exercise items, basal standards, and January's exercise and weights.
    void addMonthOfExerciseAndWeights()
    {
        const FoodRecord food = foodOf(kFood, "test food", 1, {{EnergyKcal, 200}, {Protein, 10}, {Fat, 5}, {Carbohydrate, 25}});
        EXPECT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), {food}), 1);
        // The fixture's days again, with the energy that saving them stores.
        QByteArray menus;
        for (auto [date, tenths] : {std::pair{"20240105", 5000}, {"20240201", 9000}, {"20240110", 10000},
                                    {"20230120", 9000}, {"20240131", 12000}}) {
            DayMenu d = breakfastOf(date, quint16(tenths));
            d.totals[Breakfast][EnergyKcal] = tenths * 0.1 * 2.0;
            for (int row : {int(Breakfast), kDayRow})
                d.groupsAsEntered[row][0] = tenths / 10;
            menus += encodeDayMenu(d);
        }
        EXPECT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUserNumber)), menus));
        EXPECT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + kBasalTable,
                                m_folders.dataFile(kBasalTable)));
        EXPECT_EQ(quenkit::createDbfTable(kExerciseItemTable, exerciseItemFields()), 1);
        auto item = [](unsigned number, const char16_t *name, double af) {
            ExerciseItem i;
            i.number = number;
            i.name = quenkit::toSjis(name);
            i.af = af;
            i.afText = afFieldText(af);
            return i;
        };
        for (const ExerciseItem &i : {item(2, u"歩く", 4.0), item(3, u"家事", 0.0)})
            EXPECT_EQ(quenkit::WriteDBFRecord(nullptr, kExerciseItemTable, encodeExerciseItem(i), exerciseItemNumberField(),
                                              quenkit::WriteNewOnly),
                      1);
        EXPECT_EQ(quenkit::createDbfTable(exerciseLogName(kUserNumber), exerciseLogFields()), 1);
        EXPECT_EQ(quenkit::createDbfTable(weightLogName(kUserNumber), weightLogFields()), 1);

        // Weights: 58 kg in December is in force on 5 January; 60 kg (30 % fat) from 10 January,
        // 62 kg (fat not measured) from 25 January.
        for (const WeightRecord &w : {WeightRecord{"20231220", 58.0, 28.0}, WeightRecord{"20240110", 60.0, 30.0},
                                      WeightRecord{"20240125", 62.0, 0.0}})
            EXPECT_TRUE(SaveWeight(kUserNumber, w));
        // Exercise: 60 minutes' walk on 5 January; 30 minutes' walk and 100 kcal of housework
        // without minutes on 25 January; a walk in February that the month does not take.
        const ExerciseSlot walk60{2, 60, "  4.0", {}};
        const ExerciseSlot walk30{2, 30, "  4.0", {}};
        const ExerciseSlot housework{3, 9999, "100.0", {}};
        EXPECT_TRUE(SaveExerciseDay(kUserNumber, "20240105", {walk60}));
        EXPECT_TRUE(SaveExerciseDay(kUserNumber, "20240125", {walk30, housework}));
        EXPECT_TRUE(SaveExerciseDay(kUserNumber, "20240201", {walk60}));
    }

    // The tool's arguments for analysing in the fixture's folders.
    QStringList toolArgs(const QStringList &args) const
    {
        return QStringList{QStringLiteral("--config-dir"), m_folders.configDir(), QStringLiteral("--data-dir"),
                           m_folders.dataDir(), QStringLiteral("analyze")}
             + args;
    }

    // The tool as given, its output as the bytes it wrote.
    testsupport::CliResult analyzeRaw(const QStringList &args, QByteArray *bytes = nullptr)
    {
        const QString out = m_folders.root() + QStringLiteral("/analysis.out");
        QFile::remove(out);
        testsupport::CliResult r = runCli(toolArgs(args) + QStringList{QStringLiteral("--out"), out});
        if (bytes)
            *bytes = testsupport::readFile(out);
        return r;
    }

    // The bytes the tool writes on its standard output.
    QByteArray analyzeStdout(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(DALMORA_CLI_PATH), toolArgs(args));
        p.waitForFinished(120000);
        EXPECT_EQ(p.exitCode(), 0);
        return p.readAllStandardOutput();
    }

    // The saved plain text with every section, decoded.
    testsupport::CliResult analyze(const QStringList &args)
    {
        QByteArray bytes;
        testsupport::CliResult r = analyzeRaw(args + QStringList{QStringLiteral("--kind"), QStringLiteral("text"),
                                                                 QStringLiteral("--sections"), kEverySection},
                                              &bytes);
        r.out = quenkit::fromSjis(bytes);
        return r;
    }

    static inline const QString kEverySection = QStringLiteral("1,2,3,4,5,6,7,8,10,11,12,13");

    testsupport::TempFolders m_folders;
};

const QString kSeparator = QString(60, QLatin1Char('*')) + QStringLiteral("\r\n");
const QString kTableHead = QStringLiteral(
    "栄養バランス\r\n"
    "成分名       単位 基準値下限 基準値上限     摂取量   差      判定 充足確率\r\n");

// The section of out that begins with head, up to and including its separator line; empty
// when out has none.
QString sectionOf(const QString &out, const QString &head)
{
    const qsizetype start = out.indexOf(head);
    if (start < 0)
        return {};
    const qsizetype end = out.indexOf(kSeparator, start);
    return end < 0 ? QString() : out.mid(start, end + kSeparator.size() - start);
}

TEST_F(AnalyzeCommand, MonthWithEveryNutrient)
{
    const testsupport::CliResult r =
        analyze({kUserName, QStringLiteral("--month"), QStringLiteral("2024-01"), QStringLiteral("--all-nutrients")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("分析結果 [月間分析]\r\n分析日付 [2024/01]\r\n") + kSeparator));
    EXPECT_TRUE(r.out.endsWith(kSeparator));
    // Numbered as if the table came right after the title, the date and their separator.
    const QString table = sectionOf(r.out, kTableHead);
    const QStringList lines = (kSeparator + kSeparator + kSeparator + table).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3 + 2 + 37 + 1 + 1) << qPrintable(r.out);
    // 5400 kcal, 270 g protein and 27 g salt over 3.000005 days. Energy and protein lie within
    // their references; salt at 8.99998 g is 119.9998 % of its upper bound, a slight excess
    // although the rate prints as 120.00.
    EXPECT_EQ(lines[5], QStringLiteral("ｴﾈﾙｷﾞｰ       kcal       1500       2300       1800      0     ● 100.00"));
    EXPECT_EQ(lines[6], QStringLiteral("ｴﾈﾙｷﾞｰ         kJ                                0                     "));
    EXPECT_EQ(lines[8], QStringLiteral("たんぱく質      g       60.0        0.0       90.0    0.0     ● 100.00"));
    EXPECT_EQ(lines[41], QStringLiteral("食塩相当量      g        0.0        7.5        9.0    1.5     ▲ 120.00"));
}

TEST_F(AnalyzeCommand, DaySelectionAndTheNutrientSelection)
{
    // Only energy (1) and salt (37) are selected for the analysis screen.
    for (int n = 1; n <= 37; ++n) {
        ASSERT_EQ(quenkit::SetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Eiyouso2_%1").arg(n),
                                             QLatin1String(n == 1 || n == 37 ? "1" : "0")), 1);
    }
    const QString rows = QStringLiteral(
        "ｴﾈﾙｷﾞｰ       kcal       1500       2300       1000   -500     ＊  66.67\r\n"
        "食塩相当量      g        0.0        7.5        5.0    0.0     ● 100.00\r\n");
    testsupport::CliResult r = analyze({QString::number(kUserNumber), QStringLiteral("--day"), QStringLiteral("2024-01-05")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("分析結果 [一日分析]\r\n分析日付 [2024/01/05]\r\n") + kSeparator));
    EXPECT_EQ(sectionOf(r.out, kTableHead), kTableHead + rows + kSeparator);

    // The same day chosen twice is one day; a chosen set has no date line.
    r = analyze({kUserName, QStringLiteral("--days"), QStringLiteral("2024-01-05,2024-01-05")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("分析結果 [選択分析]\r\n") + kSeparator + QStringLiteral("ユーザー番号 3\r\n")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("       1000   -500     ＊  66.67\r\n"))) << qPrintable(r.out);

    // A day without a record analyses as nothing eaten.
    r = analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-01-06")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains(QStringLiteral("          0  -1500     ＊   0.00\r\n"))) << qPrintable(r.out);
}

// A day of two foods, the second with vitamin D not analysed and a fifth of it waste: its
// vitamin D adds nothing, and the coverage tells that the total rests on 100 of the 140 g eaten.
TEST_F(AnalyzeCommand, CoverageOfADayWithAFoodOfUnknownVitaminD)
{
    const FoodRecord known = foodOf(kFood, "known", 1, {{EnergyKcal, 200}, {VitaminD, 2.0}});
    FoodRecord unknown = foodOf(2, "unknown vitamin D", 10, {{EnergyKcal, 100}});
    unknown.setUnknown(VitaminD);
    unknown.wasteRatio = 20;
    ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")), {known, unknown}), 1);
    DayMenu day = breakfastOf("20240301", 1000);   // 100 g of the known food
    day.entries[Lunch][0] = {2, 500};               // 50 g as bought, 40 g eaten
    QByteArray menus = testsupport::readFile(m_folders.dataFile(dayMenuFileName(kUserNumber)));
    ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(kUserNumber)), menus + encodeDayMenu(day)));

    const testsupport::CliResult r = analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-03-01"),
                                              QStringLiteral("--all-nutrients"), QStringLiteral("--coverage")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QString sections = kSeparator + kSeparator + kSeparator + sectionOf(r.out, kTableHead)
                           + sectionOf(r.out, QStringLiteral("既知の値の割合"));
    const QStringList lines = sections.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3 + 2 + 37 + 1 + 1 + 37 + 1 + 1) << qPrintable(r.out);
    EXPECT_TRUE(lines[23].contains(QStringLiteral("       2.0 "))) << qPrintable(lines[23]);   // 2 μg from the known food only
    EXPECT_EQ(lines[43], QStringLiteral("既知の値の割合 (摂取した食品 140.0 g のうち)"));
    EXPECT_EQ(lines[44], QStringLiteral("ｴﾈﾙｷﾞｰ       kcal  100.0 %  (140.0 of 140.0 g)"));
    EXPECT_EQ(lines[62], QStringLiteral("ﾋﾞﾀﾐﾝD        μg   71.4 %  (100.0 of 140.0 g)"));
    EXPECT_TRUE(r.out.endsWith(kSeparator));

    // Without the option the analysis is as before.
    const testsupport::CliResult plain =
        analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-03-01"), QStringLiteral("--all-nutrients")});
    EXPECT_EQ(plain.out, r.out.left(plain.out.size()));
    EXPECT_FALSE(plain.out.contains(QStringLiteral("既知の値の割合")));
}

// A month of a woman of 30 (basal standard 21.7 kcal/kg, activity level II) with menus,
// exercise and weights: the energy balance, PFC and body figures of the tool against the same
// figures worked out here from the formulas, step by step.
TEST_F(AnalyzeCommand, MonthOfMenusExerciseAndWeights)
{
    addMonthOfExerciseAndWeights();
    ASSERT_FALSE(HasFailure());

    const testsupport::CliResult r = analyze({kUserName, QStringLiteral("--month"), QStringLiteral("2024-01")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);

    // January's menus: 500, 1000 and 1200 g of the food over 3 days.
    const double days = 3 + 0.000005;
    const double grams = 500 + 1000 + 1200;
    const double energy = grams * 2.0 / days, protein = grams * 0.10 / days, fat = grams * 0.05 / days,
                 carbohydrate = grams * 0.25 / days;
    auto one = [](double v) { return QString::asprintf("%.1f", v); };
    EXPECT_EQ(sectionOf(r.out, QStringLiteral("PFCﾊﾞﾗﾝｽ")),
              QStringLiteral("PFCﾊﾞﾗﾝｽ     P %1%  F %2%  C %3%\r\n")
                      .arg(one(protein * 4 / energy * 100), one(fat * 9 / energy * 100),
                           one(carbohydrate * 4 / energy * 100))
                  + kSeparator);

    const double standard = 21.7;
    auto walkKcal = [&](int minutes, double kg) { return 4.0 * standard * kg * minutes / 1440.0 + 0.05; };
    const double exerciseSum = walkKcal(60, 58) + walkKcal(30, 62) + 100.0;
    const double basalSum = (standard * 58 + 0.05) + (standard * 62 + 0.05);
    const double exercise = exerciseSum / 2, minutes = (60 + 30) / 2.0, basal = basalSum / 2;
    const double outside = (1440 - minutes) / 1440.0 * basal;
    const double life = outside * 0.75;
    const double daily = exercise + outside + life;
    EXPECT_EQ(sectionOf(r.out, QStringLiteral("運動消費")),
              QStringLiteral("運動消費 %1 kcal\r\n基礎代謝 %2 kcal\r\n生活消費 %3 kcal\r\n一日消費 %4 kcal\r\n"
                             "摂取との差 %5 kcal\r\n記録日数 2\r\n")
                      .arg(one(exercise), one(basal), one(life), one(daily), QString::asprintf("%+.1f", energy - daily))
                  + kSeparator);
    EXPECT_EQ(sectionOf(r.out, QStringLiteral("体重  ")), QStringLiteral("体重               61.0 kg\r\n") + kSeparator);
    EXPECT_EQ(sectionOf(r.out, QStringLiteral("体脂肪率")), QStringLiteral("体脂肪率           30.0 %\r\n") + kSeparator);

    // The history is the year's months with menus: January and February, each month's energy
    // the average of its days.
    const QString history = sectionOf(r.out, QStringLiteral("エネルギー、体重の履歴"));
    EXPECT_TRUE(history.contains(QStringLiteral("2024/01         1800.0 ") + one(exercise).rightJustified(14)
                                 + QStringLiteral("           61.0\r\n")))
        << qPrintable(history);
    EXPECT_TRUE(history.contains(QStringLiteral("2024/02         1800.0 ") + one(walkKcal(60, 62)).rightJustified(14)))
        << qPrintable(history);

    // Chosen days take the exercise and weights of those days only: 5 January's walk, and no
    // measurement on either day.
    const testsupport::CliResult chosen =
        analyze({kUserName, QStringLiteral("--days"), QStringLiteral("2024-01-05,2024-01-31")});
    ASSERT_EQ(chosen.exitCode, 0) << qPrintable(chosen.err);
    EXPECT_TRUE(chosen.out.contains(QStringLiteral("運動消費 %1 kcal\r\n基礎代謝 %2 kcal\r\n")
                                        .arg(one(walkKcal(60, 58)), one(standard * 58 + 0.05))))
        << qPrintable(chosen.out);
    EXPECT_TRUE(chosen.out.contains(QStringLiteral("記録日数 1\r\n")));
    EXPECT_EQ(sectionOf(chosen.out, QStringLiteral("体重  ")), QStringLiteral("体重               ***** kg\r\n") + kSeparator);
    // Its history has the chosen days, the first with its walk.
    EXPECT_TRUE(chosen.out.contains(QStringLiteral("2024/01/05         1000.0 ") + one(walkKcal(60, 58)).rightJustified(14)
                                    + QStringLiteral("          *****\r\n2024/01/31         2400.0            0.0")))
        << qPrintable(chosen.out);
}

// A user with the shipped ten-group table and the diabetes list with its 1,200 kcal units: a day
// of rice and こんにゃく in the group and exchange sections, the こんにゃく moved by the table's
// exception from the potatoes to the mushrooms and seaweeds.
TEST_F(AnalyzeCommand, GroupAndExchangeTablesOfTheProfile)
{
    const quint16 rice = quint16(officialFoodNumber(1, 88));
    const quint16 konnyaku = quint16(officialFoodNumber(2, 3));
    ASSERT_EQ(writeFoodTable(m_folders.dataFile(QStringLiteral("食品.FDB")),
                             {foodOf(rice, "rice", 1, {{EnergyKcal, 156}}), foodOf(konnyaku, "konnyaku", 2, {{EnergyKcal, 5}})}),
              1);
    for (const QString &table : {QStringLiteral("食品群別.DBF"), QStringLiteral("fg食品群別表１０群.DBF"),
                                 QStringLiteral("糖尿交換表.DAT"), QStringLiteral("適正単位.DBF")})
        ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + table, m_folders.dataFile(table)));
    UserProfile user;
    user.number = 4;
    user.reading = QStringLiteral("ｽｽﾞｷｲﾁﾛｳ");
    user.name = QStringLiteral("鈴木一郎");
    user.age = 50;
    user.height = QStringLiteral("170");
    user.foodGroupTable = QStringLiteral("食品群別表１０群");
    user.exchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
    user.unitTable = QStringLiteral("糖尿病 1200kcal(15単位)");
    ASSERT_EQ(writeUserRecord(user), 1);
    DayMenu day;
    day.dateKey = "20240301";
    day.entries[Breakfast][0] = {rice, 1500};
    day.entries[Breakfast][1] = {konnyaku, 500};
    for (int row : {int(Breakfast), kDayRow}) {
        day.groupsAsEntered[row][0] = 150;
        day.groupsAsEntered[row][1] = 50;
    }
    ASSERT_TRUE(testsupport::writeFile(m_folders.dataFile(dayMenuFileName(4)), encodeDayMenu(day)));

    const testsupport::CliResult r = analyze({QStringLiteral("4"), QStringLiteral("--day"), QStringLiteral("2024-03-01")});
    ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
    const QString exchange = sectionOf(r.out, QStringLiteral("食品交換表\r\n"));
    EXPECT_TRUE(exchange.startsWith(QStringLiteral(
        "食品交換表\r\n群名            朝     昼     夕     間    合計  適正単位   差    充足確立\r\n")))
        << qPrintable(exchange);
    // 150 g at 156 kcal are 2.925 units of 表１ against 7; 50 g of 表６ are 0.17 against 1.
    EXPECT_TRUE(exchange.contains(QStringLiteral(
        "表１            2.9    0.0    0.0    0.0    2.9    7.0   -4.1     41.8\r\n")))
        << qPrintable(exchange);
    EXPECT_TRUE(exchange.contains(QStringLiteral(
        "表６            0.2    0.0    0.0    0.0    0.2    1.0   -0.8     16.7\r\n")))
        << qPrintable(exchange);
    EXPECT_EQ(exchange.count(QStringLiteral("\r\n")), 2 + 9 + 1);   // the nine groups of the list

    // No proper-intake set: the comparison columns stay empty.
    const QString groups = sectionOf(r.out, QStringLiteral("食品群別表\r\n"));
    EXPECT_TRUE(groups.contains(QStringLiteral("穀類          150.0    0.0    0.0    0.0  150.0") + QString(23, QLatin1Char(' '))
                                + QStringLiteral("\r\n")))
        << qPrintable(groups);
    EXPECT_TRUE(groups.contains(QStringLiteral("いも類          0.0    0.0    0.0    0.0    0.0"))) << qPrintable(groups);
    EXPECT_TRUE(groups.contains(QStringLiteral("きのこ藻類     50.0    0.0    0.0    0.0   50.0"))) << qPrintable(groups);
    EXPECT_EQ(groups.count(QStringLiteral("\r\n")), 2 + 10 + 1);

    // The fixture's user names no tables: neither section is written.
    const testsupport::CliResult plain = analyze({kUserName, QStringLiteral("--day"), QStringLiteral("2024-01-05")});
    EXPECT_FALSE(plain.out.contains(QStringLiteral("食品交換表")));
    EXPECT_FALSE(plain.out.contains(QStringLiteral("食品群別表")));
}

// The household of the files under golden/: a woman with January's menus, exercise and
// weights, the ten-group table and the diabetes exchange list with its 1,200 kcal units, and
// three nutrients selected for the screen. Each file is what the analysis screen saves (or
// copies) for the month with every option on; the tool must write the same bytes, whether the
// options are given or stored.
TEST_F(AnalyzeCommand, GoldenFilesOfAHousehold)
{
    addMonthOfExerciseAndWeights();
    for (const QString &table : {QStringLiteral("食品群別.DBF"), QStringLiteral("fg食品群別表１０群.DBF"),
                                 QStringLiteral("糖尿交換表.DAT"), QStringLiteral("適正単位.DBF")})
        ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + table, m_folders.dataFile(table)));
    std::optional<UserProfile> user = readUserNamed(kUserName);
    ASSERT_TRUE(user);
    user->birthYear = 1993;
    user->birthMonth = 4;
    user->birthDay = 2;
    user->activity = 1;
    user->foodGroupTable = QStringLiteral("食品群別表１０群");
    user->exchangeTable = QStringLiteral("糖尿病食品交換表 第６版");
    user->unitTable = QStringLiteral("糖尿病 1200kcal(15単位)");
    ASSERT_EQ(writeUserRecord(*user), 2);   // overwritten
    for (int n = 1; n <= 37; ++n) {
        ASSERT_EQ(quenkit::SetRegistryString(QStringLiteral("Dalmora Analyze"), QStringLiteral("Eiyouso2_%1").arg(n),
                                             QLatin1String(n == 1 || n == 4 || n == 37 ? "1" : "0")), 1);
    }
    ASSERT_FALSE(HasFailure());

    const QStringList month = {kUserName, QStringLiteral("--month"), QStringLiteral("2024-01")};
    struct Golden {
        const char *file;
        ExportTarget target;
        TextKind kind;
    } goldens[] = {
        {"month-save.txt", ExportTarget::Save, TextKind::Tab},
        {"month-save.csv", ExportTarget::Save, TextKind::Comma},
        {"month-save-text.txt", ExportTarget::Save, TextKind::Plain},
        {"month-copy.csv", ExportTarget::Copy, TextKind::Comma},
    };
    const char *kindNames[] = {"tab", "comma", "text"};
    for (const Golden &g : goldens) {
        SCOPED_TRACE(g.file);
        const QString path = QStringLiteral(DALMORA_SOURCE_DIR "/tests/dalmain/analysis/golden/") + QLatin1String(g.file);
        const QByteArray expected = testsupport::readFile(path);

        QStringList args = month + QStringList{QStringLiteral("--kind"), QLatin1String(kindNames[int(g.kind)]),
                                               QStringLiteral("--sections"), kEverySection};
        if (g.target == ExportTarget::Copy)
            args.append(QStringLiteral("--copy"));
        QByteArray bytes;
        testsupport::CliResult r = analyzeRaw(args, &bytes);
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_EQ(bytes, expected);
        EXPECT_EQ(analyzeStdout(args), expected);
        if (g.target == ExportTarget::Save && g.kind == TextKind::Plain) {
            // Without any export option: the same text with every option on, as UTF-8.
            const testsupport::CliResult bare =
                runCli(toolArgs(month));
            EXPECT_EQ(bare.out, quenkit::fromSjis(expected));
        }
        // What the tool wrote instead stays in the build folder, to compare and to review.
        if (bytes != expected)
            testsupport::writeFile(QStringLiteral(ANALYSIS_ACTUAL_DIR "/golden-actual-") + QLatin1String(g.file), bytes);

        // The same options stored as the dialogs store them; the save's last file type, every
        // file, writes the plain kind.
        ExportOptions stored;
        stored.sections.fill(true);
        stored.shownNutrientsOnly = true;
        stored.kindChoice = g.target == ExportTarget::Save && g.kind == TextKind::Plain ? 3 : int(g.kind);
        ASSERT_TRUE(writeExportOptions(g.target, stored));
        r = analyzeRaw(g.target == ExportTarget::Copy ? month + QStringList{QStringLiteral("--copy")} : month, &bytes);
        ASSERT_EQ(r.exitCode, 0) << qPrintable(r.err);
        EXPECT_EQ(bytes, expected);
    }
}

TEST_F(AnalyzeCommand, RefusedRequests)
{
    struct Case {
        QStringList args;
        int exitCode;
        const char *message;
    } cases[] = {
        {{kUserName}, 2, "give one of --day, --month, --year and --days"},
        {{kUserName, "--day", "2024-01-05", "--year", "2024"}, 2, "give only one"},
        {{kUserName, "--day", "2024-02-30"}, 2, "not a valid --day value"},
        {{kUserName, "--month", "2024-13"}, 2, "not a valid --month value"},
        {{kUserName, "--days", "2024-01-05,yesterday"}, 2, "'yesterday' is not a date"},
        {{kUserName, "--year", "2024", "--colour"}, 2, "unknown option --colour"},
        {{QStringLiteral("佐藤"), "--year", "2024"}, 1, "no user '佐藤'"},
        {{QStringLiteral("99"), "--year", "2024"}, 1, "no user '99'"},
        {{kUserName, "--days", "2024-01-05,2024-01-06"}, 1, "no menu record for 2024-01-06"},
        {{kUserName, "--year", "2024", "--kind", "xml"}, 2, "'xml' is not tab, comma or text"},
        {{kUserName, "--year", "2024", "--sections", "2,9"}, 2, "'2,9' is not a list of option numbers"},
        {{kUserName, "--year", "2024", "--sections", "14"}, 2, "'14' is not a list"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(qPrintable(c.args.join(QLatin1Char(' '))));
        QByteArray written;
        const testsupport::CliResult r = analyzeRaw(c.args, &written);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << qPrintable(r.err);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(written.isEmpty());
    }
}

}  // namespace
