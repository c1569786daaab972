#include "PrintTestSupport.h"

#include "dalmain/print/ExerciseReport.h"
#include "dalmain/print/PageGrid.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kUserName = QStringLiteral("山田太郎");

// A 40-year-old man of 170 cm with the shipped exercise tables, as the tool enters him.
class ReportPdfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::installExerciseTables(folders));
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(testsupport::addManArguments(kUserName, QStringLiteral("ﾀﾛｳ")));
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    }

    testsupport::CliResult cli(const QStringList &args) const
    {
        return testsupport::runCli(
            QStringList{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"), folders.dataDir()} +
            args);
    }
    // dalmora print KIND USER WHEN --pdf FILE; the file's path.
    QString print(const QString &kind, const QString &when, testsupport::CliResult *result = nullptr) const
    {
        const QString path = folders.root() + QStringLiteral("/") + kind + QStringLiteral(".pdf");
        const testsupport::CliResult r = cli({QStringLiteral("print"), kind, kUserName, when, QStringLiteral("--pdf"), path});
        if (result)
            *result = r;
        else
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return path;
    }

    testsupport::TempFolders folders;
};

void expectAllFontsEmbedded(const QString &pdf)
{
    const QList<QStringList> fonts = printtest::pdfFonts(pdf);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QStringList &row : fonts)
        EXPECT_EQ(row.value(row.size() - 5), QStringLiteral("yes")) << row.join(QLatin1Char(' ')).toStdString();
}

void expectContains(const QString &text, const QStringList &parts)
{
    for (const QString &part : parts)
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << " missing from:\n" << text.toStdString();
}

TEST_F(ReportPdfTest, ExerciseDayPrintsTheEntriesAndTheDaysEnergyExpenditure)
{
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"),
                   QStringLiteral("93:30,39:=150,36:20=80")})
                  .exitCode,
              0);
    const testsupport::CliResult shown =
        cli({QStringLiteral("exercise"), QStringLiteral("show"), kUserName, QStringLiteral("2024-05-10")});
    ASSERT_EQ(shown.exitCode, 0);
    const QString pdf = print(QStringLiteral("exercise"), QStringLiteral("2024-05-10"));
    const QString text = printtest::pdfText(pdf);
    expectContains(text, {QStringLiteral("運動記録"), kUserName, QStringLiteral("40歳"), QStringLiteral("2024年05月10日(金)"),
                          QStringLiteral("運動の内容"), QStringLiteral("消費エネルギー(kcal)"), QStringLiteral("150.0"),
                          QStringLiteral("80.0"), QStringLiteral("1 / 1")});
    // Every entry's name as the tool lists it, and the summary's first figure line.
    for (const QString &line : shown.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(0, 3))
        EXPECT_TRUE(text.contains(line.section(QLatin1Char('\t'), 0, 0).trimmed())) << line.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("運動時間"))) << text.toStdString();
    EXPECT_EQ(printtest::pdfPageCount(pdf), 1);
    expectAllFontsEmbedded(pdf);
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("exercise")), 1);

    // Without the summary block the entries alone are printed.
    quenkit::SetRegistryString(QStringLiteral("Dalmora Sports Print"), QStringLiteral("ChkFlg2"), QStringLiteral("0"));
    const QString listOnly = printtest::pdfText(print(QStringLiteral("exercise"), QStringLiteral("2024-05-10")));
    EXPECT_TRUE(listOnly.contains(QStringLiteral("運動の内容")));
    EXPECT_FALSE(listOnly.contains(QStringLiteral("運動時間")));
}

TEST_F(ReportPdfTest, AMemoLongerThanItsColumnWrapsInsteadOfRunningOffThePage)
{
    // The longest memo an entry keeps: 30 full-width characters.
    const QString memo = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ");
    dalmain::ExerciseEntry entry;
    entry.name = quenkit::toSjis(QStringLiteral("歩く（時速5.6km、速歩き）"));
    entry.item = 93;
    entry.minutesCode = 30;
    entry.energy = 119.9;
    entry.memo = quenkit::toSjis(memo);
    dalmain::ExerciseDay day;
    ASSERT_EQ(day.insert(entry), dalmain::ExerciseDay::Added::Added);
    ASSERT_EQ(day.insert(entry), dalmain::ExerciseDay::Added::Added);
    dalmain::UserProfile person;
    person.name = kUserName;
    dalmain::ReportOptions options;
    options.blocks = dalmain::kAllBlocks;
    const dalmain::ExerciseDayReport report(person, "20240510", day, day.summary({}), options);
    const QString pdf = folders.root() + QStringLiteral("/memo.pdf");
    ASSERT_EQ(dalmain::printToPdf(report, {}, pdf), dalmain::PrintOutcome::Printed);
    const QString text = printtest::pdfText(pdf);
    // The wrapped memo's first and last characters are on the page, each time it is entered.
    EXPECT_EQ(text.count(memo.left(4)), 2) << text.toStdString();
    EXPECT_EQ(text.count(memo.right(4)), 2) << text.toStdString();
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("exercise-memo")), 1);
}

TEST_F(ReportPdfTest, ADayOrMonthWithoutEntriesWritesNoFile)
{
    for (const auto &[kind, when] : {std::pair{QStringLiteral("exercise"), QStringLiteral("2024-05-11")},
                                     std::pair{QStringLiteral("weight"), QStringLiteral("2023-12")}}) {
        testsupport::CliResult r;
        const QString pdf = print(kind, when, &r);
        EXPECT_EQ(r.exitCode, 1) << kind.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("データが入力されていないので印刷できません。"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << kind.toStdString();
    }
}

TEST_F(ReportPdfTest, WeightMonthPrintsTheListAveragesStandardGoalsAndBothCharts)
{
    for (const auto &[date, kg, fat] : {std::tuple{"2024-05-03", "61.0", "22.0"}, std::tuple{"2024-05-10", "60.4", "21.5"},
                                        std::tuple{"2024-05-24", "59.8", "0"}}) {
        const testsupport::CliResult r = cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QString::fromLatin1(date),
                                              QString::fromLatin1(kg), QStringLiteral("--body-fat"), QString::fromLatin1(fat)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("goal"), kUserName, QStringLiteral("--weight"), QStringLiteral("58")})
                  .exitCode,
              0);
    const QString pdf = print(QStringLiteral("weight"), QStringLiteral("2024-05"));
    const QString text = printtest::pdfText(pdf);
    // 60.4 kg at 170 cm is a BMI of 20.90, listed as 20.9; the month's average is 60.4 kg and
    // 21.8 % body fat (the day without body fat does not count), 1.8 points above the standard.
    expectContains(text, {QStringLiteral("体重記録"), kUserName, QStringLiteral("2024年05月"), QStringLiteral("測定記録"),
                          QStringLiteral("05/10(金)"), QStringLiteral("60.4"), QStringLiteral("20.9"), QStringLiteral("月平均"),
                          QStringLiteral("21.8"), QStringLiteral("+1.8"), QStringLiteral("適正との差"), QStringLiteral("標準値と目標"),
                          QStringLiteral("適正体重"), QStringLiteral("ＢＭＩチャートと月間履歴グラフ"), QStringLiteral("1 / 1")});
    EXPECT_FALSE(text.contains(QStringLiteral("04/"))) << "only May's measurements";
    EXPECT_EQ(printtest::pdfPageCount(pdf), 1);
    expectAllFontsEmbedded(pdf);
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("weight")), 1);

    // The stored check boxes leave out the list and the charts.
    for (const QString &flag : {QStringLiteral("ChkFlg1"), QStringLiteral("ChkFlg4"), QStringLiteral("ChkFlg5")})
        quenkit::SetRegistryString(QStringLiteral("Dalmora Weight Print"), flag, QStringLiteral("0"));
    const QString fewer = printtest::pdfText(print(QStringLiteral("weight"), QStringLiteral("2024-05")));
    expectContains(fewer, {QStringLiteral("月平均"), QStringLiteral("適正体重")});
    EXPECT_FALSE(fewer.contains(QStringLiteral("05/10(金)")));
    EXPECT_FALSE(fewer.contains(QStringLiteral("グラフ")));
}

TEST_F(ReportPdfTest, AFullMonthRunsOnToASecondPageWithTheCharts)
{
    for (int day = 1; day <= 31; ++day) {
        const testsupport::CliResult r =
            cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QStringLiteral("2024-05-%1").arg(day, 2, 10, QLatin1Char('0')),
                 QString::number(62.0 - day * 0.1, 'f', 1), QStringLiteral("--body-fat"), QString::number(24.0 - day * 0.05, 'f', 1)});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    const QString pdf = print(QStringLiteral("weight"), QStringLiteral("2024-05"));
    ASSERT_EQ(printtest::pdfPageCount(pdf), 2);
    const QStringList pages = printtest::pdfText(pdf).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 2);
    expectContains(pages[0], {QStringLiteral("05/01(水)"), QStringLiteral("05/31(金)"), QStringLiteral("月平均"), QStringLiteral("1 / 2")});
    expectContains(pages[1], {QStringLiteral("体重記録"), kUserName, QStringLiteral("ＢＭＩチャート"), QStringLiteral("2 / 2")});
    EXPECT_FALSE(pages[1].contains(QStringLiteral("05/31(金)")));
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("weight-full")), 2);
}

TEST_F(ReportPdfTest, MenuDayPrintsEachMealsFoodsAndTheStoredTotalsWithTheJudgement)
{
    for (const QString &name : {QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX"), QStringLiteral("jk2010.dat")}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + name, folders.dataFile(name)));
        QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    // Nothing stored for the day yet: no file.
    testsupport::CliResult r;
    const QString none = print(QStringLiteral("menu"), QStringLiteral("2024-05-10"), &r);
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));

    ASSERT_EQ(cli({QStringLiteral("menu"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("breakfast"),
                   QStringLiteral("15:100"), QStringLiteral("--dish"), QStringLiteral("朝のごはん")})
                  .exitCode,
              0);
    ASSERT_EQ(cli({QStringLiteral("menu"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("dinner"),
                   QStringLiteral("15:250")})
                  .exitCode,
              0);
    const testsupport::CliResult shown = cli({QStringLiteral("menu"), QStringLiteral("show"), kUserName, QStringLiteral("2024-05-10")});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QStringList lines = shown.out.split(QLatin1Char('\n'));
    // "    15\tname\t100.0 g" and the energy row "ｴﾈﾙｷﾞｰ\tkcal\t朝\t昼\t夕\t間\t日".
    const QString food = lines.filter(QStringLiteral("100.0 g")).value(0).split(QLatin1Char('\t')).value(1);
    const QStringList energy = lines.filter(QRegularExpression(QStringLiteral("^ｴﾈﾙｷﾞｰ\tkcal"))).value(0).split(QLatin1Char('\t'));
    ASSERT_FALSE(food.isEmpty()) << shown.out.toStdString();
    ASSERT_EQ(energy.size(), 7) << shown.out.toStdString();

    const QString pdf = print(QStringLiteral("menu"), QStringLiteral("2024-05-10"));
    const QString text = printtest::pdfText(pdf);
    expectContains(text, {QStringLiteral("献立記録"), kUserName, QStringLiteral("2024年05月10日(金)"), QStringLiteral("朝食"),
                          QStringLiteral("【朝のごはん】"), food, QStringLiteral("100.0"), QStringLiteral("250.0"),
                          QStringLiteral("記録なし"), QStringLiteral("栄養素の摂取量"), QStringLiteral("基準値"),
                          QStringLiteral("判定")});
    // The energy row: the breakfast's, the dinner's and the day's figures as stored.
    const QString energyLine = text.split(QLatin1Char('\n')).filter(QStringLiteral("ｴﾈﾙｷﾞｰ(kcal)")).value(0);
    for (int column : {2, 4, 6})
        EXPECT_TRUE(energyLine.contains(energy[column].trimmed())) << energyLine.toStdString() << " / " << energy[column].toStdString();
    // 37 nutrients do not fit under the meals on one page; the table runs on with its header.
    const int pages = printtest::pdfPageCount(pdf);
    EXPECT_GE(pages, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("1 / %1").arg(pages)));
    expectAllFontsEmbedded(pdf);
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("menu")), pages);

    // Without the totals block only the meals are printed.
    quenkit::SetRegistryString(QStringLiteral("Dalmora Menu Print"), QStringLiteral("ChkFlg2"), QStringLiteral("0"));
    const QString mealsOnly = printtest::pdfText(print(QStringLiteral("menu"), QStringLiteral("2024-05-10")));
    EXPECT_TRUE(mealsOnly.contains(QStringLiteral("【朝のごはん】")));
    EXPECT_FALSE(mealsOnly.contains(QStringLiteral("栄養素の摂取量")));
}

TEST_F(ReportPdfTest, TheUserReportFilesTheProfileWithItsReferenceValuesOnOneSheet)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/jk2010.dat"), folders.dataFile(QStringLiteral("jk2010.dat"))));
    QFile::setPermissions(folders.dataFile(QStringLiteral("jk2010.dat")), QFile::ReadOwner | QFile::WriteOwner);
    // The reference values as the tool lists them: "name\tunit\tlower\tupper".
    const testsupport::CliResult shown = cli({QStringLiteral("users"), QStringLiteral("show"), kUserName});
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QStringList protein = shown.out.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^たんぱく質\t"))).value(0).split(QLatin1Char('\t'));
    ASSERT_EQ(protein.size(), 4) << shown.out.toStdString();

    const QString pdf = folders.root() + QStringLiteral("/user.pdf");
    const testsupport::CliResult r = cli({QStringLiteral("print"), QStringLiteral("user"), kUserName, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = printtest::pdfText(pdf);
    expectContains(text, {QStringLiteral("ユーザー情報"), kUserName, QStringLiteral("ﾀﾛｳ"), QStringLiteral("40歳"), QStringLiteral("男性"),
                          QStringLiteral("170"), QStringLiteral("基本情報"), QStringLiteral("活動強度"),
                          QStringLiteral("日本人の食事摂取基準(2010年版)"), QStringLiteral("食事摂取基準の値"),
                          QStringLiteral("ｴﾈﾙｷﾞｰ"), QStringLiteral("食塩相当量"), QStringLiteral("1 / 1")});
    // The protein line carries the values the tool derives for him.
    const QString proteinLine = text.split(QLatin1Char('\n')).filter(QStringLiteral("たんぱく質")).value(0);
    for (const QString &value : protein.mid(2)) {
        if (!value.trimmed().isEmpty() && value.trimmed() != QLatin1String("0")) {
            EXPECT_TRUE(proteinLine.contains(value.trimmed())) << proteinLine.toStdString() << " / " << value.toStdString();
        }
    }
    EXPECT_FALSE(text.contains(QStringLiteral("妊娠"))) << "a man has no pregnancy line";
    EXPECT_EQ(printtest::pdfPageCount(pdf), 1);
    expectAllFontsEmbedded(pdf);
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("user")), 1);

    // The reference values alone, when the profile is not ticked.
    quenkit::SetRegistryString(QStringLiteral("Dalmora User Print"), QStringLiteral("ChkFlg1"), QStringLiteral("0"));
    ASSERT_EQ(cli({QStringLiteral("print"), QStringLiteral("user"), kUserName, QStringLiteral("--pdf"), pdf}).exitCode, 0);
    const QString valuesOnly = printtest::pdfText(pdf);
    EXPECT_FALSE(valuesOnly.contains(QStringLiteral("基本情報")));
    EXPECT_TRUE(valuesOnly.contains(QStringLiteral("食事摂取基準の値")));

    // Without the reference intakes the values cannot be derived: no file.
    QFile::remove(folders.dataFile(QStringLiteral("jk2010.dat")));
    QFile::remove(pdf);
    const testsupport::CliResult missing = cli({QStringLiteral("print"), QStringLiteral("user"), kUserName, QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(missing.exitCode, 3) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(ReportPdfTest, TheToolPrintsWhereAndOnWhatPaperTheStoredOptionsSay)
{
    ASSERT_EQ(cli({QStringLiteral("exercise"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("93:30")})
                  .exitCode,
              0);
    const QString plain = print(QStringLiteral("exercise"), QStringLiteral("2024-05-10"));
    const QPointF left = printtest::pdfWordCorner(plain, QStringLiteral("運動記録"));
    ASSERT_GE(left.x(), 0.0);
    // 左寄せ on A4 portrait: 595 x 842 points.
    EXPECT_NEAR(printtest::pdfPageSize(plain).width(), 595, 1);

    struct Case {
        const char *name;
        QStringList values;   // name=value of "Dalmora Sports Print"
        QPointF shift;        // of the title, in points
    };
    const Case cases[] = {
        // 3 cm right and 1.5 cm down.
        {"offset", {QStringLiteral("Flg1=3"), QStringLiteral("Left=3.0"), QStringLiteral("Top=1.5")}, {85.0, 42.5}},
        // A line of 130 cells is wider than A4 portrait: centred and right stay at the left.
        {"centre on a narrow page", {QStringLiteral("Flg1=1")}, {0, 0}},
        {"right on a narrow page", {QStringLiteral("Flg1=2")}, {0, 0}},
        // Offsets count only for the given position.
        {"offsets of another mode", {QStringLiteral("Flg1=0"), QStringLiteral("Left=3.0"), QStringLiteral("Top=1.5")}, {0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString &value : c.values)
            quenkit::SetRegistryString(dalmain::kSportsPrintSection, value.section(QLatin1Char('='), 0, 0), value.section(QLatin1Char('='), 1));
        const QPointF corner = printtest::pdfWordCorner(print(QStringLiteral("exercise"), QStringLiteral("2024-05-10")), QStringLiteral("運動記録"));
        EXPECT_NEAR(corner.x() - left.x(), c.shift.x(), 1.0);
        EXPECT_NEAR(corner.y() - left.y(), c.shift.y(), 1.0);
    }
}

TEST_F(ReportPdfTest, TheMenuReportTakesThePaperTheSetUpStored)
{
    for (const QString &name : {QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX"), QStringLiteral("jk2010.dat")}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + name, folders.dataFile(name)));
        QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
    }
    ASSERT_EQ(cli({QStringLiteral("menu"), QStringLiteral("set"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("breakfast"),
                   QStringLiteral("15:100")})
                  .exitCode,
              0);
    struct Case {
        const char *name;
        QString orientation;   // stored "Orientation", empty for none
        QString paper;         // stored "PaperSize", empty for none
        QSizeF points;         // the PDF's page
    };
    const Case cases[] = {
        {"nothing stored: A4 landscape", {}, {}, {842, 595}},
        {"portrait", QStringLiteral("1"), {}, {595, 842}},
        {"B5 portrait", QStringLiteral("1"), QString::number(QPageSize::B5), {499, 709}},
        {"A3 landscape", QStringLiteral("2"), QString::number(QPageSize::A3), {1191, 842}},
        {"a number that is no paper", QStringLiteral("2"), QStringLiteral("9999"), {842, 595}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto &[name, value] : {std::pair{QStringLiteral("Orientation"), c.orientation},
                                          std::pair{QStringLiteral("PaperSize"), c.paper}}) {
            if (value.isEmpty())
                quenkit::DeleteRegistryString(dalmain::kMenuPrintSection, name);
            else
                quenkit::SetRegistryString(dalmain::kMenuPrintSection, name, value);
        }
        const QString pdf = print(QStringLiteral("menu"), QStringLiteral("2024-05-10"));
        const QSizeF size = printtest::pdfPageSize(pdf);
        EXPECT_NEAR(size.width(), c.points.width(), 1.5);
        EXPECT_NEAR(size.height(), c.points.height(), 1.5);
    }
    // On the landscape A4 sheet (287 mm printable) a line of 130 cells (275.6 mm) can be
    // centred: 5.7 mm, 16.2 points, to the right.
    quenkit::DeleteRegistryString(dalmain::kMenuPrintSection, QStringLiteral("Orientation"));
    quenkit::DeleteRegistryString(dalmain::kMenuPrintSection, QStringLiteral("PaperSize"));
    const QPointF left = printtest::pdfWordCorner(print(QStringLiteral("menu"), QStringLiteral("2024-05-10")), QStringLiteral("献立記録"));
    quenkit::SetRegistryString(dalmain::kMenuPrintSection, QStringLiteral("Flg1"), QStringLiteral("1"));
    const QString centred = print(QStringLiteral("menu"), QStringLiteral("2024-05-10"));
    EXPECT_NEAR(printtest::pdfWordCorner(centred, QStringLiteral("献立記録")).x() - left.x(), 16.2, 1.0);
    EXPECT_EQ(printtest::renderPages(centred, QStringLiteral("menu-landscape")), printtest::pdfPageCount(centred));
}

TEST_F(ReportPdfTest, TheToolRefusesWhatItCannotPrint)
{
    struct Case {
        QStringList args;
        int exit;
    };
    const Case cases[] = {
        {{QStringLiteral("exercise"), kUserName, QStringLiteral("2024-05-10")}, 2},  // no --pdf
        {{QStringLiteral("diary"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 2},
        {{QStringLiteral("menu"), kUserName, QStringLiteral("2024-05"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 2},
        {{QStringLiteral("weight"), kUserName, QStringLiteral("2024-13"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 2},
        {{QStringLiteral("user"), kUserName, QStringLiteral("2024-05-10"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 2},
        {{QStringLiteral("user"), QStringLiteral("誰か"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 1},
        {{QStringLiteral("exercise"), kUserName, QStringLiteral("2024-02-30"), QStringLiteral("--pdf"), QStringLiteral("x.pdf")}, 2},
        {{QStringLiteral("exercise"), QStringLiteral("誰か"), QStringLiteral("2024-05-10"), QStringLiteral("--pdf"),
          QStringLiteral("x.pdf")},
         1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(cli(QStringList{QStringLiteral("print")} + c.args).exitCode, c.exit) << c.args.join(QLatin1Char(' ')).toStdString();
}

}  // namespace
