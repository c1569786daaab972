#include "quenkit/files/FileUtils.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/files/FileAccess.h"
#include "quenkit/text/ShiftJis.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <array>

namespace quenkit {

namespace {

constexpr qint64 kCopyChunk = 10000;

// Folder names the system refuses, compared exactly.
constexpr std::array<const char *, 11> kReservedNames = {
    "CON", "AUX", "PRN", "NUL", "COM1", "COM2", "COM3", "COM4", "LPT1", "LPT2", "LPT3"};

#ifdef Q_OS_WIN
constexpr char kSeparator = '\\';
constexpr char kRefused[] = "*/+=|\":;,[]";
#else
// Off Windows "/" separates the components, so the backslash takes its place among the refused
// characters.
constexpr char kSeparator = '/';
constexpr char kRefused[] = "*\\+=|\":;,[]";
#endif

bool isRefused(char c)
{
    for (const char *p = kRefused; *p; ++p) {
        if (*p == c)
            return true;
    }
    return false;
}

}  // namespace

int FileCopy(int sourceHandle, int destinationHandle)
{
    const qint64 length = GetFileLength(sourceHandle);
    if (length < 0)
        return 0;
    QByteArray buffer;
    try {
        buffer.resize(length);
    } catch (...) {
        return 0;
    }
    const qint64 got = FileRead(sourceHandle, buffer.data(), length);
    if (got < 0)
        return 0;
    return FileWrite(destinationHandle, buffer.constData(), got) == got ? 1 : 0;
}

int _mCopyFile(const QString &source, const QString &destination, const CopyProgress &progress)
{
    FileHandle in(FileOpen(source, OpenRead));
    if (!in.isOpen())
        return 0;
    FileHandle out(FileOpen(destination, OpenCreate));
    if (!out.isOpen())
        return 0;
    const qint64 total = GetFileLength(in.get());
    QByteArray buffer(kCopyChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 got = FileRead(in.get(), buffer.data(), kCopyChunk);
        if (got < 0)
            return 0;
        if (got == 0)
            break;
        if (FileWrite(out.get(), buffer.constData(), got) != got)
            return 0;
        copied += got;
        if (progress && !progress(copied, total))
            return -1;
    }
    return 1;
}

int GetDiskFree(int drive, quint32 freeBytes[2])
{
    freeBytes[0] = freeBytes[1] = 0xFFFFFFFFu;
    QString root;
#ifdef Q_OS_WIN
    if (drive < 0 || drive > 25)
        return 0;
    root = QString(QChar(u'A' + drive)) + QStringLiteral(":/");
#else
    Q_UNUSED(drive);
    root = dataFolder();
    while (!root.isEmpty() && !QFileInfo::exists(root))
        root = QFileInfo(QDir::cleanPath(root)).path();
    if (root.isEmpty())
        root = QDir::homePath();
#endif
    QStorageInfo info(root);
    if (!info.isValid() || !info.isReady())
        return 0;
    const quint64 bytes = static_cast<quint64>(info.bytesAvailable());
    freeBytes[0] = static_cast<quint32>(bytes & 0xFFFFFFFFu);
    freeBytes[1] = static_cast<quint32>(bytes >> 32);
    return 1;
}

int MakeDir(const QString &path)
{
    if (path.isEmpty())
        return 0;
    const QFileInfo info(path);
    if (info.exists())
        return 2;
    return QDir().mkpath(path) ? 1 : 0;
}

int CheckDirSub(QByteArrayView component)
{
    for (const char *reserved : kReservedNames) {
        if (component == QByteArrayView(reserved))
            return 0;
    }
    const qsizetype dot = component.indexOf('.');
    const qsizetype before = dot < 0 ? component.size() : dot;
    const qsizetype after = dot < 0 ? 0 : component.size() - dot - 1;
    if (before > 8 || after > 3)
        return 0;
    return 1;
}

int CheckDir(const QString &path)
{
    const QByteArray bytes = toSjis(path);
#ifdef Q_OS_WIN
    // "C:\..." : the scan starts at the first backslash.
    if (bytes.size() < 3)
        return 0;
    qsizetype i = 2;
#else
    if (!bytes.startsWith(kSeparator))
        return 0;
    qsizetype i = 0;
#endif
    qsizetype componentStart = -1;  // start of the component being read, after a separator
    int dots = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (isSjisLeadByte(c)) {
            i += 2;  // a double-byte character as a whole; its trail byte is never a separator
            continue;
        }
        if (c == static_cast<unsigned char>(kSeparator)) {
            if (i + 1 >= bytes.size() || bytes[i + 1] == kSeparator)
                return 0;
            if (componentStart >= 0 && !CheckDirSub(QByteArrayView(bytes).sliced(componentStart, i - componentStart)))
                return 0;
            componentStart = i + 1;
            dots = 0;
            ++i;
            continue;
        }
        if (isRefused(static_cast<char>(c)))
            return 0;
        if (c == '.') {
            if (i == componentStart || ++dots > 1)
                return 0;
        }
        ++i;
    }
    if (componentStart < 0)
        return 0;
    return CheckDirSub(QByteArrayView(bytes).sliced(componentStart, qMin(i, bytes.size()) - componentStart));
}

int DeleteSetupFiles(const QString &folderName)
{
    QByteArray temp = qgetenv("TEMP");
    if (temp.isEmpty())
        temp = qgetenv("TMP");
    if (temp.isEmpty())
        temp = qgetenv("TMPDIR");
    if (temp.isEmpty())
        return 0;
    QDir dir(QString::fromLocal8Bit(temp) + QLatin1Char('/') + folderName);
    if (dir.exists()) {
        const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &f : files)
            dir.remove(f);
        dir.rmdir(dir.absolutePath());
    }
    return 1;
}

}  // namespace quenkit
