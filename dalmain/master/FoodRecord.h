#pragma once

#include "dalmain/master/Nutrients.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
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
// The standard foods of the composition tables are 1-1882; users' own foods follow.
constexpr quint32 LastStandardNumber = 1882;
constexpr quint32 FirstUserNumber = 1883;
constexpr quint32 LastNumber = 65534;
// What the number functions return when there is no number to give.
constexpr quint32 NoNumber = 65535;

}  // namespace food

struct FoodRecord {
    quint32 number = 0;
    QByteArray name;   // Shift-JIS, at most 40 bytes, no trailing blanks
    int group = 0;     // 1-18
    std::array<QByteArray, food::KeywordCount> keywords;   // Shift-JIS, at most 10 bytes each
    NutrientVector nutrients{};   // per 100 g of edible part
    double wasteRatio = 0;        // percent of the food as bought
    QByteArray photo;             // photo file name without ".bmp"; empty when there is none
    QByteArray memo;              // Shift-JIS, at most 100 bytes

    // Reads a body as stored: text fields lose their trailing blanks, numbers are read with the
    // C library's decimal conversion (leading blanks skipped, no number reads 0). A body shorter
    // than the layout reads as blank past its end.
    static FoodRecord fromBody(QByteArrayView body);
    // Only the food number of a body.
    static quint32 numberOf(QByteArrayView body);

    // The 413-byte body. Text longer than its field is cut at a character boundary; a number
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

// The offset of a group's standard food numbers (group 2: 143) and the first serial of users'
// foods in its food codes (group 2: 41). 0 and 1 for a number outside 1-18.
quint32 foodGroupOffset(int group);
int firstUserSerial(int group);
// The group whose standard numbers hold number (1-1882), or 0.
int standardGroupOf(quint32 number);

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

}  // namespace dalmain
