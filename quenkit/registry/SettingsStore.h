#pragma once

#include <QString>
#include <QStringList>
#include <QList>
#include <QPair>

// Every setting of the system, as text values in two stores: one per installation (the
// folders, above all DataDir2) and one per user, divided into sections. Integers are stored as
// decimal text. On Windows the stores are the registry keys the program has always used;
// elsewhere they are INI files in the configuration folder (DALMORA_CONFIG_DIR, else the
// platform's application configuration folder). Section and value names compare without
// regard to case, as registry names do.
//
// Read rule of the string reads: a default applies only while the key (the installation
// store, or the section) does not exist. Once it exists, a missing value reads as an empty
// text with result 0, whatever the default.
namespace quenkit {

// The configuration folder used off Windows (for messages and the command-line tool).
QString settingsFolder();
// Uses folder in place of DALMORA_CONFIG_DIR for the rest of this process.
void setSettingsFolderOverride(const QString &folder);

// Per-installation store.
// 1 when the value was read into buffer. bufferSize counts Shift-JIS bytes including the
// terminating NUL of the stored form: a value that does not fit reads as missing.
int GetUserRegistryString(const QString &name, const QString *defaultText, QString &buffer,
                          int bufferSize = 256);
int SetUserRegistryString(const QString &name, const QString &text);
int GetUserRegistryInt(const QString &name, int defaultValue);
// 1 when the store exists (the value is then removed if present), else 0.
int DeleteUserRegistryString(const QString &name);

// Per-user store, by section.
int GetRegistryString(const QString &section, const QString &name, const QString *defaultText,
                      QString &buffer, int bufferSize = 256);
int SetRegistryString(const QString &section, const QString &name, const QString &text);
int GetRegistryInt(const QString &section, const QString &name, int defaultValue);

// The third, machine-wide store; nothing in the program uses it.
int SetRegistryValue(const QString &name, const QString &text);
int GetRegistryValue(const QString &name, QString &buffer);

// Convenience for callers in this code base: the integer as decimal text.
inline int SetRegistryInt(const QString &section, const QString &name, int value)
{
    return SetRegistryString(section, name, QString::number(value));
}

// What is stored, for inspection: the sections of the per-user store, and the values of one
// section (or of the installation store when section is empty), in stored spelling.
QStringList listRegistrySections();
QList<QPair<QString, QString>> listRegistryValues(const QString &section);
QList<QPair<QString, QString>> listInstallationValues();
// Removes a value of a per-user section; 1 when the section exists.
int DeleteRegistryString(const QString &section, const QString &name);

// C-library decimal conversion: leading white space, optional sign, digits up to the first
// non-digit; no digits gives 0.
int decimalTextToInt(const QString &text);

}  // namespace quenkit
