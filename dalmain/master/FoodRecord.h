#pragma once

#include "dalmain/master/Nutrients.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <bitset>
#include <optional>

// One food of the food composition table "食品.FDB": its record layout, the food groups, food
// numbers and food codes, the default amount a memo may carry, and where its photo lives.
namespace dalmain {

namespace food {

// The record body (after the flag byte): every field is text, blank-padded to its width.
constexpr int NumberOffset = 0;
constexpr int NumberWidth = 5;
constexpr int NameOffset = 5;
constexpr int NameWidth = 40;
constexpr int GroupOffset = 45;
constexpr int GroupWidth = 2;
constexpr int KeywordOffset = 47;   // three keywords back to back
constexpr int KeywordWidth = 10;
constexpr int KeywordCount = 3;
constexpr int NutrientOffset = 77;  // the NutrientVector, one field per nutrient
constexpr int NutrientWidth = 6;
constexpr int WasteOffset = NutrientOffset + kNutrientCount * NutrientWidth;   // 299
constexpr int WasteWidth = 6;
constexpr int WasteDecimals = 0;
constexpr int PhotoOffset = WasteOffset + WasteWidth;   // 305
constexpr int PhotoWidth = 8;
constexpr int MemoOffset = PhotoOffset + PhotoWidth;    // 313
constexpr int MemoWidth = 100;
constexpr int BodyLength = MemoOffset + MemoWidth;      // 413
static_assert(WasteOffset == 299 && BodyLength == 413);

// Field names of the header (UTF-8; stored in Shift-JIS). The system addresses the first six
// by name; the nutrient fields take their names from the nutrient table (NutrientInfo.h).
inline constexpr const char *NumberField = "食品番号";
inline constexpr const char *NameField = "食品名";
inline constexpr const char *GroupField = "食品群";
inline constexpr const char *KeywordFields[KeywordCount] = {"ｷｰﾜｰﾄﾞ1", "ｷｰﾜｰﾄﾞ2", "ｷｰﾜｰﾄﾞ3"};
inline constexpr const char *WasteField = "廃棄率";
inline constexpr const char *PhotoField = "写真";
inline constexpr const char *MemoField = "メモ";

constexpr int GroupCount = 18;
// Food numbers. The official foods have two ranges: the standard numbers 1-1882 (official
// number GGSSS -> the group's offset + SSS, while SSS is within the group's standard count), and
// for every later official food 40000 + GGSSS (41001-58999), which no edition changes. Every
// other number, from 1883 on, belongs to a food of the user. isOfficialFoodNumber() is the one
// place that tells the two apart.
constexpr quint32 LastStandardNumber = 1882;
constexpr quint32 FirstUserNumber = 1883;
constexpr quint32 OfficialNumberBase = 40000;
constexpr quint32 FirstReservedNumber = 41000;   // 40000 + 01000 up to 40000 + 18999
constexpr quint32 LastReservedNumber = 58999;
constexpr int LastOfficialSerial = 999;
constexpr quint32 LastNumber = 65534;
// What the number functions return when there is no number to give.
constexpr quint32 NoNumber = 65535;

}  // namespace food

// Nutrients whose value is not known: the official table did not analyse them ("-"). Their
// field is stored blank and reads 0, so that every sum treats them as adding nothing; screens
// show them as "-".
using UnknownNutrients = std::bitset<kNutrientCount>;

struct FoodRecord {
    quint32 number = 0;
    QByteArray name;   // Shift-JIS, at most 40 bytes, no trailing blanks
    int group = 0;     // 1-18
    std::array<QByteArray, food::KeywordCount> keywords;   // Shift-JIS, at most 10 bytes each
    NutrientVector nutrients{};   // per 100 g of edible part; 0 where unknown
    UnknownNutrients unknown;     // set: the nutrient's field is blank (not analysed)
    double wasteRatio = 0;        // percent of the food as bought
    QByteArray photo;             // photo file name without ".bmp"; empty when there is none
    QByteArray memo;              // Shift-JIS, at most 100 bytes

    // Whether the value of nutrient (0-36) is known; an unknown one reads 0.
    bool isKnown(int nutrient) const { return !unknown.test(static_cast<size_t>(nutrient)); }
    void setUnknown(int nutrient)
    {
        nutrients[static_cast<size_t>(nutrient)] = 0;
        unknown.set(static_cast<size_t>(nutrient));
    }

    // Reads a body as stored: text fields lose their trailing blanks, numbers are read with the
    // C library's decimal conversion (leading blanks skipped, no number reads 0). A nutrient field
    // that is all blanks is unknown. A body shorter than the layout reads as blank past its end.
    static FoodRecord fromBody(QByteArrayView body);
    // Only the food number of a body.
    static quint32 numberOf(QByteArrayView body);

    // The 413-byte body; unknown nutrients are left blank. Text longer than its field is cut at
    // a character boundary; a number
    // that does not fit its field with the nutrient's decimals is written with fewer decimals,
    // and one whose integer part does not fit is written as blanks. Each such field is named in
    // *problems, so that nothing is cut silently.
    QByteArray toBody(QStringList *problems = nullptr) const;
};

// A number right-aligned in width characters with the given decimals ("%*.*f"), or nothing when
// it does not fit (negative values included).
std::optional<QByteArray> fixedNumberField(double value, int decimals, int width);

// Writes value into a field of width characters with at most decimals decimals: the fewest
// decimals dropped for it to fit, reported in *droppedDecimals. Nothing when even the integer
// part does not fit.
std::optional<QByteArray> fittedNumberField(double value, int decimals, int width, int *droppedDecimals = nullptr);

// The food groups 1-18: the name ("穀類") and the short label of the group buttons ("① 穀類").
// An empty text outside 1-18.
QString foodGroupName(int group);
QString foodGroupLabel(int group);

// The offset of a group's standard food numbers (group 2: 143) and the number of its standard
// serials (group 2: 40). 0 for a group outside 1-18.
quint32 foodGroupOffset(int group);
int standardSerialCount(int group);
// The first serial of users' foods in a group's food codes (group 2: 41): the listed one, or
// one past the group's last standard serial where the listed one is not above it (groups 9, 13
// and 14 list their last standard serial). 1 for a group outside 1-18.
int firstUserSerial(int group);
// The group whose standard numbers hold number (1-1882), or 0.
int standardGroupOf(quint32 number);

// True for a number of the official foods (1-1882 and the range 41000-58999 kept for later
// official foods), false for a number of the user's own foods (and for 0 and numbers past
// LastNumber). Everything that asks "official or the user's own" asks this.
bool isOfficialFoodNumber(quint32 number);

// The number of the official food GGSSS: the standard number where the serial is within the
// group's standard count, else 40000 + GGSSS. 0 for a group outside 1-18 or a serial outside
// 1-999.
quint32 officialFoodNumber(int group, int serial);
// The official food behind a number: its group and serial; nothing for a user's number (or a
// number of the reserved range that names no serial, such as 42000).
struct OfficialFood {
    int group = 0;
    int serial = 0;
};
std::optional<OfficialFood> officialFoodOf(quint32 number);
// The code of an official food from its number alone: its official food number "GGSSS".
std::optional<QByteArray> officialFoodCode(quint32 number);

// The smallest number of the user's own foods above number (1883 on, past the reserved
// official range), or food::NoNumber when none is left up to food::LastNumber.
quint32 nextUserFoodNumber(quint32 number);

// The five-digit food code "%02d%03d" of a group and a serial.
QByteArray foodCode(int group, int serial);
// The code of a standard food, from its number and group: the serial is the number less the
// group's offset.
QByteArray standardFoodCode(quint32 number, int group);

// The amount a memo proposes: the digits (and one decimal point) right before the first "g" of
// the memo, at most five characters, right-aligned in five. Nothing when the first "g" has no
// digit before it or the amount is 1000 or more.
std::optional<QByteArray> memoDefaultAmount(QByteArrayView memo);

// Food photos, one folder per food group below a picture folder.
enum class PhotoSet {
    Program,   // "bmp" in the program's data folder (DataDir)
    Small,     // "bmp200" in the photo folder (DataDir3)
    Large,     // "bmp400" in the photo folder, the enlarged photos
};

// folder is a folder setting (ends in a separator). The result is a full path with native
// separators, each component found without regard to case when the exact spelling is missing.
QString foodPhotoPath(const QString &folder, PhotoSet set, int group, QByteArrayView photoName);
// The group's default picture ("DEF%d256.bmp").
QString defaultFoodPhotoPath(const QString &folder, PhotoSet set, int group);
// The picture for a photo file that is missing ("FNF%d256.bmp"); only the photo folder has it.
QString missingFoodPhotoPath(const QString &folder, int group);

// The picture the food dialogs show for food. With the photo folder in use (FoodPic non-zero and
// DataDir3 set): its photo there, else that folder's picture for a missing photo, else its group
// picture. Otherwise: its small picture in the program's data folder (DataDir), else the group's
// default picture there. Empty when none of these files exists.
QString foodPicturePath(const FoodRecord &food);
// The enlarged photo ("bmp400") of food in the photo folder when that folder is in use and has
// it; otherwise the picture of foodPicturePath, to be shown larger. Empty when there is none.
QString enlargedFoodPicturePath(const FoodRecord &food);

}  // namespace dalmain
