#pragma once

// The exercise screen under test: the shell's test set-up with the shipped exercise tables, a
// 40-year-old man of 60 kg opened, and the screen made on 10 May 2024.

#include "DialogDriving.h"
#include "ShellTestSupport.h"

#include "dalmain/master/ReferenceIntakes.h"
#include "dalmain/screens/sports/Sports.h"
#include "dalmain/screens/sports/SportsList.h"
#include "dalmain/userdata/UserSession.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

#include <memory>

namespace sportstest {

using shelltest::child;
using shelltest::click;
using shelltest::type;
using shelltest::typeText;
using shelltest::whenDialog;

inline const QString kUserName = QStringLiteral("山田太郎");

class SportsScreenTest : public shelltest::ShellTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::installExerciseTables(folders));
        ASSERT_EQ(cli({QStringLiteral("users"), QStringLiteral("templates")}).exitCode, 0);
        const testsupport::CliResult added = cli(testsupport::addManArguments(kUserName, QStringLiteral("ﾀﾛｳ")));
        ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
        ASSERT_EQ(dalmain::LoadReferenceIntakes(&owner, dalmain::referenceIntakes()), dalmain::IntakeLoad::Loaded);
        ASSERT_TRUE(dalmain::openUserSession().open(&owner, kUserName));
        createScreen();
    }
    void TearDown() override
    {
        screen.reset();
        dalmain::openUserSession().clear();
    }

    void createScreen()
    {
        screen = std::make_unique<dalmain::Sports>(dalmain::ScreenContext{nullptr, &owner});
        screen->resize(1100, 700);
        screen->show();
        screen->activateWindow();
        settle();
    }


    // The list as the screen paints it: "name|minutes|energy|memo" per entry, figures trimmed.
    QStringList listLines() const
    {
        QStringList lines;
        for (int i = 0; i < screen->list()->entryCount(); ++i) {
            const dalmain::ExerciseListLine l = screen->list()->line(i);
            lines.append(QStringList{l.name, l.minutes.trimmed(), l.energy.trimmed(), l.memo}.join(QLatin1Char('|')));
        }
        return lines;
    }

    std::unique_ptr<dalmain::Sports> screen;
};

inline QStringList captions(const quenkit::ScriptedOwner &owner)
{
    QStringList list;
    for (const quenkit::Message &m : owner.messages())
        list.append(m.caption);
    return list;
}

// Chooses the item whose search the keyword finds first, in the item search dialog.
inline void chooseItem(const QString &keyword, std::function<void()> then)
{
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG2"), [keyword, then](QWidget *d) {
        type(d, "keyword", keyword);
        then();
        QTest::keyClick(d->findChild<QWidget *>(QStringLiteral("keyword")), Qt::Key_Down);
        QTest::keyClick(d->findChild<QWidget *>(QStringLiteral("results")), Qt::Key_Return);
    });
}

// Closes the item search that entering offers again after each entry.
inline void cancelNextSearch()
{
    whenDialog(QStringLiteral("IDD_SEARCHDIALOG2"), [](QWidget *d) { QTest::keyClick(d, Qt::Key_Escape); });
}

}  // namespace sportstest
