#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// Dish pictures, in the folder "bmp/cooking" of the program's data folder (DataDir).
namespace dalmain {

// The picture a dish shows: its own "bmp/cooking/NAME.bmp" when picture names one (not blank,
// not "DEFCOOK"); otherwise the picture of its category for 和食, 洋食 and 中華
// ("bmp/cooking/和食.bmp" ...), and "bmp/cooking/DEFCOOK.bmp" for every other category. picture
// and category are Shift-JIS without padding. folder is a folder setting (it ends in a
// separator); the result is a full path with native separators, found without regard to case
// when the exact spelling is missing.
QString dishPicturePath(const QString &folder, QByteArrayView picture, QByteArrayView category);

// The names (without ".bmp") of the pictures the picture chooser offers: the ".bmp" files of
// the folder, sorted.
QStringList dishPictureChoices(const QString &folder);

// The picture the chooser shows when the chosen one cannot be shown.
QString fallbackDishPicturePath(const QString &folder);

}  // namespace dalmain
