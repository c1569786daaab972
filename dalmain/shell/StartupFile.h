#pragma once

#include <QString>

// "DM1.INI", the start-up file the installer of the older editions left for the first start:
// it carries whether food photos are installed and where. The program takes the two values
// over into the installation settings.
namespace dalmain {

// Where the file is looked for: the Windows folder, or on systems without one the
// configuration folder of the settings store.
QString startupFilePath();

// Reads and writes one key of an INI file kept in Shift-JIS, as the Windows profile
// functions do: sections and keys compare without regard to case; a missing file, section
// or key reads as the default. Writing keeps every other line of the file as it was.
QString readProfileString(const QString &path, const QString &section, const QString &key,
                          const QString &defaultText);
int readProfileInt(const QString &path, const QString &section, const QString &key, int defaultValue);
bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &text);

// Moves FoodPic and DataDir3 from the start-up file at path into the installation settings:
// FoodPic unless it reads 99 (absent), DataDir3 unless it reads "nothing", which is then
// written back so that the folder is taken over once. Nothing happens without the file.
void carryOverStartupFile(const QString &path);

}  // namespace dalmain
