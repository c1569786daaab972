// Writes the benchmarks' food table to a file: make_food_table FILE [COUNT]. A FILE ending in
// FDB gets the food table's signature.

#include "FoodTableGenerator.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_food_table FILE [COUNT]\n");
        return 2;
    }
    const int count = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 2000;
    const QString path = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (count < 0 || !benchdata::writeFoodTable(path, count)) {
        std::fprintf(stderr, "make_food_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
