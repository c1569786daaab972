#include "dalmain/shell/SingleInstance.h"

#include "quenkit/owner/Owner.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QWidget>

namespace dalmain {

namespace {

const QByteArray kActivateRequest = QByteArrayLiteral("activate\n");
const QByteArray kActivatedAnswer = QByteArrayLiteral("activated\n");
// A request is one short line; a peer that sends more, or nothing, is dropped.
constexpr qint64 kLongestRequest = 64;
constexpr int kSilentPeerMilliseconds = 5000;

// One spelling per folder: symbolic links resolved, and on case-blind systems one case.
QString folderIdentity(const QString &folder)
{
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(info.absoluteFilePath());
#ifdef Q_OS_WIN
    path = path.toLower();
#endif
    return path;
}

}  // namespace

SingleInstance::SingleInstance(const QString &settingsFolder, QObject *parent)
    : QObject(parent)
    , m_folder(settingsFolder)
    , m_lockFilePath(QDir(settingsFolder).filePath(QStringLiteral("Dalmain.lock")))
    , m_serverName(serverNameFor(settingsFolder))
{
    connect(this, &SingleInstance::activationRequested, this, [this] { bringToFront(m_window); });
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::serverNameFor(const QString &settingsFolder)
{
    const QByteArray hash = QCryptographicHash::hash(folderIdentity(settingsFolder).toUtf8(),
                                                     QCryptographicHash::Sha256);
    return QStringLiteral("dalmain-") + QString::fromLatin1(hash.toHex().left(32));
}

bool SingleInstance::acquire()
{
    if (holdsLock() || m_unguarded)
        return true;
    // The folder is made here rather than at the first setting written, so that the name of
    // the socket and the lock are the same for the first start and for every later one.
    QDir().mkpath(m_folder);
    m_serverName = serverNameFor(m_folder);

    m_lock = std::make_unique<QLockFile>(m_lockFilePath);
    // The lock is held for the whole run, so its age says nothing: only a lock whose program
    // has ended (or whose machine has restarted since) is stale, which the lock file's process
    // id tells.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock()) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return false;
        qWarning("Dalmain: cannot make the lock file %s; a second start for these settings "
                 "will not be recognised.",
                 qPrintable(QDir::toNativeSeparators(m_lockFilePath)));
        m_unguarded = true;
        return true;
    }
    listen();
    return true;
}

bool SingleInstance::holdsLock() const
{
    return m_lock && m_lock->isLocked();
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock, a socket of that name can only be a leftover of a program that ended.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        qWarning("Dalmain: cannot listen on %s: %s", qPrintable(m_serverName),
                 qPrintable(m_server->errorString()));
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { answer(socket); });
            QTimer::singleShot(kSilentPeerMilliseconds, socket, [socket] { socket->abort(); });
            if (socket->bytesAvailable() > 0)
                answer(socket);
        }
    });
}

void SingleInstance::answer(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kLongestRequest)
            socket->abort();
        return;
    }
    const QByteArray request = socket->readLine(kLongestRequest + 1);
    if (request != kActivateRequest) {
        socket->abort();
        return;
    }
    emit activationRequested();
    socket->write(kActivatedAnswer);
    socket->flush();
    socket->disconnectFromServer();
}

bool SingleInstance::notifyRunning(int timeoutMilliseconds)
{
    QLocalSocket socket;
    QEventLoop loop;
    bool answered = false;
    connect(&socket, &QLocalSocket::connected, &loop, [&] { socket.write(kActivateRequest); });
    connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
        if (!socket.canReadLine())
            return;
        answered = socket.readLine(kLongestRequest + 1) == kActivatedAnswer;
        loop.quit();
    });
    // Also the program closing after its answer: what it sent is still read below.
    connect(&socket, &QLocalSocket::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMilliseconds, &loop, &QEventLoop::quit);
    socket.connectToServer(m_serverName);
    // Nobody listening is known at once.
    if (socket.state() != QLocalSocket::UnconnectedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!answered && socket.canReadLine())
        answered = socket.readLine(kLongestRequest + 1) == kActivatedAnswer;
    socket.abort();
    return answered;
}

bool SingleInstance::handOver(quenkit::Owner *owner, int timeoutMilliseconds)
{
    if (notifyRunning(timeoutMilliseconds))
        return true;
    quenkit::inform(owner, unansweredCaption(), unansweredText(), quenkit::Icon::Information);
    return false;
}

void SingleInstance::setWindow(QWidget *window)
{
    m_window = window;
}

QString SingleInstance::unansweredCaption()
{
    return QStringLiteral("Dalmora");
}

QString SingleInstance::unansweredText()
{
    return QStringLiteral("Dalmoraは既に起動しています。\n"
                          "起動中のDalmoraから応答がないため、画面を表示できませんでした。\n"
                          "しばらく待ってから、もう一度起動してください。");
}

void bringToFront(QWidget *window)
{
    if (window) {
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        window->show();
        window->raise();
        window->activateWindow();
    }
    if (QWidget *question = QApplication::activeModalWidget()) {
        question->raise();
        question->activateWindow();
    }
}

}  // namespace dalmain
