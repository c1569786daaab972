#pragma once

#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace quenkit {
class Owner;
}

namespace dalmain {

// One program per settings folder, so that two windows never edit the same days. The first
// start holds a lock file in the settings folder and listens on a local socket named after
// that folder; a later start finds the lock taken and asks the first, over the socket, to
// bring its window to the front. Installations with different settings folders run side by side.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // How long a later start waits for the running program's answer.
    static constexpr int kAnswerWaitMilliseconds = 5000;

    explicit SingleInstance(const QString &settingsFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Takes the folder's lock and starts listening for later starts. false when another live
    // program holds the lock; a lock left by a program that ended without releasing it is
    // taken over. A folder where no lock file can be made does not stop the program: true,
    // unguarded, with a warning.
    bool acquire();
    bool holdsLock() const;

    // Asks the program holding the lock to come to the front. true once it has answered that
    // it did, false when nobody answered within timeoutMilliseconds. Runs the event loop
    // while it waits.
    bool notifyRunning(int timeoutMilliseconds = kAnswerWaitMilliseconds);

    // What a start that could not acquire does: asks the running program to come to the
    // front, and when it does not answer tells the user through owner that the program is
    // already running. true when the running program answered.
    bool handOver(quenkit::Owner *owner, int timeoutMilliseconds = kAnswerWaitMilliseconds);

    // The window brought to the front when a later start asks. Until there is one, a question
    // the first start has open comes forward instead.
    void setWindow(QWidget *window);

    QString lockFilePath() const { return m_lockFilePath; }
    QString serverName() const { return m_serverName; }

    // The socket name for a settings folder: the same for every spelling of the folder's path.
    static QString serverNameFor(const QString &settingsFolder);

    // The message of a start that found the program running but got no answer from it.
    static QString unansweredCaption();
    static QString unansweredText();

signals:
    // A later start asked for the window; emitted before the answer goes back to it.
    void activationRequested();

private:
    void listen();
    void answer(QLocalSocket *socket);

    QString m_folder;
    QString m_lockFilePath;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lock;
    bool m_unguarded = false;
    QLocalServer *m_server = nullptr;
    QPointer<QWidget> m_window;
};

// Shows window if hidden or minimised, raises and activates it, and brings forward a modal
// question open over the program.
void bringToFront(QWidget *window);

}  // namespace dalmain
