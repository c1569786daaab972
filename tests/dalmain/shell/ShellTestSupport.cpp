#include "ShellTestSupport.h"

#include "dalmain/shell/ShellSettings.h"
#include "quenkit/registry/SettingsStore.h"

#include "support/GuiTestApplication.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>

namespace shelltest {

[[maybe_unused]] ::testing::Environment *const application =
    testsupport::installGuiTestApplication([] { dalmain::prepareApplication(); });

RecordingScreen::RecordingScreen(int index, const dalmain::ScreenContext &context, QWidget *parent, ScreenLog *log)
    : ScreenWindow(index, context, parent)
    , m_first(new QWidget(this))
    , m_log(log)
{
    m_first->setObjectName(QStringLiteral("control101"));
    m_first->setFocusPolicy(Qt::StrongFocus);
}

void RecordingScreen::runCommand(int id)
{
    m_log->commands.append({screenIndex(), id});
}

bool RecordingScreen::commandEnabled(int) const
{
    return true;
}

bool RecordingScreen::commandChecked(int id) const
{
    return id == 32776;  // lunch is the meal shown
}

void RecordingScreen::dateBarCommand(int code)
{
    m_log->dateCodes.append({screenIndex(), code});
}

dalmain::LeaveCheck *RecordingScreen::leaveCheck()
{
    return screenIndex() == dalmain::UserScreen ? this : nullptr;
}

bool RecordingScreen::checkAndSave(Mode mode)
{
    m_log->checks.append(mode);
    if (m_log->onCheck)
        m_log->onCheck();
    return m_log->allowLeave;
}

void prepareInstallation(const testsupport::TempFolders &folders)
{
    const QString file = QStringLiteral("jk2010.dat");
    QFile::copy(QStringLiteral(DALMORA_SOURCE_DIR "/data/master/") + file, folders.dataFile(file));
    QFile::setPermissions(folders.dataFile(file), QFile::ReadOwner | QFile::WriteOwner);
    quenkit::SetRegistryString(dalmain::settings::kSystemSection, dalmain::settings::kHaikiritsu, QStringLiteral("1"));
    quenkit::SetRegistryString(dalmain::settings::kSystemSection, dalmain::settings::kSystemSet7, QStringLiteral("1"));
}

ShellTest::ShellTest()
{
    prepareInstallation(folders);
    qputenv("DALMORA_TODAY", "2024-05-10");
}

testsupport::CliResult ShellTest::cli(const QStringList &args) const
{
    return testsupport::runCli(
        QStringList{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"), folders.dataDir()} + args);
}

ShellTest::~ShellTest()
{
    for (const QString &resource : m_registeredDialogs)
        dalmain::registerDialog(resource, {});
    settle();
}

std::unique_ptr<dalmain::MainFrame> ShellTest::start()
{
    dalmain::StartOptions options;
    options.owner = &owner;
    options.view.openingFadeMilliseconds = 0;
    return dalmain::startDalmain(options);
}

std::unique_ptr<dalmain::MainFrame> ShellTest::startRecording()
{
    dalmain::StartOptions options;
    options.owner = &owner;
    options.view.openingFadeMilliseconds = 0;
    ScreenLog *l = &log;
    options.view.screenFactory = [l](int index, const dalmain::ScreenContext &context, QWidget *parent) {
        return new RecordingScreen(index, context, parent, l);
    };
    return dalmain::startDalmain(options);
}

void ShellTest::registerRecordingDialog(const QString &resource)
{
    m_registeredDialogs.append(resource);
    dalmain::registerDialog(resource, [this, resource](const dalmain::DialogContext &context) {
        EXPECT_NE(context.view, nullptr);
        EXPECT_EQ(context.owner, &owner);
        openedDialogs.append(resource);
    });
}

void ShellTest::settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

void ShellTest::setSystem(const QString &name, const QString &value)
{
    quenkit::SetRegistryString(dalmain::settings::kSystemSection, name, value);
}

QString ShellTest::system(const QString &name)
{
    return dalmain::settings::systemString(name);
}

void whenModal(std::function<void(QWidget *dialog)> action)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog opened";
            return;
        }
        action(dialog);
    });
    timer->start(10);
}

NoModalDialog::NoModalDialog()
    : m_timer(new QTimer)
{
    QObject::connect(m_timer, &QTimer::timeout, [] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog->windowTitle().toStdString();
            dialog->close();
            if (auto *d = qobject_cast<QDialog *>(dialog))
                d->done(QDialog::Accepted);
        }
    });
    m_timer->start(10);
}

NoModalDialog::~NoModalDialog()
{
    delete m_timer;
}

QPushButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

}  // namespace shelltest
