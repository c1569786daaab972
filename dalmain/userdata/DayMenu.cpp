#include "dalmain/userdata/DayMenu.h"

#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"

#include <QtEndian>

#include <bit>
#include <cstring>

namespace dalmain {

using namespace daymenu;

namespace {

void putU16(QByteArray &out, int offset, quint16 value)
{
    qToLittleEndian(value, out.data() + offset);
}

void putF64(QByteArray &out, int offset, double value)
{
    qToLittleEndian(std::bit_cast<quint64>(value), out.data() + offset);
}

quint16 getU16(QByteArrayView in, int offset)
{
    return qFromLittleEndian<quint16>(in.data() + offset);
}

double getF64(QByteArrayView in, int offset)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(in.data() + offset));
}

int entryOffset(int meal, int slot)
{
    return kEntriesOffset + (meal * kEntriesPerMeal + slot) * kEntrySize;
}

int groupOffset(int base, int row, int group)
{
    return base + (row * kFoodGroupCount + group) * 8;
}

}  // namespace

QByteArray DayMenu::dishName(int slot) const
{
    if (slot < 0 || slot >= kDishNameSlots)
        return {};
    return quenkit::trimmedField(dishNames[slot]);
}

QByteArray encodeDayMenu(const DayMenu &menu)
{
    QByteArray out(kDayMenuSize, '\0');
    out[kMarkOffset] = menu.mark;
    std::memcpy(out.data() + kKeyOffset, menu.dateKey.constData(), qMin<qsizetype>(menu.dateKey.size(), kDateKeyLength));
    for (int row = 0; row < kMealRows; ++row)
        putU16(out, kCountsOffset + row * 2, menu.foodCounts[row]);
    for (int meal = 0; meal < kMealCount; ++meal) {
        for (int slot = 0; slot < kEntriesPerMeal; ++slot) {
            const DayMenuEntry &e = menu.entries[meal][slot];
            putU16(out, entryOffset(meal, slot), e.food);
            putU16(out, entryOffset(meal, slot) + 2, e.amountTenths);
        }
    }
    for (int i = 0; i < kDishNameSlots; ++i) {
        if (menu.dishNames[i].isEmpty())
            continue;
        const QByteArray field = quenkit::sjisField(menu.dishNames[i], kDishNameWidth);
        std::memcpy(out.data() + kDishNamesOffset + i * kDishNameWidth, field.constData(), kDishNameWidth);
    }
    for (int row = 0; row < kMealRows; ++row) {
        for (int n = 0; n < kNutrientCount; ++n)
            putF64(out, kTotalsOffset + row * kTotalsBlockSize + n * 8, menu.totals[row][n]);
        for (int g = 0; g < kFoodGroupCount; ++g) {
            putF64(out, groupOffset(kGroupsByShareOffset, row, g), menu.groupsByShare[row][g]);
            putF64(out, groupOffset(kGroupsAsEnteredOffset, row, g), menu.groupsAsEntered[row][g]);
        }
    }
    return out;
}

bool decodeDayMenu(QByteArrayView in, DayMenu &menu)
{
    if (in.size() != kDayMenuSize)
        return false;
    menu = DayMenu();
    menu.mark = in[kMarkOffset];
    menu.dateKey = in.sliced(kKeyOffset, kDateKeyLength).toByteArray();
    for (int row = 0; row < kMealRows; ++row)
        menu.foodCounts[row] = getU16(in, kCountsOffset + row * 2);
    for (int meal = 0; meal < kMealCount; ++meal) {
        for (int slot = 0; slot < kEntriesPerMeal; ++slot) {
            DayMenuEntry &e = menu.entries[meal][slot];
            e.food = getU16(in, entryOffset(meal, slot));
            e.amountTenths = getU16(in, entryOffset(meal, slot) + 2);
        }
    }
    for (int i = 0; i < kDishNameSlots; ++i) {
        const QByteArrayView field = in.sliced(kDishNamesOffset + i * kDishNameWidth, kDishNameWidth);
        // A slot no dish header filled is left as the zero bytes the record was built from.
        if (field != QByteArrayView(QByteArray(kDishNameWidth, '\0')))
            menu.dishNames[i] = field.toByteArray();
    }
    for (int row = 0; row < kMealRows; ++row) {
        for (int n = 0; n < kNutrientCount; ++n)
            menu.totals[row][n] = getF64(in, kTotalsOffset + row * kTotalsBlockSize + n * 8);
        for (int g = 0; g < kFoodGroupCount; ++g) {
            menu.groupsByShare[row][g] = getF64(in, groupOffset(kGroupsByShareOffset, row, g));
            menu.groupsAsEntered[row][g] = getF64(in, groupOffset(kGroupsAsEnteredOffset, row, g));
        }
    }
    return true;
}

QByteArray dateKeyOf(QByteArrayView text)
{
    if (text.size() != kDateKeyLength)
        return {};
    for (char c : text) {
        if (c < '0' || c > '9')
            return {};
    }
    return text.toByteArray();
}

}  // namespace dalmain
