// The analysis report of a whole year with every section (366 daily records of 40 foods, both
// group tables, a comment of a page) written to a PDF file: meant to stay under a second. The
// times are also given as multiples of one read of the year's menu file and set beside the
// year's analysis run, both measured in the same run.

#include "dalmain/analysis/AnalysisRun.h"
#include "dalmain/analysis/IntakeAggregation.h"
#include "dalmain/print/AnalysisPrintReport.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"

#include "quenkit/files/DataFolder.h"

#include "support/RatioReporter.h"
#include "support/WholeFileRead.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kUser = 1;
constexpr int kDays = 366;
constexpr int kFoods = 200;
constexpr int kFoodsPerMeal = 10;

struct Setup {
    QTemporaryDir folder;
    QString menuFile;
    dalmain::EntryFoodIndex foods;
    dalmain::IntakeStandard standard;
    dalmain::AnalysisResult result;
    dalmain::UserProfile user;
    dalmain::GroupTableText groups;
    dalmain::GroupTableText exchange;
    QString comment;
    bool ok = false;

    Setup()
    {
        quenkit::setDataFolderOverride(folder.path() + QLatin1Char('/'));
        menuFile = quenkit::dataPath(dalmain::dayMenuFileName(kUser));
        std::mt19937 random(20240101);
        QByteArray bytes;
        for (int d = 0; d < kDays; ++d) {
            dalmain::DayMenu menu;
            menu.dateKey = QDate(2024, 1, 1).addDays(d).toString(QStringLiteral("yyyyMMdd")).toLatin1();
            for (int meal = 0; meal < dalmain::kMealCount; ++meal) {
                for (int i = 0; i < kFoodsPerMeal; ++i)
                    menu.entries[meal][i] = {static_cast<quint16>(1 + random() % kFoods), static_cast<quint16>(random() % 2000)};
                menu.foodCounts[meal] = kFoodsPerMeal;
            }
            menu.foodCounts[dalmain::kDayRow] = kFoodsPerMeal * dalmain::kMealCount;
            bytes += dalmain::encodeDayMenu(menu);
        }
        QFile file(menuFile);
        ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        file.close();

        dalmain::FoodCache cache;
        for (quint32 n = 1; n <= kFoods; ++n) {
            dalmain::FoodCacheEntry food;
            food.number = n;
            food.group = 1 + n % 18;
            for (int i = 0; i < dalmain::kNutrientCount; ++i)
                food.nutrients[i] = static_cast<double>(random() % 3000) / 10.0;
            cache.append(food);
        }
        foods = dalmain::EntryFoodIndex::fromCache(cache);
        for (int i = 0; i < dalmain::kNutrientCount; ++i)
            standard[i] = {5.0 * (i + 1), i % 3 == 0 ? 20.0 * (i + 1) : 0.0};
        result = runYear();
        ok = ok && result.dayCount == kDays;
        // The group rows of a person with both tables.
        for (int row = 0; row < dalmain::kAnalysisRows; ++row) {
            for (int g = 0; g < dalmain::kAnalysisGroups; ++g) {
                result.groupAmounts[row][g] = static_cast<double>(random() % 3000) / 10.0;
                result.exchangeUnits[row][g] = static_cast<double>(random() % 60) / 10.0;
            }
        }

        user.number = kUser;
        user.name = QStringLiteral("山田花子");
        user.reading = QStringLiteral("ﾔﾏﾀﾞﾊﾅｺ");
        user.sex = 1;
        user.age = 40;
        user.height = QStringLiteral("158.0");
        std::array<double, dalmain::kAnalysisGroups> proper{};
        for (int g = 0; g < dalmain::kAnalysisGroups; ++g) {
            groups.names.append(QStringLiteral("第%1群").arg(g + 1));
            proper[g] = 50.0 + 10.0 * g;
        }
        groups.tableName = QStringLiteral("食品群");
        groups.proper = proper;
        for (int g = 0; g < 9; ++g)
            exchange.names.append(QStringLiteral("表%1").arg(g + 1));
        exchange.tableName = QStringLiteral("交換表");
        exchange.proper = std::array<double, dalmain::kAnalysisGroups>{3, 2, 1, 1, 1, 1, 0.5, 0.5, 0.5};
        for (int i = 0; i < 40; ++i)
            comment += QStringLiteral("野菜を毎食とるように心がけ、夕食の量を少し控えめにしました。");
    }

    dalmain::AnalysisResult runYear() const
    {
        return dalmain::RunAnalysis(dalmain::AnalysisRequest::year(kUser, "2024"), foods, standard, false);
    }

    dalmain::AnalysisReport report() const
    {
        dalmain::AnalysisReport r;
        r.period = dalmain::AnalysisPeriod::Year;
        r.result = &result;
        r.standard = &standard;
        r.user = &user;
        r.nutrientRows.fill(true);
        r.groups = groups;
        r.exchange = exchange;
        return r;
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

void ReadMenuFileOnce(benchmark::State &state)
{
    benchsupport::readWholeFile(state, setup().menuFile, qint64(kDays) * dalmain::kDayMenuSize);
}

void AnalyseYear(benchmark::State &state)
{
    for (auto _ : state) {
        const dalmain::AnalysisResult r = setup().runYear();
        benchmark::DoNotOptimize(r.dayTotal.data());
    }
}

// The report with every box ticked, printed to a file; the pages it took as a counter.
void printYear(benchmark::State &state, bool twoColumns, bool monochrome)
{
    Setup &s = setup();
    if (!s.ok) {
        state.SkipWithError("cannot write or analyse the menu file");
        return;
    }
    dalmain::AnalysisPrintOptions options;
    for (int n = 1; n <= dalmain::kAnalysisPrintBoxes; ++n)
        options.setBox(n, dalmain::isAnalysisPrintBox(n));
    options.shownNutrientsOnly = false;
    options.twoColumns = twoColumns;
    options.monochrome = monochrome;
    const QString file = s.folder.filePath(QStringLiteral("year.pdf"));
    for (auto _ : state) {
        const dalmain::AnalysisPrintReport report(s.report(), options, s.comment, QDate(2025, 1, 6), false);
        if (dalmain::printToPdf(report, {}, file) != dalmain::PrintOutcome::Printed) {
            state.SkipWithError("the PDF was not written");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(QFile(file).size());
}

void PrintYear(benchmark::State &state)
{
    printYear(state, false, false);
}

void PrintYearTwoColumns(benchmark::State &state)
{
    printYear(state, true, false);
}

void PrintYearMonochrome(benchmark::State &state)
{
    printYear(state, false, true);
}

}  // namespace

// One unit for all: the ratios are taken between the reported times.
BENCHMARK(ReadMenuFileOnce)->Unit(benchmark::kMicrosecond);
BENCHMARK(AnalyseYear)->Unit(benchmark::kMicrosecond);
BENCHMARK(PrintYear)->Unit(benchmark::kMicrosecond);
BENCHMARK(PrintYearTwoColumns)->Unit(benchmark::kMicrosecond);
BENCHMARK(PrintYearMonochrome)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    // The pages are painted without a display, as the command-line tool paints them.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    setup();
    benchsupport::RatioReporter reporter("ReadMenuFileOnce");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one read of the year's menu file");
    benchmark::Shutdown();
    return 0;
}
