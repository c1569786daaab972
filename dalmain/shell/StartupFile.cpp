#include "dalmain/shell/StartupFile.h"

#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace dalmain {

namespace {

const QString kSection = QStringLiteral("Dalmroa System");
const QString kNothing = QStringLiteral("nothing");
constexpr int kFoodPicAbsent = 99;

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = quenkit::fromSjis(f.readAll()).split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSectionLine(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

// The line index of key inside section, or -1; sectionEnd receives the index after the
// section's last line (-1 when the section is missing).
int findKey(const QStringList &lines, const QString &section, const QString &key, int *sectionEnd)
{
    int found = -1;
    bool inSection = false;
    *sectionEnd = -1;
    for (int i = 0; i < lines.size(); ++i) {
        QString name;
        if (isSectionLine(lines[i], &name)) {
            if (inSection)
                break;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                *sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!lines[i].trimmed().isEmpty())
            *sectionEnd = i + 1;
        const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
        if (found < 0 && eq > 0 && lines[i].left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            found = i;
    }
    return found;
}

}  // namespace

QString startupFilePath()
{
#ifdef Q_OS_WIN
    const QString windows = qEnvironmentVariable("WINDIR");
    if (!windows.isEmpty())
        return QDir(windows).filePath(QStringLiteral("DM1.INI"));
#endif
    return QDir(quenkit::settingsFolder()).filePath(QStringLiteral("DM1.INI"));
}

QString readProfileString(const QString &path, const QString &section, const QString &key,
                          const QString &defaultText)
{
    const QStringList lines = readLines(path);
    int sectionEnd = -1;
    const int i = findKey(lines, section, key, &sectionEnd);
    if (i < 0)
        return defaultText;
    QString value = lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1).trimmed();
    // The profile functions drop one pair of enclosing quotes.
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

int readProfileInt(const QString &path, const QString &section, const QString &key, int defaultValue)
{
    const QString text = readProfileString(path, section, key, QString());
    if (text.isEmpty())
        return defaultValue;
    return quenkit::decimalTextToInt(text);
}

bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &text)
{
    QStringList lines = readLines(path);
    int sectionEnd = -1;
    const int i = findKey(lines, section, key, &sectionEnd);
    const QString line = key + QLatin1Char('=') + text;
    if (i >= 0) {
        lines[i] = line;
    } else if (sectionEnd >= 0) {
        lines.insert(sectionEnd, line);
    } else {
        lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines.append(line);
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(quenkit::toSjis(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return f.commit();
}

void carryOverStartupFile(const QString &path)
{
    if (!QFile::exists(path))
        return;
    const int foodPic = readProfileInt(path, kSection, QStringLiteral("FoodPic"), kFoodPicAbsent);
    if (foodPic != kFoodPicAbsent)
        quenkit::SetUserRegistryString(QStringLiteral("FoodPic"), QString::number(foodPic));
    const QString photoFolder = readProfileString(path, kSection, QStringLiteral("DataDir3"), kNothing);
    if (photoFolder != kNothing) {
        quenkit::SetUserRegistryString(QStringLiteral("DataDir3"), photoFolder);
        writeProfileString(path, kSection, QStringLiteral("DataDir3"), kNothing);
    }
}

}  // namespace dalmain
