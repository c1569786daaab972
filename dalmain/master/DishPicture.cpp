#include "dalmain/master/DishPicture.h"

#include "dalmain/master/DishRecord.h"

#include "quenkit/files/DataFolder.h"
#include "quenkit/text/ShiftJis.h"

#include <QDir>

namespace dalmain {

namespace {

QString picturePath(const QString &folder, const QString &file)
{
    return quenkit::resolvePath(folder + QDir::toNativeSeparators(QStringLiteral("bmp/cooking/") + file));
}

}  // namespace

QString dishPicturePath(const QString &folder, QByteArrayView picture, QByteArrayView category)
{
    DishRecord d;
    d.picture = picture.toByteArray();
    if (d.hasOwnPicture())
        return picturePath(folder, quenkit::fromSjis(picture) + QStringLiteral(".bmp"));
    const QString name = quenkit::fromSjis(category);
    for (const char *own : {"和食", "洋食", "中華"}) {
        if (name == QString::fromUtf8(own))
            return picturePath(folder, name + QStringLiteral(".bmp"));
    }
    return picturePath(folder, QString::fromLatin1(dish::NoPicture) + QStringLiteral(".bmp"));
}

QStringList dishPictureChoices(const QString &folder)
{
    const QDir dir(quenkit::resolvePath(folder + QDir::toNativeSeparators(QStringLiteral("bmp/cooking"))));
    QStringList names;
    for (const QFileInfo &file : dir.entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (file.suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0)
            names.append(file.completeBaseName());
    }
    return names;
}

QString fallbackDishPicturePath(const QString &folder)
{
    return picturePath(folder, QStringLiteral("defcook.bmp"));
}

}  // namespace dalmain
