#pragma once

#include "dalmain/master/Nutrients.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

// One day of one user's meals as it is stored: a record of the user's menu file. The record is
// encoded and decoded field by field in little-endian order, so the file is the same on every
// machine that writes it.
namespace dalmain {

// The four meals of a day. Per-meal arrays have a fifth row for the whole day.
enum MealKind : int { Breakfast = 0, Lunch = 1, Dinner = 2, Snack = 3 };
constexpr int kMealCount = 4;
constexpr int kDayRow = 4;
constexpr int kMealRows = 5;

constexpr int kDayMenuSize = 6259;
constexpr int kEntriesPerMeal = 100;
constexpr int kDishNameSlots = 30;
constexpr int kDishNameWidth = 40;
constexpr int kFoodGroupCount = 18;
constexpr int kDateKeyLength = 8;

constexpr char kDayMenuMark = 'B';
// Food numbers with a meaning of their own in an entry slot.
constexpr quint16 kEmptySlot = 0;
constexpr quint16 kDishHeader = 0xFFFF;
// The largest amount a slot holds, in tenths of a gram.
constexpr int kMaxAmountTenths = 0xFFFF;

// Byte offsets within the record.
namespace daymenu {
constexpr int kMarkOffset = 0;
constexpr int kKeyOffset = 1;
constexpr int kCountsOffset = 9;
constexpr int kEntriesOffset = 19;
constexpr int kEntrySize = 4;
constexpr int kDishNamesOffset = 1619;
constexpr int kTotalsOffset = 2819;
constexpr int kTotalsBlockSize = 400;
constexpr int kGroupsByShareOffset = 4819;
constexpr int kGroupsAsEnteredOffset = 5539;

static_assert(kEntriesOffset + kMealCount * kEntriesPerMeal * kEntrySize == kDishNamesOffset);
static_assert(kDishNamesOffset + kDishNameSlots * kDishNameWidth == kTotalsOffset);
static_assert(kTotalsOffset + kMealRows * kTotalsBlockSize == kGroupsByShareOffset);
static_assert(kGroupsByShareOffset + kMealRows * kFoodGroupCount * 8 == kGroupsAsEnteredOffset);
static_assert(kGroupsAsEnteredOffset + kMealRows * kFoodGroupCount * 8 == kDayMenuSize);
static_assert(kNutrientCount * 8 <= kTotalsBlockSize);
}  // namespace daymenu

struct DayMenuEntry {
    quint16 food = kEmptySlot;    // food number, kDishHeader or kEmptySlot
    quint16 amountTenths = 0;     // grams x 10; meaningless for a dish header

    bool isFood() const { return food != kEmptySlot && food != kDishHeader; }
    bool isDishHeader() const { return food == kDishHeader; }
    bool operator==(const DayMenuEntry &) const = default;
};

using GroupAmounts = std::array<double, kFoodGroupCount>;  // index 0 is group 1

struct DayMenu {
    char mark = kDayMenuMark;
    QByteArray dateKey;                                  // 8 ASCII digits, YYYYMMDD
    std::array<quint16, kMealRows> foodCounts{};         // distinct foods per meal and for the day
    std::array<std::array<DayMenuEntry, kEntriesPerMeal>, kMealCount> entries{};
    std::array<QByteArray, kDishNameSlots> dishNames;    // Shift-JIS, blank-padded to 40 bytes; empty = unused
    std::array<NutrientVector, kMealRows> totals{};
    std::array<GroupAmounts, kMealRows> groupsByShare{};
    std::array<GroupAmounts, kMealRows> groupsAsEntered{};

    // The dish name of slot i (0-based) without its padding.
    QByteArray dishName(int slot) const;
    bool operator==(const DayMenu &) const = default;
};

// The record's 6,259 bytes. A date key shorter than 8 bytes is padded with NULs, a longer one
// cut; dish names are blank-padded or cut to 40 bytes (never inside a character). The padding
// after each nutrient vector is zero.
QByteArray encodeDayMenu(const DayMenu &menu);

// Decodes a record; false when bytes is not exactly one record long.
bool decodeDayMenu(QByteArrayView bytes, DayMenu &menu);

// A date key "YYYYMMDD" checked for eight ASCII digits; empty when text is no such key.
QByteArray dateKeyOf(QByteArrayView text);

}  // namespace dalmain
