#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace quenkit {
struct DbfFieldDescriptor;
}

// One dish of the dish table "料理.DBF": a named group of foods with amounts, stored once and
// loaded into any meal later, and the category table "料理分類.DBF" beside it.
namespace dalmain {

inline const QString kDishTable = QStringLiteral("料理.DBF");
inline const QString kDishCategoryTable = QStringLiteral("料理分類.DBF");

namespace dish {

// The record body (after the flag byte).
constexpr int NameOffset = 0;
constexpr int NameWidth = 40;
constexpr int CategoryOffset = 40;
constexpr int CategoryWidth = 10;
constexpr int KeywordOffset = 50;   // three keywords back to back
constexpr int KeywordWidth = 10;
constexpr int KeywordCount = 3;
constexpr int EntriesOffset = 80;   // "%5u" food number, "%4u" amount in tenths of a gram
constexpr int EntryCount = 100;
constexpr int EntryNumberWidth = 5;
constexpr int EntryAmountWidth = 4;
constexpr int EntryWidth = EntryNumberWidth + EntryAmountWidth;
constexpr int HeaderNamesOffset = EntriesOffset + EntryCount * EntryWidth;   // 980
constexpr int HeaderNameCount = 30;
constexpr int HeaderNameWidth = 40;
constexpr int PictureOffset = HeaderNamesOffset + HeaderNameCount * HeaderNameWidth;   // 2180
constexpr int PictureWidth = 8;
constexpr int MemoOffset = PictureOffset + PictureWidth;   // 2188
constexpr int MemoWidth = 100;
constexpr int BodyLength = MemoOffset + MemoWidth;   // 2288
static_assert(HeaderNamesOffset == 980 && PictureOffset == 2180 && BodyLength == 2288);

// The only field of the category table; as wide as a dish's category.
constexpr int CategoryNameWidth = CategoryWidth;

// The number of an entry that is a dish header inside the dish, not a food.
constexpr quint32 HeaderNumber = 65535;
// "%4u" tenths: 999.9 g.
constexpr int MaxAmountTenths = 9999;

// Field names (UTF-8; stored in Shift-JIS). Only the first five and the category table's field
// are addressed by name; the others are named for people reading the table with other tools.
inline constexpr const char *NameField = "料理名";
inline constexpr const char *CategoryField = "分類";
inline constexpr const char *KeywordFields[KeywordCount] = {"ｷｰﾜｰﾄﾞ1", "ｷｰﾜｰﾄﾞ2", "ｷｰﾜｰﾄﾞ3"};
inline constexpr const char *CategoryNameField = "料理分類名";

// The picture name that, like a blank one, means the dish has no picture of its own.
inline constexpr const char *NoPicture = "DEFCOOK";

}  // namespace dish

// One entry of a dish: a food with its amount, or a dish header (a named group) inside it.
struct DishEntry {
    quint32 food = 0;            // food number, or dish::HeaderNumber
    quint16 amountTenths = 0;    // grams x 10; 0 for a header
    QByteArray headerName;       // Shift-JIS without trailing blanks; only for a header

    static DishEntry foodEntry(quint32 food, quint16 amountTenths) { return {food, amountTenths, {}}; }
    static DishEntry header(QByteArray name) { return {dish::HeaderNumber, 0, std::move(name)}; }

    bool isHeader() const { return food == dish::HeaderNumber; }
    double grams() const { return amountTenths / 10.0; }
    friend bool operator==(const DishEntry &, const DishEntry &) = default;
};

struct DishRecord {
    QByteArray name;       // Shift-JIS, at most 40 bytes, no trailing blanks
    QByteArray category;   // at most 10 bytes
    std::array<QByteArray, dish::KeywordCount> keywords;
    QList<DishEntry> entries;
    QByteArray picture;    // name in the dish picture folder without ".bmp"; empty for none
    QByteArray memo;       // at most 100 bytes

    // Whether picture names a picture of the dish's own (not blank, not "DEFCOOK").
    bool hasOwnPicture() const;

    // Reads a body as stored. Text fields lose their padding (trailing blanks, and the NULs a
    // zeroed body leaves). The entries end at the first whose number reads 0 or after 100; each
    // header takes the next header-name slot, and a header beyond the 30 slots gets no name.
    static DishRecord fromBody(QByteArrayView body);

    friend bool operator==(const DishRecord &, const DishRecord &) = default;
};

// Why a dish cannot be stored.
enum class DishEncodeProblem {
    None,
    TooManyEntries,    // more than 100 entries
    TooManyHeaders,    // more than 30 dish headers
    AmountTooLarge,    // a food of more than 999.9 g, which "%4u" tenths cannot hold
    BadFoodNumber,     // a food number 0 (it would end the list) or beyond 65535
};

// The 2288-byte body: a zeroed body with the name, category, keywords and memo blank-padded to
// their widths (cut at a character boundary), the picture name as it is (cut to 8 bytes, NULs
// behind it), the entries "%5u%4u" in order and the header names blank-padded in their slots.
// Nothing, with the reason in *problem, for a dish whose entries the layout cannot hold: a
// field that overran its width would overwrite the next entry.
std::optional<QByteArray> encodeDish(const DishRecord &dish, DishEncodeProblem *problem = nullptr);

// The key of a dish name as the table compares it: Shift-JIS, cut and blank-padded to 40 bytes.
QByteArray dishKey(QByteArrayView name);

// The text of a fixed-width field: up to its first NUL, trailing blanks removed.
QByteArray dishFieldText(QByteArrayView field);

// The field descriptors of the two tables, in record order.
QList<quenkit::DbfFieldDescriptor> dishTableFields();
QList<quenkit::DbfFieldDescriptor> dishCategoryTableFields();

// The Shift-JIS names of the key fields "料理名" and "料理分類名".
QByteArray dishKeyField();
QByteArray dishCategoryKeyField();

}  // namespace dalmain
