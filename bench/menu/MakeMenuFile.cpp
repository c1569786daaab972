// Writes the benchmark's menu file: make_menu_file FILE [DAYS]. The days run from 1 January
// 2015 on; name the file N.MEM in a data folder to look at it as user N's menus.

#include "MenuFileGenerator.h"

#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_menu_file FILE [DAYS]\n");
        return 2;
    }
    const int days = argc == 3 ? QString::fromLocal8Bit(argv[2]).toInt() : 3650;
    const QString path = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (days < 0 || !benchdata::writeMenuFile(path, QDate(2015, 1, 1), days)) {
        std::fprintf(stderr, "make_menu_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
