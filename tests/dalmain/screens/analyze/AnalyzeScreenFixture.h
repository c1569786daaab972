#pragma once

// The analysis screen of a user with three menu days (10 and 12 May and 1 June 2024; 11 May has
// no record), opened on the day kind and 10 May 2024, and the command-line tool's output for the
// same periods to compare with.

#include "dalmain/analysis/AnalysisExport.h"
#include "dalmain/master/FoodTable.h"
#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/analyze/Analyze.h"
#include "dalmain/screens/analyze/AnalyzeSyousai.h"
#include "dalmain/shell/CommandIds.h"
#include "dalmain/userdata/DayMenu.h"
#include "dalmain/userdata/DayMenuFile.h"
#include "dalmain/userdata/UserSession.h"

#include "quenkit/controls/DatePickers.h"
#include "quenkit/text/ShiftJis.h"

#include "ShellTestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <memory>

namespace analyzetest {

using namespace dalmain;
using namespace shelltest;

inline const QString kUser = QStringLiteral("山田花子");
inline constexpr quint16 kRice = 88;

inline FoodRecord food(quint32 number, const char *name, double kcal, double protein, double calcium)
{
    FoodRecord f;
    f.number = number;
    f.group = 1;
    f.name = quenkit::toSjis(QString::fromUtf8(name));
    f.nutrients[EnergyKcal] = kcal;
    f.nutrients[Protein] = protein;
    f.nutrients[Fat] = protein / 2;
    f.nutrients[Carbohydrate] = kcal / 5;
    f.nutrients[Calcium] = calcium;
    return f;
}

// A day with grams of rice at breakfast and of egg at dinner.
inline DayMenu dayOf(const char *dateKey, quint16 riceTenths, quint16 eggTenths)
{
    DayMenu day;
    day.dateKey = dateKey;
    day.entries[Breakfast][0] = {kRice, riceTenths};
    day.entries[Dinner][0] = {1500, eggTenths};
    day.foodCounts = {1, 0, 1, 0, 2};
    return day;
}

// The tool's words for adding the analysed person: a woman of 30, 158 cm, 52.5 kg, level I.
inline QStringList addUserArguments()
{
    return {QStringLiteral("users"), QStringLiteral("add"), QStringLiteral("--name"), kUser, QStringLiteral("--reading"),
            QStringLiteral("ﾊﾅｺ"), QStringLiteral("--age"), QStringLiteral("30"), QStringLiteral("--sex"),
            QStringLiteral("female"), QStringLiteral("--height"), QStringLiteral("158"), QStringLiteral("--activity"),
            QStringLiteral("1"), QStringLiteral("--weight"), QStringLiteral("52.5")};
}

inline QFile::Permissions ownerReadWrite()
{
    return QFile::ReadOwner | QFile::WriteOwner;
}

class AnalyzeScreenTest : public ShellTest
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_EQ(writeFoodTable(folders.dataFile(QStringLiteral("食品.FDB")),
                                 {food(kRice, "こめ 水稲めし 精白米", 168, 2.5, 3), food(1500, "鶏卵 全卵 生", 151, 12.3, 51)},
                                 nullptr, &error),
                  1)
            << error.toStdString();
        ASSERT_EQ(RebuildFoodIndex(nullptr), 1);
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(addUserArguments());
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        ASSERT_EQ(LoadReferenceIntakes(&owner, referenceIntakes()), IntakeLoad::Loaded);
        ASSERT_TRUE(openUserSession().open(&owner, kUser));
        const int user = static_cast<int>(openUserSession().profile()->number);
        // May has two days, June one; 11 May has no record.
        QFile menus(folders.dataFile(dayMenuFileName(user)));
        ASSERT_TRUE(menus.open(QIODevice::WriteOnly));
        for (const DayMenu &d : {dayOf("20240510", 2000, 500), dayOf("20240512", 3000, 1000), dayOf("20240601", 1500, 0)})
            menus.write(encodeDayMenu(d));
        menus.close();
        menus.setPermissions(ownerReadWrite());

        screen = std::make_unique<Analyze>(ScreenContext{nullptr, &owner});
        screen->resize(1000, 700);
        screen->show();
        screen->activateWindow();
        settle();
        // The kind and the dates outlive a screen; every test starts on the day kind and
        // 10 May 2024.
        screen->runCommand(cmd::PeriodDay);
        for (AnalysisPeriod kind : {AnalysisPeriod::Month, AnalysisPeriod::Year, AnalysisPeriod::Day})
            screen->calendar(kind)->choose(2024, 5, 10);
    }
    void TearDown() override
    {
        Analyze::setSaveFileChooser({});
        screen.reset();
        openUserSession().clear();
    }

    // The lines the 詳細 view paints.
    QStringList shownLines() const
    {
        QStringList lines;
        for (const DetailLine &l : screen->detailView()->lines())
            lines.append(l.text);
        return lines;
    }

    // The bytes the tool writes for args (the period and the export options) through --out.
    QByteArray toolBytes(QStringList args) const
    {
        const QString path = QDir(folders.dataDir()).filePath(QStringLiteral("tool-output.txt"));
        QFile::remove(path);
        args.prepend(kUser);
        args.prepend(QStringLiteral("analyze"));
        args << QStringLiteral("--out") << path;
        const testsupport::CliResult r = cli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The tool's copy text with every section in the aligned kind, as lines: what 詳細 shows.
    QStringList toolReport(const QString &periodOption, const QString &period) const
    {
        const QString text = quenkit::fromSjis(toolBytes(
            {periodOption, period, QStringLiteral("--copy"), QStringLiteral("--kind"), QStringLiteral("text"),
             QStringLiteral("--sections"), QStringLiteral("1,2,3,4,5,6,7,8,10,11,12,13")}));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    void expectShownAsTool(const QString &periodOption, const QString &period) const
    {
        const QStringList tool = toolReport(periodOption, period);
        ASSERT_GT(tool.size(), 20) << period.toStdString();
        EXPECT_EQ(shownLines(), tool) << period.toStdString();
    }

    std::unique_ptr<Analyze> screen;
};

}  // namespace analyzetest
