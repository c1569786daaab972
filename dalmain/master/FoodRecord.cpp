#include "dalmain/master/FoodRecord.h"

#include "dalmain/master/NutrientInfo.h"
#include "quenkit/files/DataFolder.h"
#include "quenkit/registry/SettingsStore.h"
#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace dalmain {

namespace {

struct GroupInfo {
    const char *name;
    const char *label;
    quint32 offset;
    int firstUserSerial;
};

// The offsets number the standard foods 1-1882 in group order. The listed first user serials
// lie past the standard serials except in groups 9, 13 and 14, where they equal the last one
// (firstUserSerial() moves them on).
constexpr GroupInfo kGroups[food::GroupCount] = {
    {"穀類", "① 穀類", 0, 144},
    {"いも及びでん粉", "② いも･澱粉", 143, 41},
    {"砂糖及び甘味", "③ 砂糖･甘味", 183, 24},
    {"豆", "④ 豆", 206, 74},
    {"種実", "⑤ 種実", 279, 38},
    {"野菜", "⑥ 野菜", 316, 327},
    {"果実", "⑦ 果実", 642, 157},
    {"きのこ", "⑧ きのこ", 798, 37},
    {"藻", "⑨ 藻", 834, 48},
    {"魚介", "⑩ 魚介", 882, 389},
    {"肉", "⑪ 肉", 1269, 245},
    {"卵", "⑫ 卵", 1513, 21},
    {"乳", "⑬ 乳", 1533, 52},
    {"油脂", "⑭ 油脂", 1585, 22},
    {"菓子", "⑮ 菓子", 1607, 121},
    {"し好飲料", "⑯ し好飲料", 1727, 56},
    {"調味料及び香辛料", "⑰ 調味･香辛", 1782, 85},
    {"調理加工食品", "⑱ 調理加工", 1866, 17},
};

const GroupInfo *groupInfo(int group)
{
    return group >= 1 && group <= food::GroupCount ? &kGroups[group - 1] : nullptr;
}

// The C library's decimal conversion of a fixed-width field: leading blanks skipped, no number
// 0. The field is copied to the stack, as a whole table is read this way.
double fieldValue(QByteArrayView field)
{
    char text[32];
    const qsizetype n = std::min<qsizetype>(field.size(), sizeof text - 1);
    if (n > 0)
        std::memcpy(text, field.data(), static_cast<size_t>(n));
    text[n] = '\0';
    return std::strtod(text, nullptr);
}

// A field of blanks only, or one past the end of a short body.
bool isBlank(QByteArrayView field)
{
    return std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
}

QByteArrayView fieldOf(QByteArrayView body, int offset, int width)
{
    if (offset >= body.size())
        return {};
    return body.sliced(offset, std::min<qsizetype>(width, body.size() - offset));
}

void putText(QByteArray &body, int offset, int width, QByteArrayView text, const char *field,
             QStringList *problems)
{
    if (text.size() > width && problems)
        problems->append(QStringLiteral("%1: text of %2 bytes cut to %3").arg(QString::fromUtf8(field)).arg(text.size()).arg(width));
    const QByteArray value = quenkit::sjisField(text, width);
    body.replace(offset, width, value);
}

void putNumber(QByteArray &body, int offset, int width, double value, int decimals, const char *field,
               QStringList *problems)
{
    int dropped = 0;
    const std::optional<QByteArray> text = fittedNumberField(value, decimals, width, &dropped);
    if (!text) {
        if (problems)
            problems->append(QStringLiteral("%1: %2 does not fit in %3 characters")
                                 .arg(QString::fromUtf8(field))
                                 .arg(value, 0, 'f', decimals)
                                 .arg(width));
        return;   // the field stays blank
    }
    if (dropped > 0 && problems)
        problems->append(QStringLiteral("%1: %2 written as %3")
                             .arg(QString::fromUtf8(field))
                             .arg(value, 0, 'f', decimals)
                             .arg(QString::fromLatin1(text->trimmed())));
    body.replace(offset, width, *text);
}

// The relative part of a photo path with native separators, joined to the folder and resolved
// without regard to case.
QString photoPath(const QString &folder, PhotoSet set, int group, const QString &file)
{
    static const char *const sets[] = {"bmp", "bmp200", "bmp400"};
    const QString relative = QStringLiteral("%1/bmpsy%2/%3")
                                 .arg(QLatin1String(sets[static_cast<int>(set)]))
                                 .arg(group)
                                 .arg(file);
    return quenkit::resolvePath(folder + QDir::toNativeSeparators(relative));
}

}  // namespace

std::optional<QByteArray> fixedNumberField(double value, int decimals, int width)
{
    if (!std::isfinite(value) || value < 0)
        return std::nullopt;
    char text[64];
    const int length = std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    if (length < 0 || length > width)
        return std::nullopt;
    return QByteArray(text, length);
}

std::optional<QByteArray> fittedNumberField(double value, int decimals, int width, int *droppedDecimals)
{
    for (int d = decimals; d >= 0; --d) {
        if (std::optional<QByteArray> text = fixedNumberField(value, d, width)) {
            if (droppedDecimals)
                *droppedDecimals = decimals - d;
            return text;
        }
    }
    return std::nullopt;
}

quint32 FoodRecord::numberOf(QByteArrayView body)
{
    return static_cast<quint32>(std::max(0.0, fieldValue(fieldOf(body, food::NumberOffset, food::NumberWidth))));
}

FoodRecord FoodRecord::fromBody(QByteArrayView body)
{
    using namespace food;
    FoodRecord r;
    r.number = numberOf(body);
    r.name = quenkit::trimmedField(fieldOf(body, NameOffset, NameWidth));
    r.group = static_cast<int>(fieldValue(fieldOf(body, GroupOffset, GroupWidth)));
    for (int k = 0; k < KeywordCount; ++k)
        r.keywords[k] = quenkit::trimmedField(fieldOf(body, KeywordOffset + k * KeywordWidth, KeywordWidth));
    for (int i = 0; i < kNutrientCount; ++i) {
        const QByteArrayView field = fieldOf(body, NutrientOffset + i * NutrientWidth, NutrientWidth);
        r.nutrients[i] = fieldValue(field);
        if (isBlank(field))
            r.unknown.set(static_cast<size_t>(i));
    }
    r.wasteRatio = fieldValue(fieldOf(body, WasteOffset, WasteWidth));
    r.photo = quenkit::trimmedField(fieldOf(body, PhotoOffset, PhotoWidth));
    r.memo = quenkit::trimmedField(fieldOf(body, MemoOffset, MemoWidth));
    return r;
}

QByteArray FoodRecord::toBody(QStringList *problems) const
{
    using namespace food;
    QByteArray body(BodyLength, ' ');
    const std::optional<QByteArray> numberText = fixedNumberField(number, 0, NumberWidth);
    if (numberText)
        body.replace(NumberOffset, NumberWidth, *numberText);
    else if (problems)
        problems->append(QStringLiteral("%1: %2 does not fit").arg(QString::fromUtf8(NumberField)).arg(number));
    putText(body, NameOffset, NameWidth, name, NameField, problems);
    putNumber(body, GroupOffset, GroupWidth, group, 0, GroupField, problems);
    for (int k = 0; k < KeywordCount; ++k)
        putText(body, KeywordOffset + k * KeywordWidth, KeywordWidth, keywords[k], KeywordFields[k], problems);
    for (int i = 0; i < kNutrientCount; ++i) {
        if (!isKnown(i))
            continue;   // the field stays blank
        const NutrientInfo &info = nutrientInfo(i);
        putNumber(body, NutrientOffset + i * NutrientWidth, NutrientWidth, nutrients[i], info.decimals,
                  info.csvName, problems);
    }
    putNumber(body, WasteOffset, WasteWidth, wasteRatio, WasteDecimals, WasteField, problems);
    putText(body, PhotoOffset, PhotoWidth, photo, PhotoField, problems);
    putText(body, MemoOffset, MemoWidth, memo, MemoField, problems);
    return body;
}

QString foodGroupName(int group)
{
    const GroupInfo *g = groupInfo(group);
    return g ? QString::fromUtf8(g->name) : QString();
}

QString foodGroupLabel(int group)
{
    const GroupInfo *g = groupInfo(group);
    return g ? QString::fromUtf8(g->label) : QString();
}

quint32 foodGroupOffset(int group)
{
    const GroupInfo *g = groupInfo(group);
    return g ? g->offset : 0;
}

int standardSerialCount(int group)
{
    if (!groupInfo(group))
        return 0;
    const quint32 end = group < food::GroupCount ? foodGroupOffset(group + 1) : food::LastStandardNumber;
    return static_cast<int>(end - foodGroupOffset(group));
}

int firstUserSerial(int group)
{
    const GroupInfo *g = groupInfo(group);
    return g ? std::max(g->firstUserSerial, standardSerialCount(group) + 1) : 1;
}

bool isOfficialFoodNumber(quint32 number)
{
    return (number >= 1 && number <= food::LastStandardNumber)
           || (number >= food::FirstReservedNumber && number <= food::LastReservedNumber);
}

quint32 officialFoodNumber(int group, int serial)
{
    if (!groupInfo(group) || serial < 1 || serial > food::LastOfficialSerial)
        return 0;
    if (serial <= standardSerialCount(group))
        return foodGroupOffset(group) + static_cast<quint32>(serial);
    return food::OfficialNumberBase + static_cast<quint32>(group * 1000 + serial);
}

std::optional<OfficialFood> officialFoodOf(quint32 number)
{
    if (const int group = standardGroupOf(number))
        return OfficialFood{group, static_cast<int>(number - foodGroupOffset(group))};
    if (number < food::FirstReservedNumber || number > food::LastReservedNumber)
        return std::nullopt;
    const int code = static_cast<int>(number - food::OfficialNumberBase);
    const OfficialFood food{code / 1000, code % 1000};
    // Serials within the standard count have their standard number instead.
    if (food.serial <= standardSerialCount(food.group))
        return std::nullopt;
    return food;
}

std::optional<QByteArray> officialFoodCode(quint32 number)
{
    const std::optional<OfficialFood> food = officialFoodOf(number);
    if (!food)
        return std::nullopt;
    return foodCode(food->group, food->serial);
}

quint32 nextUserFoodNumber(quint32 number)
{
    quint32 next = std::max(number + 1, food::FirstUserNumber);
    if (next >= food::FirstReservedNumber && next <= food::LastReservedNumber)
        next = food::LastReservedNumber + 1;
    return next <= food::LastNumber ? next : food::NoNumber;
}

int standardGroupOf(quint32 number)
{
    if (number < 1 || number > food::LastStandardNumber)
        return 0;
    for (int group = food::GroupCount; group >= 1; --group) {
        if (number > kGroups[group - 1].offset)
            return group;
    }
    return 0;
}

QByteArray foodCode(int group, int serial)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d%03d", group, serial);
    return QByteArray(text);
}

QByteArray standardFoodCode(quint32 number, int group)
{
    return foodCode(group, static_cast<int>(number) - static_cast<int>(foodGroupOffset(group)));
}

std::optional<QByteArray> memoDefaultAmount(QByteArrayView memo)
{
    memo = memo.first(std::min<qsizetype>(memo.size(), food::MemoWidth));
    // The "g" is looked for character by character: the second byte of a double-byte character
    // can have the value of "g" and is no unit.
    qsizetype g = -1;
    for (qsizetype i = 0; i < memo.size();) {
        const unsigned char c = static_cast<unsigned char>(memo[i]);
        if (c == 'g') {
            g = i;
            break;
        }
        i += quenkit::isSjisLeadByte(c) && i + 1 < memo.size() ? 2 : 1;
    }
    if (g < 0)
        return std::nullopt;
    // Digits and the decimal point are single bytes below any second byte of a double-byte
    // character, so reading backwards cannot take half a character.
    qsizetype start = g;
    bool digit = false;
    bool point = false;
    while (start > 0 && g - start < 5) {
        const char c = memo[start - 1];
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && digit && !point) {
            point = true;
        } else {
            break;
        }
        --start;
    }
    if (!digit)
        return std::nullopt;
    const QByteArray amount = memo.sliced(start, g - start).toByteArray();
    if (std::strtod(amount.constData(), nullptr) >= 1000)
        return std::nullopt;
    return amount.rightJustified(5, ' ');
}

QString foodPhotoPath(const QString &folder, PhotoSet set, int group, QByteArrayView photoName)
{
    return photoPath(folder, set, group, quenkit::fromSjis(photoName) + QStringLiteral(".bmp"));
}

QString defaultFoodPhotoPath(const QString &folder, PhotoSet set, int group)
{
    return photoPath(folder, set, group, QStringLiteral("DEF") + QString::number(group) + QStringLiteral("256.bmp"));
}

QString missingFoodPhotoPath(const QString &folder, int group)
{
    return photoPath(folder, PhotoSet::Small, group, QStringLiteral("FNF") + QString::number(group) + QStringLiteral("256.bmp"));
}

namespace {

QString folderSetting(const QString &name)
{
    QString value;
    quenkit::GetUserRegistryString(name, nullptr, value, 1024);
    return value;
}

QString firstThere(std::initializer_list<QString> paths)
{
    for (const QString &path : paths) {
        if (!path.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

// The photo folder, when the installation uses one.
QString photoFolderInUse()
{
    return quenkit::GetUserRegistryInt(QStringLiteral("FoodPic"), 0) != 0 ? folderSetting(QStringLiteral("DataDir3"))
                                                                         : QString();
}

}  // namespace

QString enlargedFoodPicturePath(const FoodRecord &food)
{
    const QString photoFolder = photoFolderInUse();
    if (!photoFolder.isEmpty() && !food.photo.isEmpty()) {
        const QString large = firstThere({foodPhotoPath(photoFolder, PhotoSet::Large, food.group, food.photo)});
        if (!large.isEmpty())
            return large;
    }
    return foodPicturePath(food);
}

QString foodPicturePath(const FoodRecord &food)
{
    const QString photoFolder = photoFolderInUse();
    if (!photoFolder.isEmpty()) {
        return firstThere({food.photo.isEmpty() ? QString() : foodPhotoPath(photoFolder, PhotoSet::Small, food.group, food.photo),
                           missingFoodPhotoPath(photoFolder, food.group),
                           defaultFoodPhotoPath(photoFolder, PhotoSet::Small, food.group)});
    }
    const QString programFolder = folderSetting(QStringLiteral("DataDir"));
    if (programFolder.isEmpty())
        return {};
    return firstThere({food.photo.isEmpty() ? QString() : foodPhotoPath(programFolder, PhotoSet::Program, food.group, food.photo),
                       defaultFoodPhotoPath(programFolder, PhotoSet::Program, food.group)});
}

}  // namespace dalmain
