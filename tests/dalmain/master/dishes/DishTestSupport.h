#pragma once

// A data folder with empty dish tables, and the small pieces the dish tests share.

#include "dalmain/master/DishTable.h"
#include "dalmain/master/FoodTable.h"
#include "quenkit/text/ShiftJis.h"

#include "support/TestSupport.h"

#include "dalmain/master/foods/PrintQt.h"

#include <gtest/gtest.h>

namespace dishtest {

inline QByteArray sjis(const char *utf8)
{
    return quenkit::toSjis(QString::fromUtf8(utf8));
}

inline dalmain::DishForm form(const char *name, const char *category, const char *keyword = "k")
{
    dalmain::DishForm f;
    f.name = QString::fromUtf8(name);
    f.category = QString::fromUtf8(category);
    f.keywords[0] = QString::fromUtf8(keyword);
    return f;
}

// A dish as the grid hands it over: its header, then its foods.
inline QList<dalmain::DishEntry> gridDish(const char *header, const QList<QPair<quint32, quint16>> &foods)
{
    QList<dalmain::DishEntry> entries{dalmain::DishEntry::header(sjis(header))};
    for (const auto &[number, tenths] : foods)
        entries.append(dalmain::DishEntry::foodEntry(number, tenths));
    return entries;
}

inline QStringList dishNames()
{
    QStringList names;
    for (const dalmain::StoredDish &d : dalmain::readDishes())
        names.append(quenkit::fromSjis(d.dish.name));
    return names;
}

inline dalmain::FoodRecord foodRecord(quint32 number, int group, const char *name)
{
    dalmain::FoodRecord f;
    f.number = number;
    f.group = group;
    f.name = sjis(name);
    return f;
}

// Writes the food table of the data folder with these foods and rebuilds its index.
inline bool writeFoods(const testsupport::TempFolders &folders, const QList<dalmain::FoodRecord> &foods)
{
    return dalmain::writeFoodTable(folders.dataFile(QStringLiteral("食品.FDB")), foods) == 1
        && dalmain::RebuildFoodIndex(nullptr) == 1;
}

// A fresh data folder with empty dish tables.
class DishFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dalmain::ensureDishTables()); }

    QByteArray tableBytes() const { return testsupport::readFile(folders.dataFile(dalmain::kDishTable)); }
    QByteArray categoryBytes() const { return testsupport::readFile(folders.dataFile(dalmain::kDishCategoryTable)); }

    // Saves without questions (a null owner answers Yes).
    void save(const char *name, const char *category, const QList<dalmain::DishEntry> &entries = {})
    {
        const dalmain::DishSaveOutcome o = dalmain::SaveDish(nullptr, form(name, category), entries);
        ASSERT_TRUE(o.result == dalmain::DishSaveResult::Added || o.result == dalmain::DishSaveResult::Overwritten)
            << name;
        ASSERT_TRUE(o.categoriesUpdated) << name;
    }

    testsupport::TempFolders folders;
};

}  // namespace dishtest
