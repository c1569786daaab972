#pragma once

// The shell under test: a program started in throw-away folders, with an owner that answers
// from a script and screens that record what reaches them.

#include "support/TestSupport.h"

#include "dalmain/shell/DialogRegistry.h"
#include "dalmain/shell/MainFrame.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ScreenWindow.h"
#include "dalmain/shell/Startup.h"
#include "quenkit/owner/ScriptedOwner.h"

#include <gtest/gtest.h>

#include <QList>
#include <QPair>
#include <QPointer>
#include <QPushButton>

#include <QTimer>

#include <functional>
#include <memory>

namespace shelltest {

// What reached the recording screens.
struct ScreenLog {
    QList<QPair<int, int>> commands;   // (screen, command id)
    QList<QPair<int, int>> dateCodes;  // (screen, date bar code)
    QList<dalmain::LeaveCheck::Mode> checks;
    int finished = 0;
    int refreshes = 0;                               // display settings the screen was told of
    bool allowLeave = true;                          // the user screen's check-and-save result
    std::function<void()> onCheck;                   // runs inside the check, before the result
};

// A screen that enables every command and records it.
class RecordingScreen : public dalmain::ScreenWindow, public dalmain::LeaveCheck
{
    Q_OBJECT
public:
    RecordingScreen(int index, const dalmain::ScreenContext &context, QWidget *parent, ScreenLog *log);

    void runCommand(int id) override;
    bool commandEnabled(int id) const override;
    bool commandChecked(int id) const override;
    void dateBarCommand(int code) override;
    bool hasDateBar() const override { return true; }
    dalmain::LeaveCheck *leaveCheck() override;
    bool checkAndSave(Mode mode) override;
    dalmain::MenuEditState menuEditState() const override { return state; }
    void finishPendingWork() override { ++m_log->finished; }
    void refreshDisplay() override { ++m_log->refreshes; }
    QWidget *firstControl() override { return m_first; }

    dalmain::MenuEditState state{1, 1, 0, true, true, true, true, true};
    QWidget *m_first;

private:
    ScreenLog *m_log;
};

// Makes folders (whose settings are the ones in use) an installation started before: the
// shipped reference intakes in the data folder, the waste-rate question answered, and no
// confirmation at exit.
void prepareInstallation(const testsupport::TempFolders &folders);

// Each test: fresh settings and data folders prepared as above, a scripted owner and "today"
// fixed; a test that wants the start-up questions asked sets them back.
class ShellTest : public ::testing::Test
{
protected:
    ShellTest();
    ~ShellTest() override;

    // Starts the program with the placeholder screens, or with recording screens.
    std::unique_ptr<dalmain::MainFrame> start();
    std::unique_ptr<dalmain::MainFrame> startRecording();
    // Lets pending events run (paints, deferred deletes).
    static void settle();

    // Registers a dialog opener that only records that it ran; removed again after the test.
    void registerRecordingDialog(const QString &resource);

    // Runs the command-line tool on this test's settings and data folders.
    testsupport::CliResult cli(const QStringList &args) const;

    static void setSystem(const QString &name, const QString &value);
    static QString system(const QString &name);

    testsupport::TempFolders folders;
    quenkit::ScriptedOwner owner;
    ScreenLog log;
    QStringList openedDialogs;

private:
    QStringList m_registeredDialogs;
};

// Runs action with the next modal dialog as soon as it is open; fails the test when none
// opens within a few seconds.
void whenModal(std::function<void(QWidget *dialog)> action);

// Fails the test and closes the dialog when a modal dialog opens while it lives.
class NoModalDialog
{
public:
    NoModalDialog();
    ~NoModalDialog();

private:
    QTimer *m_timer;
};

// The push button of dialog whose text is text, or null.
QPushButton *buttonWithText(QWidget *dialog, const QString &text);

}  // namespace shelltest
