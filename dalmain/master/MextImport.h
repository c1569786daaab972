#pragma once

#include "dalmain/master/FoodRecord.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The importer of the official composition tables (日本食品標準成分表（八訂）) into a food table:
// the main table and, optionally, the fatty-acid table, each as the workbook (.xlsx) the ministry
// publishes or as CSV, either in the converted layout (one row per food, no header) or as the
// official spreadsheet saved as CSV (header rows, "Tr", "-", "(1.2)", "*").
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

// The rows of one official table, whichever form the file has: a workbook (told by its content,
// a zip archive) gives the rows of its whole-table sheet "表全体" (else of its first sheet), each
// cell as the spreadsheet shows it, so that "(1.2)" reads the same whether the parentheses are
// text or come from the cell's number format; anything else is read as CSV. false, with the
// reason in *error, for a workbook that cannot be read.
bool readMextTable(const QByteArray &file, QList<QStringList> &rows, QString *error = nullptr);

// The same as importMext below, for tables already read; fattyAcidRows null: no fatty-acid
// table. Headings count in the report's rowsSkipped, so it differs between a workbook and its
// CSV conversion; the foods do not.
bool importMextRows(const QList<QStringList> &mainRows, const QList<QStringList> *fattyAcidRows,
                    ImportResult &result, QString *error = nullptr, const QSet<QString> *only = nullptr);

// Turns the official tables (CSV or workbook, see readMextTable) into food records. The
// standard numbers follow the group offsets: the official number GGSSS becomes
// offset(GG) + SSS when SSS is within the group's count; later
// foods are listed in the report and left out. With only set, the other foods are dropped after
// the names are made, so that a food has the same name in a part of the table as in the whole.
// false, with the reason in *error, when the main table holds no food at all or a workbook
// cannot be read. An empty fatty-acid file means there is none.
bool importMext(const QByteArray &mainCsv, const QByteArray &fattyAcidsCsv, ImportResult &result,
                QString *error = nullptr, const QSet<QString> *only = nullptr);

// The official five-digit numbers of a list file: one per line, "#" starts a comment.
QSet<QString> readFoodNumberList(const QByteArray &text);

struct ImportFiles {
    QString mainCsv;         // the main table, CSV or workbook
    QString fattyAcidsCsv;   // the same for the fatty-acid table; empty: fatty acids read 0
    QString output;          // the food table; its index is written beside it
    QString report;          // empty: no report file
    QString only;            // empty: every food
};

// Reads the files, imports, writes the table and its index (and the report). 1, or 0 with the
// reason in *error; result holds what was imported either way.
int runMextImport(const ImportFiles &files, ImportResult &result, QString *error = nullptr);

}  // namespace dalmain::mext
