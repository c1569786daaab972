#include "quenkit/registry/SettingsStore.h"

#include "quenkit/files/FileLock.h"
#include "quenkit/text/ShiftJis.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSettings>
#include <QStandardPaths>

#include <climits>
#include <memory>

namespace quenkit {

namespace {

enum class Store { Installation, User, Machine };

QMutex folderMutex;
QString &folderOverride()
{
    static QString folder;
    return folder;
}

#ifndef Q_OS_WIN
// QSettings drops a group that has no values, but a section that exists without the asked
// value must still count as existing (its defaults no longer apply). Every existing section,
// and the installation store itself, therefore holds this marker, which no listing shows.
const QString kMarker = QStringLiteral(".exists");
#endif

#ifndef Q_OS_WIN
QString storeFile(Store store)
{
    static const QString files[] = {QStringLiteral("install.ini"), QStringLiteral("user.ini"),
                                    QStringLiteral("machine.ini")};
    return settingsFolder() + QLatin1Char('/') + files[static_cast<int>(store)];
}
#endif

std::unique_ptr<QSettings> open(Store store)
{
#ifdef Q_OS_WIN
    static const QString keys[] = {QStringLiteral("HKEY_USERS\\.DEFAULT\\Software\\qnt\\dm"),
                                   QStringLiteral("HKEY_CURRENT_USER\\Software\\qnt\\dm"),
                                   QStringLiteral("HKEY_USERS\\Software\\qnt\\dm")};
    return std::make_unique<QSettings>(keys[static_cast<int>(store)], QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(storeFile(store), QSettings::IniFormat);
#endif
}

#ifndef Q_OS_WIN
// QSettings decides whether a store file changed since it last read it by its size and time
// stamp, to the millisecond. Two writes of equal length within one millisecond would look like
// no change, and a process that had read the first would write its stale copy back over the
// second. Under the store's lock every write therefore leaves a time stamp later than the one
// it found.
void advanceTimeStamp(const QString &path, const QDateTime &before)
{
    if (!before.isValid())
        return;
    QFile file(path);
    const QDateTime after = QFileInfo(path).lastModified().toUTC();
    if (after.isValid() && after > before)
        return;
    if (file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        file.setFileTime(before.addMSecs(1), QFileDevice::FileModificationTime);
}
#endif

// Runs change on a freshly opened store and writes it out. Off Windows the store file stays
// locked from before it is read until the change is on disk, so concurrent writers (the program
// and the command-line tool, or several scripts) each merge into what the one before them wrote.
// 0 when the store is busy beyond the lock's wait or cannot be written.
template <typename Change>
int changeStore(Store store, Change change)
{
#ifdef Q_OS_WIN
    auto s = open(store);
    if (!change(*s))
        return 0;
    s->sync();
    return s->status() == QSettings::NoError ? 1 : 0;
#else
    const QString path = storeFile(store);
    // The lock file lives beside the store, so the folder has to exist before the first write.
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileLock lock(path);
    if (!lock.isLocked())
        return 0;
    const QFileInfo info(path);
    const QDateTime before = info.exists() ? info.lastModified().toUTC() : QDateTime();
    int result = 0;
    {
        auto s = open(store);
        if (!change(*s))
            return 0;
        s->sync();
        result = s->status() == QSettings::NoError ? 1 : 0;
    }
    advanceTimeStamp(path, before);
    return result;
#endif
}

// The stored spelling of wanted among names, compared without regard to case; empty when absent.
QString findName(const QStringList &names, const QString &wanted)
{
    for (const QString &n : names) {
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return n;
    }
    return {};
}

// Enters the section group (empty section: the store's top level). false when it does not exist.
bool enterExisting(QSettings &s, const QString &section)
{
    if (section.isEmpty()) {
#ifdef Q_OS_WIN
        return !s.allKeys().isEmpty() || !s.childGroups().isEmpty();
#else
        return s.contains(kMarker);
#endif
    }
    const QString stored = findName(s.childGroups(), section);
    if (stored.isEmpty())
        return false;
    s.beginGroup(stored);
    return true;
}

// Enters the section group, creating it (and its marker) when missing.
void enterOrCreate(QSettings &s, const QString &section)
{
    if (!section.isEmpty()) {
        const QString stored = findName(s.childGroups(), section);
        s.beginGroup(stored.isEmpty() ? section : stored);
    }
#ifndef Q_OS_WIN
    if (!s.contains(kMarker))
        s.setValue(kMarker, QString());
#endif
}

int readString(Store store, const QString &section, const QString &name, const QString *defaultText,
               QString &buffer, int bufferSize)
{
    if (defaultText && !defaultText->isEmpty())
        buffer = *defaultText;
    auto s = open(store);
    if (!enterExisting(*s, section))
        return 0;
    buffer.clear();
    const QString stored = findName(s->childKeys(), name);
    if (stored.isEmpty() || name.isEmpty())
        return 0;
    const QString value = s->value(stored).toString();
    // The stored form is Shift-JIS with its NUL; a value that does not fit reads as missing.
    if (sjisWidth(value) + 1 > bufferSize)
        return 0;
    buffer = value;
    return 1;
}

int readInt(Store store, const QString &section, const QString &name, int defaultValue)
{
    auto s = open(store);
    if (!enterExisting(*s, section))
        return defaultValue;
    const QString stored = findName(s->childKeys(), name);
    if (stored.isEmpty() || name.isEmpty())
        return defaultValue;
    // The integer reads use a 255-byte buffer: a longer text does not fit and is missing.
    const QString value = s->value(stored).toString();
    if (sjisWidth(value) + 1 > 255)
        return defaultValue;
    return decimalTextToInt(value);
}

int writeString(Store store, const QString &section, const QString &name, const QString &text)
{
    return changeStore(store, [&](QSettings &s) {
        enterOrCreate(s, section);
        const QString stored = findName(s.childKeys(), name);
        s.setValue(stored.isEmpty() ? name : stored, text);
        return true;
    });
}

int removeValue(Store store, const QString &section, const QString &name)
{
    // A missing section is not a failure of the write: the result only says whether it existed.
    bool existed = false;
    const int written = changeStore(store, [&](QSettings &s) {
        existed = enterExisting(s, section);
        if (!existed)
            return true;
        const QString stored = findName(s.childKeys(), name);
        if (!stored.isEmpty()
#ifndef Q_OS_WIN
            && stored != kMarker
#endif
        )
            s.remove(stored);
        return true;
    });
    return written && existed ? 1 : 0;
}

QList<QPair<QString, QString>> listValues(Store store, const QString &section)
{
    QList<QPair<QString, QString>> out;
    auto s = open(store);
    if (!enterExisting(*s, section))
        return out;
    for (const QString &key : s->childKeys()) {
#ifndef Q_OS_WIN
        if (key == kMarker)
            continue;
#endif
        out.append({key, s->value(key).toString()});
    }
    return out;
}

}  // namespace

QString settingsFolder()
{
    {
        QMutexLocker lock(&folderMutex);
        if (!folderOverride().isEmpty())
            return folderOverride();
    }
    const QByteArray env = qgetenv("DALMORA_CONFIG_DIR");
    if (!env.isEmpty())
        return QDir::cleanPath(QString::fromLocal8Bit(env));
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/dalmora");
}

void setSettingsFolderOverride(const QString &folder)
{
    QMutexLocker lock(&folderMutex);
    folderOverride() = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

int decimalTextToInt(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
        ++i;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int GetUserRegistryString(const QString &name, const QString *defaultText, QString &buffer, int bufferSize)
{
    return readString(Store::Installation, QString(), name, defaultText, buffer, bufferSize);
}

int SetUserRegistryString(const QString &name, const QString &text)
{
    return writeString(Store::Installation, QString(), name, text);
}

int GetUserRegistryInt(const QString &name, int defaultValue)
{
    return readInt(Store::Installation, QString(), name, defaultValue);
}

int DeleteUserRegistryString(const QString &name)
{
    return removeValue(Store::Installation, QString(), name);
}

int GetRegistryString(const QString &section, const QString &name, const QString *defaultText, QString &buffer,
                      int bufferSize)
{
    if (section.isEmpty())
        return 0;
    return readString(Store::User, section, name, defaultText, buffer, bufferSize);
}

int SetRegistryString(const QString &section, const QString &name, const QString &text)
{
    if (section.isEmpty() || name.isEmpty())
        return 0;
    return writeString(Store::User, section, name, text);
}

int GetRegistryInt(const QString &section, const QString &name, int defaultValue)
{
    if (section.isEmpty())
        return defaultValue;
    return readInt(Store::User, section, name, defaultValue);
}

int DeleteRegistryString(const QString &section, const QString &name)
{
    if (section.isEmpty())
        return 0;
    return removeValue(Store::User, section, name);
}

int SetRegistryValue(const QString &name, const QString &text)
{
    if (name.isEmpty())
        return 0;
    return writeString(Store::Machine, QString(), name, text);
}

int GetRegistryValue(const QString &name, QString &buffer)
{
    if (name.isEmpty())
        return 0;
    return readString(Store::Machine, QString(), name, nullptr, buffer, 255);
}

QStringList listRegistrySections()
{
    auto s = open(Store::User);
    return s->childGroups();
}

QList<QPair<QString, QString>> listRegistryValues(const QString &section)
{
    if (section.isEmpty())
        return {};
    return listValues(Store::User, section);
}

QList<QPair<QString, QString>> listInstallationValues()
{
    return listValues(Store::Installation, QString());
}

}  // namespace quenkit
