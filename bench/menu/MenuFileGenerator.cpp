#include "MenuFileGenerator.h"

#include "dalmain/userdata/DayMenuSave.h"

#include <QFile>

#include <random>

namespace benchdata {

QByteArray menuRecord(const QDate &first, int day)
{
    using namespace dalmain;
    std::mt19937 random(static_cast<unsigned>(day) * 2654435761u);
    MenuDay menu;
    const int meals = day % 3 == 0 ? kMealCount : kMealCount - 1;
    for (int meal = 0; meal < meals; ++meal) {
        QList<MenuRow> &rows = menu.meals[meal];
        if (random() % 2)
            rows.append(MenuRow::dishRow(QStringLiteral("定食 %1").arg(random() % 50)));
        const int foods = 3 + static_cast<int>(random() % 6);
        for (int i = 0; i < foods; ++i) {
            EntryFood food;
            food.group = 1 + static_cast<int>(random() % 18);
            food.wasteRatio = static_cast<double>(random() % 4) * 10.0;
            for (double &v : food.per100g)
                v = static_cast<double>(random() % 5000) / 10.0;
            rows.append(MenuRow::foodRow(static_cast<quint16>(1 + random() % 1882),
                                         static_cast<double>(random() % 3000) / 10.0, food));
        }
    }
    const QByteArray key = first.addDays(day).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    DayMenu record;
    if (!buildDayMenu(key, menu, computeDayTotals(menu, true), true, record))
        return {};
    return encodeDayMenu(record);
}

bool writeMenuFile(const QString &path, const QDate &first, int days)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (int d = 0; d < days; ++d) {
        const QByteArray record = menuRecord(first, d);
        if (record.size() != dalmain::kDayMenuSize || file.write(record) != record.size())
            return false;
    }
    return file.flush();
}

}  // namespace benchdata
