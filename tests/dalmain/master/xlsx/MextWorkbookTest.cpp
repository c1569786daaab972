// The ministry's own workbooks of the composition tables against the CSV conversions beside
// them, which keep each cell as the spreadsheet shows it; and the importer fed with either.

#include "dalmain/master/MextImport.h"
#include "dalmain/master/MextImportCsv.h"
#include "dalmain/master/XlsxWorkbook.h"

#include "dalmain/master/foods/PrintQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

using namespace dalmain;
using namespace dalmain::mext;

namespace {

const QString kDir = QStringLiteral(DALMORA_SHARED_DATA_DIR "/mext2023/");
const QString kMainWorkbook = kDir + QStringLiteral("20260327-mxt_kagsei-mext-000029402_02.xlsx");
const QString kFattyWorkbook = kDir + QStringLiteral("20260327-mxt_kagsei-mext-000029402_09.xlsx");
const QString kMainCsv = kDir + QStringLiteral("main-2026-03-27.csv");
const QString kFattyCsv = kDir + QStringLiteral("fatty-acids-2026-03-27.csv");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Table {
    const char *workbook;
    const char *csv;
    int foods;   // as the data notice counts them
};

void PrintTo(const Table &t, std::ostream *os)
{
    *os << t.csv;
}

bool isFoodNumber(const QString &text)
{
    return text.size() == 5 && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

class OfficialWorkbook : public testing::TestWithParam<Table> {};

TEST_P(OfficialWorkbook, EveryCellShowsAsInTheCsvConversion)
{
    const Table &table = GetParam();
    const QByteArray workbookBytes = readAll(kDir + QString::fromUtf8(table.workbook));
    const QByteArray csvBytes = readAll(kDir + QString::fromUtf8(table.csv));
    if (workbookBytes.isEmpty() || csvBytes.isEmpty())
        GTEST_SKIP() << "the official tables are not beside the project";

    xlsx::Workbook workbook;
    QString error;
    ASSERT_TRUE(workbook.open(workbookBytes, &error)) << error.toStdString();
    const int whole = workbook.sheetIndex(QStringLiteral("表全体"));
    ASSERT_GE(whole, 0);
    QList<xlsx::SheetRow> rows;
    ASSERT_TRUE(workbook.readSheet(whole, rows, &error)) << error.toStdString();

    const QList<QStringList> csv = parseCsv(csvBytes);
    ASSERT_EQ(csv.size(), table.foods + 1);

    // The workbook's heading rows end in a row of component identifiers (column D "成分識別子");
    // the CSV's first row holds the same ones and names the columns the workbook leaves blank.
    const auto idRow = std::find_if(rows.cbegin(), rows.cend(), [](const xlsx::SheetRow &r) {
        return r.cells.value(3).startsWith(QStringLiteral("成分識別子"));
    });
    ASSERT_NE(idRow, rows.cend());
    int identifiers = 0;
    for (int j = 4; j < csv[0].size(); ++j) {
        const QString tag = idRow->cells.value(j).trimmed();
        if (tag.isEmpty())
            continue;
        EXPECT_EQ(tag, csv[0][j]) << "column " << j;
        ++identifiers;
    }
    EXPECT_GE(identifiers, csv[0].size() - 8);

    // The food rows follow the headings, one workbook row per CSV row.
    const auto first = std::find_if(idRow, rows.cend(), [&](const xlsx::SheetRow &r) { return r.cells.value(1) == csv[1][1]; });
    ASSERT_NE(first, rows.cend());
    const qsizetype start = first - rows.cbegin();
    ASSERT_GE(rows.size() - start, csv.size() - 1);

    qint64 compared = 0;
    QStringList mismatches;
    for (qsizetype i = 1; i < csv.size(); ++i) {
        const xlsx::SheetRow &row = rows[start + i - 1];
        if (row.number != first->number + i - 1)
            mismatches.append(QStringLiteral("CSV row %1 meets workbook row %2").arg(i + 1).arg(row.number));
        for (qsizetype j = 0; j < std::max(csv[i].size(), row.cells.size()); ++j) {
            ++compared;
            const QString expected = csv[i].value(j);
            const QString shown = row.cells.value(j);
            if (shown != expected)
                mismatches.append(QStringLiteral("row %1 column %2: \"%3\", CSV \"%4\"").arg(row.number).arg(j + 1).arg(shown, expected));
        }
    }
    for (qsizetype r = start + csv.size() - 1; r < rows.size(); ++r)
        EXPECT_FALSE(isFoodNumber(rows[r].cells.value(1))) << "a food row after the CSV's: " << rows[r].number;

    std::cout << "[   INFO   ] " << table.workbook << ": " << compared << " cells of " << csv.size() - 1
              << " food rows compared with " << table.csv << ", " << mismatches.size() << " differ; "
              << identifiers << " identifiers agree\n";
    RecordProperty("cells_compared", int(compared));
    EXPECT_EQ(compared, qint64(csv.size() - 1) * csv[0].size());
    EXPECT_TRUE(mismatches.isEmpty()) << mismatches.size() << " cells differ, first:\n"
                                      << mismatches.mid(0, 10).join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tables, OfficialWorkbook,
                         testing::Values(Table{"20260327-mxt_kagsei-mext-000029402_02.xlsx", "main-2026-03-27.csv", 2538},
                                         Table{"20260327-mxt_kagsei-mext-000029402_09.xlsx", "fatty-acids-2026-03-27.csv", 1967},
                                         Table{"fibre-2020-annex1.xlsx", "fibre-2020-annex1.csv", 1420}));

void expectSameFoods(const ImportResult &got, const ImportResult &expected)
{
    ASSERT_EQ(got.foods.size(), expected.foods.size());
    for (qsizetype i = 0; i < got.foods.size(); ++i) {
        const FoodRecord &a = got.foods[i];
        const FoodRecord &b = expected.foods[i];
        SCOPED_TRACE(testing::Message() << "food " << b.number);
        EXPECT_EQ(a.number, b.number);
        EXPECT_EQ(a.group, b.group);
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.keywords, b.keywords);
        EXPECT_EQ(a.nutrients, b.nutrients);
        EXPECT_EQ(a.wasteRatio, b.wasteRatio);
        EXPECT_EQ(a.toBody(), b.toBody());
        if (testing::Test::HasFailure())
            return;
    }
    const ImportReport &r = got.report;
    const ImportReport &e = expected.report;
    EXPECT_EQ(r.rowsRead, e.rowsRead);
    EXPECT_EQ(r.leftOut, e.leftOut);
    EXPECT_EQ(r.duplicates, e.duplicates);
    EXPECT_EQ(r.shortened, e.shortened);
    EXPECT_EQ(r.collisions, e.collisions);
    EXPECT_EQ(r.valueProblems, e.valueProblems);
    EXPECT_EQ(r.foodsWithoutFattyAcids, e.foodsWithoutFattyAcids);
    EXPECT_EQ(r.written, e.written);
}

TEST(OfficialWorkbookImport, GivesTheSameFoodTableAsTheCsv)
{
    const QByteArray mainWorkbook = readAll(kMainWorkbook);
    const QByteArray fattyWorkbook = readAll(kFattyWorkbook);
    const QByteArray mainCsv = readAll(kMainCsv);
    const QByteArray fattyCsv = readAll(kFattyCsv);
    if (mainWorkbook.isEmpty() || fattyWorkbook.isEmpty() || mainCsv.isEmpty() || fattyCsv.isEmpty())
        GTEST_SKIP() << "the official tables are not beside the project";

    ImportResult fromCsv;
    QString error;
    ASSERT_TRUE(importMext(mainCsv, fattyCsv, fromCsv, &error)) << error.toStdString();
    ASSERT_EQ(fromCsv.report.rowsRead, 2538);
    ASSERT_GT(fromCsv.report.written, 1800);

    const struct {
        const char *what;
        const QByteArray &main;
        const QByteArray &fatty;
    } cases[] = {
        {"both workbooks", mainWorkbook, fattyWorkbook},
        {"main workbook, fatty-acid CSV", mainWorkbook, fattyCsv},
        {"main CSV, fatty-acid workbook", mainCsv, fattyWorkbook},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ImportResult got;
        ASSERT_TRUE(importMext(c.main, c.fatty, got, &error)) << error.toStdString();
        expectSameFoods(got, fromCsv);
    }
}

TEST(OfficialWorkbookImport, WritesTheTableFromTheWorkbooks)
{
    if (!QFileInfo::exists(kMainWorkbook) || !QFileInfo::exists(kFattyWorkbook))
        GTEST_SKIP() << "the official tables are not beside the project";
    QTemporaryDir dir;
    ImportFiles files;
    files.mainCsv = kMainWorkbook;
    files.fattyAcidsCsv = kFattyWorkbook;
    files.output = dir.filePath(QStringLiteral("food/食品.FDB"));
    ImportResult result;
    QString error;
    ASSERT_EQ(runMextImport(files, result, &error), 1) << error.toStdString();
    EXPECT_TRUE(result.report.fattyAcidsRead);
    EXPECT_EQ(result.report.written, result.foods.size());
    EXPECT_GT(QFileInfo(files.output).size(), 1800 * 413);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("food/食品.IDX"))));
}

TEST(OfficialWorkbookImport, ADamagedWorkbookIsNamedAndNothingIsWritten)
{
    const QByteArray mainWorkbook = readAll(kMainWorkbook);
    if (mainWorkbook.isEmpty())
        GTEST_SKIP() << "the official tables are not beside the project";
    QTemporaryDir dir;
    const QString truncated = dir.filePath(QStringLiteral("main.xlsx"));
    {
        QFile f(truncated);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(mainWorkbook.left(mainWorkbook.size() - 1000));
    }
    ImportFiles files;
    files.mainCsv = truncated;
    files.output = dir.filePath(QStringLiteral("食品.FDB"));
    ImportResult result;
    QString error;
    EXPECT_EQ(runMextImport(files, result, &error), 0);
    EXPECT_TRUE(error.startsWith(truncated + QStringLiteral(": not a readable workbook: not an intact zip archive")))
        << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(files.output));
}

}  // namespace
