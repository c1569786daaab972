// The analysis report as the tool writes it: the header on every page, the sections and their
// figures against the analysis text of the same period, one and two pages to a sheet, colour and
// monochrome, and the pages rendered for people to look at.

#include "PrintTestSupport.h"

#include "dalmain/print/AnalysisPrintReport.h"
#include "quenkit/registry/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

const QString kUserName = QStringLiteral("山田太郎");
const QString kMonth = QStringLiteral("2024-05");

// The tool's man of 40 years with the shipped foods, reference intakes and exercise tables,
// three days of May eaten, two weighings and the month's comment.
class AnalysisPrintPdfTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qputenv("DALMORA_TODAY", "2024-06-03");
        ASSERT_TRUE(testsupport::installExerciseTables(folders));
        for (const QString &name : {QStringLiteral("食品.FDB"), QStringLiteral("食品.IDX"), QStringLiteral("jk2010.dat")}) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + name, folders.dataFile(name)));
            QFile::setPermissions(folders.dataFile(name), QFile::ReadOwner | QFile::WriteOwner);
        }
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(testsupport::addManArguments(kUserName, QStringLiteral("ﾀﾛｳ")));
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        const QStringList meals[] = {
            {QStringLiteral("2024-05-10"), QStringLiteral("breakfast"), QStringLiteral("88:150,1517:50")},
            {QStringLiteral("2024-05-10"), QStringLiteral("dinner"), QStringLiteral("15:250")},
            {QStringLiteral("2024-05-12"), QStringLiteral("lunch"), QStringLiteral("88:200")},
            {QStringLiteral("2024-05-20"), QStringLiteral("breakfast"), QStringLiteral("1517:100,15:100")},
        };
        for (const QStringList &m : meals) {
            const testsupport::CliResult r = cli(QStringList{QStringLiteral("menu"), QStringLiteral("set"), kUserName} + m);
            ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        }
        for (const auto &[day, kg] : {std::pair{"2024-05-10", "61.0"}, std::pair{"2024-05-20", "60.2"}}) {
            ASSERT_EQ(cli({QStringLiteral("weight"), QStringLiteral("add"), kUserName, QString::fromLatin1(day),
                           QString::fromLatin1(kg), QStringLiteral("--body-fat"), QStringLiteral("21.5")})
                          .exitCode,
                      0);
        }
        ASSERT_EQ(cli({QStringLiteral("comment"), QStringLiteral("set"), kUserName, kMonth, QStringLiteral("野菜が少なめの月でした")})
                      .exitCode,
                  0);
    }
    void TearDown() override { qunsetenv("DALMORA_TODAY"); }

    testsupport::CliResult cli(const QStringList &args) const
    {
        return testsupport::runCli(
            QStringList{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"), folders.dataDir()} +
            args);
    }
    // dalmora print analysis USER PERIOD --pdf FILE; the file's path.
    QString print(const QString &name, const QStringList &period = {QStringLiteral("--month"), kMonth},
                  testsupport::CliResult *result = nullptr) const
    {
        const QString path = folders.root() + QLatin1Char('/') + name + QStringLiteral(".pdf");
        const testsupport::CliResult r =
            cli(QStringList{QStringLiteral("print"), QStringLiteral("analysis"), kUserName} + period +
                QStringList{QStringLiteral("--pdf"), path});
        if (result)
            *result = r;
        else
            EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return path;
    }
    static void set(const QString &section, const QString &name, const QString &value)
    {
        quenkit::SetRegistryString(section, name, value);
    }

    testsupport::TempFolders folders;
};

// The text without its blanks: pdftotext spaces the words of a line by their place on the page,
// not by the blanks of the printed text ("Page.  1" comes out with more or fewer).
QString unspaced(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("[ \\t]")));
    return text;
}

void expectContains(const QString &text, const QStringList &parts)
{
    const QString squeezed = unspaced(text);
    for (const QString &part : parts)
        EXPECT_TRUE(squeezed.contains(unspaced(part))) << part.toStdString() << " missing from:\n" << text.toStdString();
}

// The value after title on the line of the analysis text that begins with it.
QString figureOf(const QString &analysisText, const QString &title)
{
    const QRegularExpression line(QLatin1Char('^') + QRegularExpression::escape(title) + QStringLiteral("\\s+(\\S+)"),
                                  QRegularExpression::MultilineOption);
    return line.match(analysisText).captured(1);
}

TEST(AnalysisPrintHeader, KindDatePageAndPrintDate)
{
    using dalmain::AnalysisPeriod;
    const struct {
        AnalysisPeriod period;
        const char *key;
        const char *heading;
    } cases[] = {
        {AnalysisPeriod::Day, "20240510", "[一日分析] 分析日付[2024/ 5/10(金)]"},
        {AnalysisPeriod::Day, "20241201", "[一日分析] 分析日付[2024/12/ 1(日)]"},
        {AnalysisPeriod::Month, "202405", "[月間分析] 分析日付[2024/ 5]"},
        {AnalysisPeriod::Year, "2024", "[年間分析] 分析日付[2024]"},
        {AnalysisPeriod::Selection, "", "[選択分析]"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(dalmain::analysisPrintHeading(c.period, c.key), QString::fromUtf8(c.heading)) << c.key;
    EXPECT_EQ(dalmain::analysisPrintPageText(1), QStringLiteral("Page.  1"));
    EXPECT_EQ(dalmain::analysisPrintPageText(123), QStringLiteral("Page.123"));
    EXPECT_EQ(dalmain::analysisPrintDateText(QDate(2024, 6, 3)), QStringLiteral("Date.2024/06/03"));
}

// A month of a person with a group table and an exchange list, every box ticked.
class AnalysisPrintTablesTest : public ::testing::Test
{
protected:
    AnalysisPrintTablesTest()
    {
        result.periodKey = "202405";
        result.dayCount = 3;
        for (int row = 0; row < dalmain::kAnalysisRows; ++row) {
            for (int g = 0; g < dalmain::kAnalysisGroups; ++g) {
                result.groupAmounts[row][g] = 10.0 * (g + 1) + row;
                result.exchangeUnits[row][g] = 0.5 * (g + 1) + 0.1 * row;
            }
        }
        for (int n = 0; n < dalmain::kNutrientCount; ++n)
            standard[n] = {10.0, 0.0};
        user.name = QStringLiteral("山田花子");
        analysis.period = dalmain::AnalysisPeriod::Month;
        analysis.result = &result;
        analysis.standard = &standard;
        analysis.user = &user;
        analysis.nutrientRows.fill(true);
        dalmain::GroupTableText groups{QStringLiteral("四つの食品群"), QStringLiteral("成人女性"), {}, {}};
        std::array<double, dalmain::kAnalysisGroups> proper{};
        for (int g = 0; g < 4; ++g) {
            groups.names.append(QStringLiteral("第%1群").arg(g + 1));
            proper[g] = 40.0 * (g + 1);
        }
        groups.proper = proper;
        analysis.groups = groups;
        dalmain::GroupTableText exchange{QStringLiteral("糖尿病食品交換表 第６版"), QString(), {}, std::nullopt};
        for (int g = 0; g < 6; ++g)
            exchange.names.append(QStringLiteral("表%1").arg(g + 1));
        analysis.exchange = exchange;
        for (int n = 1; n <= dalmain::kAnalysisPrintBoxes; ++n)
            options.setBox(n, dalmain::isAnalysisPrintBox(n));
    }

    dalmain::AnalysisResult result;
    dalmain::IntakeStandard standard;
    dalmain::UserProfile user;
    dalmain::AnalysisReport analysis;
    dalmain::AnalysisPrintOptions options;
    QTemporaryDir dir;
};

TEST_F(AnalysisPrintTablesTest, TheGroupAndExchangeTablesPrintWithTheirRadarChartsInOrder)
{
    const dalmain::AnalysisPrintReport report(analysis, options, QStringLiteral("よく歩いた"), QDate(2024, 6, 3), false);
    const QString pdf = dir.filePath(QStringLiteral("tables.pdf"));
    ASSERT_EQ(dalmain::printToPdf(report, {}, pdf), dalmain::PrintOutcome::Printed);
    const QString text = unspaced(printtest::pdfText(pdf));
    // The sections in their fixed order: the two tables, then their two radar charts, then the
    // history and the comment.
    const QStringList order = {QStringLiteral("■栄養バランス"), QStringLiteral("■充足確率レーダーチャート"),
                               QStringLiteral("■３大栄養素バランス"), QStringLiteral("■食品交換表"),
                               QStringLiteral("■食品群別表"), QStringLiteral("■食品交換表レーダーチャート"),
                               QStringLiteral("■食品群別表レーダーチャート"), QStringLiteral("■ｴﾈﾙｷﾞｰ・運動・体重の履歴"),
                               QStringLiteral("■コメント"), QStringLiteral("よく歩いた")};
    qsizetype at = 0;
    for (const QString &heading : order) {
        const qsizetype found = text.indexOf(heading, at);
        EXPECT_GE(found, at) << heading.toStdString();
        at = std::max(at, found);
    }
    expectContains(text, {QStringLiteral("第4群"), QStringLiteral("表6")});
    EXPECT_GE(printtest::renderPages(pdf, QStringLiteral("analysis-tables")), 2);
}

TEST_F(AnalysisPrintTablesTest, CancellingBetweenSectionsEndsTheJobAndLeavesNoFile)
{
    const dalmain::AnalysisPrintReport report(analysis, options, QStringLiteral("コメント"), QDate(2024, 6, 3), false);
    const QString pdf = dir.filePath(QStringLiteral("cancelled.pdf"));
    // The whole report asks many times; the user cancels at the tenth question.
    int asked = 0;
    dalmain::PrintRequest request;
    request.cancelled = [&asked] { return ++asked >= 10; };
    EXPECT_EQ(dalmain::printToPdf(report, request, pdf), dalmain::PrintOutcome::Cancelled);
    EXPECT_EQ(asked, 10) << "nothing is asked once the job is cancelled";
    EXPECT_FALSE(QFile::exists(pdf));
    // Uncancelled, the same report prints.
    request.cancelled = [] { return false; };
    EXPECT_EQ(dalmain::printToPdf(report, request, pdf), dalmain::PrintOutcome::Printed);
}

TEST_F(AnalysisPrintPdfTest, AMonthPrintsEverySectionUnderTheHeaderOfEveryPage)
{
    const QString pdf = print(QStringLiteral("analysis"));
    const QString text = printtest::pdfText(pdf);
    const int pages = printtest::pdfPageCount(pdf);
    ASSERT_GE(pages, 2) << text.toStdString();
    const QStringList sheets = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(sheets.size(), pages);
    for (int i = 0; i < pages; ++i) {
        SCOPED_TRACE(i + 1);
        expectContains(sheets[i], {QStringLiteral("[月間分析]"), QStringLiteral("分析日付[2024/ 5]"),
                                   dalmain::analysisPrintPageText(i + 1), QStringLiteral("Date.2024/06/03")});
    }
    expectContains(text, {QStringLiteral("ユーザー情報"), QStringLiteral("ﾀﾛｳ"), kUserName, QStringLiteral("１日の食品数"),
                          QStringLiteral("（一日の目安は３０食品です）"), QStringLiteral("食事区分のエネルギー比"),
                          QStringLiteral("運動とエネルギー消費"), QStringLiteral("標準体重"), QStringLiteral("体脂肪率"),
                          QStringLiteral("栄養バランス"), QStringLiteral("日本人の食事摂取基準(2010年版)"),
                          QStringLiteral("判定"), QStringLiteral("充足確率レーダーチャート"), QStringLiteral("３大栄養素バランス"),
                          QStringLiteral("ｴﾈﾙｷﾞｰ・運動・体重の履歴"), QStringLiteral("コメント"),
                          QStringLiteral("野菜が少なめの月でした"), QStringLiteral("オレンジの範囲内")});
    // The figures are the analysis text's for the same month.
    const testsupport::CliResult analysed = cli({QStringLiteral("analyze"), kUserName, QStringLiteral("--month"), kMonth});
    ASSERT_EQ(analysed.exitCode, 0) << analysed.err.toStdString();
    for (const QString &title : {QStringLiteral("一日消費"), QStringLiteral("基礎代謝"), QStringLiteral("摂取との差"),
                                 QStringLiteral("ｴﾈﾙｷﾞｰ")}) {
        const QString figure = figureOf(analysed.out, title);
        ASSERT_FALSE(figure.isEmpty()) << title.toStdString() << "\n" << analysed.out.toStdString();
        EXPECT_TRUE(text.contains(figure)) << title.toStdString() << " " << figure.toStdString();
    }
    const QRegularExpressionMatch pfc =
        QRegularExpression(QStringLiteral("P (\\d+\\.\\d)%  F (\\d+\\.\\d)%  C (\\d+\\.\\d)%")).match(analysed.out);
    ASSERT_TRUE(pfc.hasMatch()) << analysed.out.toStdString();
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(text.contains(pfc.captured(i) + QLatin1Char('%'))) << pfc.captured(i).toStdString();
    // No exchange or group table for this man.
    EXPECT_FALSE(text.contains(QStringLiteral("食品交換表")));

    const QList<QStringList> fonts = printtest::pdfFonts(pdf);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QStringList &row : fonts)
        EXPECT_EQ(row.value(row.size() - 5), QStringLiteral("yes")) << row.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("analysis")), pages);
}

TEST_F(AnalysisPrintPdfTest, TwoColumnsPutTwoPagesOnEachLandscapeSheet)
{
    const int single = printtest::pdfPageCount(print(QStringLiteral("single")));
    set(QStringLiteral("Dalmora Analyze Print"), QStringLiteral("Retu"), QStringLiteral("1"));
    const QString pdf = print(QStringLiteral("two-columns"));
    EXPECT_EQ(printtest::pdfPageCount(pdf), (single + 1) / 2);
    const QString info = printtest::runTool(QStringLiteral("pdfinfo"), {pdf}).out;
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_GT(size.captured(1).toDouble(), size.captured(2).toDouble()) << "landscape";
    const QString first = printtest::pdfText(pdf).split(QLatin1Char('\f')).value(0);
    expectContains(first, {QStringLiteral("Page.  1"), QStringLiteral("Page.  2"), QStringLiteral("ユーザー情報")});
    EXPECT_EQ(printtest::renderPages(pdf, QStringLiteral("analysis-two-columns")), (single + 1) / 2);
}

TEST_F(AnalysisPrintPdfTest, MonochromeUsesTheGreyWordingAndTheMonochromeSymbols)
{
    const QString colour = printtest::pdfText(print(QStringLiteral("colour")));
    set(QStringLiteral("Dalmora Analyze Print"), QStringLiteral("Color"), QStringLiteral("1"));
    const QString pdf = print(QStringLiteral("monochrome"));
    const QString mono = printtest::pdfText(pdf);
    EXPECT_TRUE(colour.contains(QStringLiteral("オレンジの範囲内")));
    EXPECT_FALSE(colour.contains(QStringLiteral("グレーの範囲内")));
    EXPECT_TRUE(mono.contains(QStringLiteral("グレーの範囲内"))) << mono.toStdString();
    EXPECT_FALSE(mono.contains(QStringLiteral("オレンジの範囲内")));
    // Three days of rice and eggs leave most nutrients well short: "!!" only in monochrome.
    EXPECT_TRUE(mono.contains(QStringLiteral("!!")));
    EXPECT_FALSE(colour.contains(QStringLiteral("!!不足")));
    EXPECT_GE(printtest::renderPages(pdf, QStringLiteral("analysis-monochrome")), 1);
}

TEST_F(AnalysisPrintPdfTest, TheStoredBoxesChooseTheSectionsAndTheHeader)
{
    for (int box : {1, 2, 3, 4, 5, 7, 10, 11, 12, 13, 18, 19})
        set(QStringLiteral("Dalmora Analyze"), QStringLiteral("Flg3_%1").arg(box), QStringLiteral("0"));
    const QString pdf = print(QStringLiteral("nutrients-only"));
    const QString text = printtest::pdfText(pdf);
    expectContains(text, {QStringLiteral("栄養バランス"), QStringLiteral("Page.  1")});
    for (const QString &absent : {QStringLiteral("[月間分析]"), QStringLiteral("Date."), QStringLiteral("ユーザー情報"),
                                  QStringLiteral("コメント"), QStringLiteral("３大栄養素バランス")})
        EXPECT_FALSE(text.contains(absent)) << absent.toStdString();

    // A year never prints the history, whatever its box says.
    set(QStringLiteral("Dalmora Analyze"), QStringLiteral("Flg3_7"), QStringLiteral("1"));
    EXPECT_TRUE(printtest::pdfText(print(QStringLiteral("month-history"))).contains(QStringLiteral("履歴")));
    const QString year = printtest::pdfText(print(QStringLiteral("year"), {QStringLiteral("--year"), QStringLiteral("2024")}));
    EXPECT_TRUE(year.contains(QStringLiteral("栄養バランス")));
    EXPECT_FALSE(year.contains(QStringLiteral("履歴")));
}

TEST_F(AnalysisPrintPdfTest, APeriodWithoutRecordsOrABadPeriodWritesNoFile)
{
    const struct {
        QStringList period;
        int exitCode;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--month"), QStringLiteral("2023-12")}, 1, "データが入力されていないので印刷できません。"},
        {{QStringLiteral("--month"), QStringLiteral("2024-13")}, 2, "not a valid --month value"},
        {{}, 2, "give one of --day, --month, --year and --days"},
        {{QStringLiteral("--days"), QStringLiteral("2024-05-10,2024-05-11")}, 1, "no menu record for 2024-05-11"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        testsupport::CliResult r;
        const QString pdf = print(QStringLiteral("refused"), c.period, &r);
        EXPECT_EQ(r.exitCode, c.exitCode);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    // Chosen days and a single day print with their own header.
    expectContains(printtest::pdfText(print(QStringLiteral("days"), {QStringLiteral("--days"), QStringLiteral("2024-05-10,2024-05-12")})),
                   {QStringLiteral("[選択分析]")});
    expectContains(printtest::pdfText(print(QStringLiteral("day"), {QStringLiteral("--day"), QStringLiteral("2024-05-10")})),
                   {QStringLiteral("分析日付[2024/ 5/10(金)]")});
}

}  // namespace
