#pragma once

#include "dalmain/master/FoodRecord.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The importer of the official composition tables (日本食品標準成分表2020年版（八訂）) into a food
// table: the main table and, optionally, the fatty-acid table, each as CSV, either in the
// converted layout (one row per food, no header) or as the official spreadsheet saved as CSV
// (header rows, "Tr", "-", "(1.2)", "*").
namespace dalmain::mext {

struct ImportReport {
    int rowsRead = 0;                 // food rows of the main table
    int rowsSkipped = 0;              // other rows (headers, notes)
    QStringList leftOut;              // foods of later editions: "01138 name"
    QStringList duplicates;           // food numbers given twice (the first row counts)
    QStringList shortened;            // "official name -> short name" with the food code
    QStringList collisions;           // short names shared by foods of one group
    QStringList valueProblems;        // unreadable cells, values that did not fit
    int foodsWithoutFattyAcids = 0;   // foods the fatty-acid table does not list (values 0)
    bool fattyAcidsRead = false;
    int written = 0;                  // foods in the table
    bool valuesLost = false;          // some value could not be written at all

    QString text() const;
};

struct ImportResult {
    QList<FoodRecord> foods;   // in food-number order
    ImportReport report;
};

// Turns the official CSV into food records. The standard numbers follow the group offsets: the
// official number GGSSS becomes offset(GG) + SSS when SSS is within the group's count; later
// foods are listed in the report and left out. With only set, the other foods are dropped after
// the names are made, so that a food has the same name in a part of the table as in the whole.
// false, with the reason in *error, when the main table holds no food at all.
bool importMext(const QByteArray &mainCsv, const QByteArray &fattyAcidsCsv, ImportResult &result,
                QString *error = nullptr, const QSet<QString> *only = nullptr);

// The official five-digit numbers of a list file: one per line, "#" starts a comment.
QSet<QString> readFoodNumberList(const QByteArray &text);

struct ImportFiles {
    QString mainCsv;
    QString fattyAcidsCsv;   // empty: fatty acids read 0
    QString output;          // the food table; its index is written beside it
    QString report;          // empty: no report file
    QString only;            // empty: every food
};

// Reads the files, imports, writes the table and its index (and the report). 1, or 0 with the
// reason in *error; result holds what was imported either way.
int runMextImport(const ImportFiles &files, ImportResult &result, QString *error = nullptr);

}  // namespace dalmain::mext
