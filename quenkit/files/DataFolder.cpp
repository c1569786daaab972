#include "quenkit/files/DataFolder.h"

#include "quenkit/registry/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <filesystem>
#include <system_error>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quenkit {

namespace {

QMutex overrideMutex;
QString &folderOverride()
{
    static QString folder;
    return folder;
}

QString withTrailingSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return folder;
}

// ASCII-only case folding: what a case-blind file system ignores in our file names.
bool sameIgnoringAsciiCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a[i].unicode();
        char16_t y = b[i].unicode();
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

QString dataFolder()
{
    {
        QMutexLocker lock(&overrideMutex);
        if (!folderOverride().isEmpty())
            return folderOverride();
    }
    QString folder;
    GetUserRegistryString(QStringLiteral("DataDir2"), nullptr, folder, 1024);
    return withTrailingSeparator(QDir::fromNativeSeparators(folder));
}

void setDataFolderOverride(const QString &folder)
{
    QMutexLocker lock(&overrideMutex);
    folderOverride() = withTrailingSeparator(folder);
}

QString resolvePath(const QString &path)
{
    const QString clean = QDir::fromNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (clean.isEmpty() || QFileInfo::exists(clean))
        return clean;

    // Walk from the deepest existing folder down, matching each missing component without
    // regard to ASCII case.
    const QStringList parts = clean.split(QLatin1Char('/'));
    QString resolved = clean.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool exists = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part.isEmpty())
            continue;
        const QString candidate = resolved.isEmpty() || resolved.endsWith(QLatin1Char('/'))
            ? resolved + part
            : resolved + QLatin1Char('/') + part;
        if (!exists || QFileInfo::exists(candidate) || (i == 0 && part.endsWith(QLatin1Char(':')))) {
            resolved = candidate;
            continue;
        }
        QString match;
        const QString folder = resolved.isEmpty() ? QStringLiteral(".") : resolved;
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                           | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (sameIgnoringAsciiCase(entry, part)) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) {
            exists = false;
            resolved = candidate;
        } else {
            resolved = resolved.isEmpty() || resolved.endsWith(QLatin1Char('/')) ? resolved + match
                                                                                    : resolved + QLatin1Char('/') + match;
        }
    }
    return resolved;
}

QString dataPath(const QString &name)
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return resolvePath(dataFolder() + relative);
}

namespace {
std::function<bool(const QString &)> &replaceFailureHook()
{
    static std::function<bool(const QString &)> hook;
    return hook;
}
}  // namespace

void setReplaceFileFailureHook(std::function<bool(const QString &target)> hook)
{
    replaceFailureHook() = std::move(hook);
}

namespace {

// Writes what the system still buffers of the file to the disk.
bool syncFileToDisk(const QString &path)
{
#ifdef Q_OS_WIN
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    return _commit(file.handle()) == 0;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ::fsync(file.handle()) == 0;
#endif
}

// Makes a change of names in folder durable. Windows commits a rename with the file system's
// metadata, so only POSIX systems need this.
void syncFolderToDisk(const QString &folder)
{
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

}  // namespace

bool replaceFile(const QString &source, const QString &target, QString *error)
{
    if (replaceFailureHook() && replaceFailureHook()(target)) {
        if (error)
            *error = QStringLiteral("replacement refused");
        return false;
    }
    if (!syncFileToDisk(source)) {
        if (error)
            *error = QStringLiteral("the new file could not be written to the disk");
        return false;
    }
    // std::filesystem::rename replaces an existing target in one step on every platform we
    // build for (rename(2); MoveFileEx with MOVEFILE_REPLACE_EXISTING), unlike QFile::rename.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), ec);
    if (ec) {
        if (error)
            *error = QString::fromStdString(ec.message());
        return false;
    }
    syncFolderToDisk(QFileInfo(target).absolutePath());
    return true;
}

void removeLeftover(const QString &temporary)
{
    if (QFileInfo::exists(temporary))
        QFile::remove(temporary);
}

QString temporaryName(const QString &name)
{
    if (name.size() < 3)
        return name + QStringLiteral("TMP");
    return name.left(name.size() - 3) + QStringLiteral("TMP");
}

}  // namespace quenkit
