// The note pad and the two small goal files of a user.

#include "dalmain/userdata/KisoChoice.h"
#include "dalmain/userdata/NotePad.h"
#include "dalmain/userdata/WeightGoal.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include <QFileInfo>
#include <QtEndian>

#include <bit>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::readFile;
using testsupport::TempFolders;
using testsupport::writeFile;

TEST(NotePad, TextIsStoredIn1001BytesAndCutAtACharacterBoundary)
{
    TempFolders folders;
    const QString path = folders.dataFile(QStringLiteral("MPC2.DAT"));
    EXPECT_EQ(LoadNotePad(2), QString());

    struct Case {
        const char *what;
        QString text;
        QString stored;
    } cases[] = {
        {"short text", QStringLiteral("買い物：牛乳"), QStringLiteral("買い物：牛乳")},
        {"1000 single bytes", QString(1000, QLatin1Char('a')), QString(1000, QLatin1Char('a'))},
        {"1001 single bytes", QString(1001, QLatin1Char('a')), QString(1000, QLatin1Char('a'))},
        // 1000 characters the edit box allows are 2000 bytes here.
        {"1000 double-byte characters", QString(1000, QChar(u'卵')), QString(500, QChar(u'卵'))},
        {"odd byte before double-byte characters", QLatin1Char('a') + QString(600, QChar(u'卵')),
         QLatin1Char('a') + QString(499, QChar(u'卵'))},
        {"empty", QString(), QString()},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(SaveNotePad(2, c.text), 1) << c.what;
        const QByteArray bytes = readFile(path);
        ASSERT_EQ(bytes.size(), 1001) << c.what;
        const QByteArray sjis = quenkit::toSjis(c.stored);
        EXPECT_EQ(bytes.left(sjis.size()), sjis) << c.what;
        EXPECT_EQ(bytes.mid(sjis.size()), QByteArray(1001 - sjis.size(), '\0')) << c.what;
        EXPECT_EQ(LoadNotePad(2), c.stored) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(folders.dataFile(QStringLiteral("MPC2.TMP"))));
}

TEST(KisoChoice, ChoiceAndLastValueRoundTripInNineBytes)
{
    TempFolders folders;
    const QString path = folders.dataFile(QStringLiteral("KISO5.DAT"));
    EXPECT_EQ(LoadBasalChoice(5), BasalChoice());

    ASSERT_EQ(SaveBasalChoice(5, {BasalSource::Entered, 1234.5}), 1);
    const QByteArray bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 9);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + 1)), 1234.5);
    EXPECT_EQ(LoadBasalChoice(5), (BasalChoice{BasalSource::Entered, 1234.5}));

    ASSERT_EQ(SaveBasalChoice(5, {BasalSource::Computed, 1234.5}), 1);
    EXPECT_EQ(readFile(path)[0], 0);
    EXPECT_EQ(LoadBasalChoice(5).source, BasalSource::Computed);

    // A file cut short reads as no choice.
    ASSERT_TRUE(writeFile(path, bytes.left(8)));
    EXPECT_EQ(LoadBasalChoice(5), BasalChoice());
}

TEST(WeightGoal, GoalTextsFillTheirWidths)
{
    TempFolders folders;
    const QString path = folders.dataFile(QStringLiteral("WG1.DAT"));
    EXPECT_EQ(LoadWeightGoal(1), WeightGoal());

    struct Case {
        const char *weight, *bodyFat;
        QByteArray file;
        WeightGoal goal;
    } cases[] = {
        {"62.5", "24.0", QByteArray(" 62.524.0\0", 10), {62.5, 24.0}},
        {"200.0", "5.5", QByteArray("200.0 5.5\0", 10), {200.0, 5.5}},
        {"58.0", "", QByteArray(" 58.0    \0", 10), {58.0, 0.0}},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(SaveWeightGoal(1, QString::fromLatin1(c.weight), QString::fromLatin1(c.bodyFat)), 1) << c.weight;
        EXPECT_EQ(readFile(path), c.file) << c.weight;
        EXPECT_EQ(LoadWeightGoal(1), c.goal) << c.weight;
    }

    const QByteArray before = readFile(path);
    EXPECT_EQ(SaveWeightGoal(1, QStringLiteral("100.05"), QStringLiteral("20.0")), 0);
    EXPECT_EQ(SaveWeightGoal(1, QStringLiteral("60.0"), QStringLiteral("20.05")), 0);
    EXPECT_EQ(readFile(path), before);
}
