// The analysis screen's change of date on the month kind (meant to stay under 30 ms): the
// "翌月" command runs the month's analysis and the screen is drawn again, grabbed into an image
// as the window system would have it painted. The user has ten years of daily records (3,650
// days) on the full official food table, imported from the public workbooks before the first
// timing. Beside it the run alone and the drawing alone, and the baseline: one read of the whole
// menu file, which every timing is also reported as a multiple of.

#include "menu/MenuFileGenerator.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/analyze/Analyze.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/Startup.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserSession.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"

#include "support/OfficialFoodTable.h"
#include "support/RatioReporter.h"
#include "support/WholeFileRead.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace dalmain;

namespace {

const QDate kFirstDay(2015, 1, 1);
constexpr int kDays = 3650;
constexpr int kMonths = 120;  // the months of the records; the walk starts again after the last

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "bench_analyzescreen: %s\n", what);
    std::exit(1);
}

struct Setup {
    QTemporaryDir folder;
    QString menuFile;
    qint64 menuFileSize = 0;
    std::unique_ptr<Analyze> screen;
    int month = 0;  // months after the first of the records

    Setup()
    {
        QString error;
        if (benchsupport::installOfficialFolders(folder.path(), &error) < 0)
            fail(qPrintable(QStringLiteral("cannot import the official table: ") + error));
        if (LoadReferenceIntakes(nullptr, referenceIntakes()) != IntakeLoad::Loaded)
            fail("cannot read the reference intakes");

        // A woman of 45 years, as the user screen saves her, weighing 55 kg on the first day.
        UserEntries entries = blankUserEntries();
        entries.reading = QStringLiteral("ﾍﾞﾝﾁ");
        entries.name = QStringLiteral("分析計測");
        entries.age = QStringLiteral("45");
        entries.height = QStringLiteral("160");
        chooseSex(entries, 1);
        entries.activity = activitySelection(45, 1);
        const FirstWeight weight{kFirstDay.year(), kFirstDay.month(), kFirstDay.day(), 55.0};
        UserSession &session = openUserSession();
        if (session.save(nullptr, entries, CheckMode::Silent, [&] { return std::optional<FirstWeight>(weight); }) !=
                SaveResult::Created ||
            !session.profile())
            fail("cannot create the user");
        menuFile = quenkit::dataPath(dayMenuFileName(static_cast<int>(session.profile()->number)));
        if (!benchdata::writeMenuFile(menuFile, kFirstDay, kDays))
            fail("cannot write the menu file");
        menuFileSize = QFile(menuFile).size();

        screen = std::make_unique<Analyze>(ScreenContext{});
        screen->resize(1000, 700);
        screen->runCommand(cmd::PeriodMonth);
        screen->calendar(AnalysisPeriod::Month)->choose(kFirstDay.year(), kFirstDay.month(), 1);
        if (!screen->hasResult() || screen->result().dayCount != kFirstDay.daysInMonth())
            fail("the first month is not analysed");
        std::printf("menu file: %d days, %lld bytes\n", kDays, static_cast<long long>(menuFileSize));
    }

    // 翌月, or back to the first month after the last: a change of date either way.
    void changeMonth()
    {
        if (++month < kMonths) {
            screen->dateCommand(cmd::NextMonth);
        } else {
            month = 0;
            screen->calendar(AnalysisPeriod::Month)->choose(kFirstDay.year(), kFirstDay.month(), 1);
        }
    }
};

Setup &setup()
{
    static Setup s;
    return s;
}

void ReadMenuFile(benchmark::State &state)
{
    benchsupport::readWholeFile(state, setup().menuFile, setup().menuFileSize);
}

void MonthChangeAndRedraw(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        s.changeMonth();
        const QPixmap picture = s.screen->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
    if (s.screen->result().dayCount < 28)
        state.SkipWithError("a month without its days");
}

void MonthChangeOnly(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        s.changeMonth();
        benchmark::DoNotOptimize(s.screen->result().dayTotal[0]);
    }
}

void RedrawOnly(benchmark::State &state)
{
    Setup &s = setup();
    for (auto _ : state) {
        const QPixmap picture = s.screen->grab();
        benchmark::DoNotOptimize(picture.cacheKey());
    }
}

}  // namespace

BENCHMARK(ReadMenuFile)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthChangeAndRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthChangeOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(RedrawOnly)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    // The screen is drawn off screen: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    setup();
    benchsupport::RatioReporter reporter("ReadMenuFile");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios("one read of the menu file");
    benchmark::Shutdown();
    setup().screen.reset();
    return 0;
}
