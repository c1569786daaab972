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
    QStringList leftOut;              // rows with no official food number: "19001 name"
    QStringList duplicates;           // food numbers given twice (the first row counts)
    QStringList shortened;            // "official name -> short name" with the food code
    QStringList collisions;           // short names shared by foods of one group
    QStringList valueProblems;        // unreadable cells, values that did not fit
    int beyondStandard = 0;           // foods numbered 40000 + official number
    int foodsWithoutFattyAcids = 0;   // foods the fatty-acid table does not list (unknown)
    bool fattyAcidsRead = false;
    int foodsWithoutFibre = 0;        // foods the fibre table does not list (unknown)
    bool fibreRead = false;
    int userFoodsKept = 0;            // the user's own foods kept from the table replaced
    int written = 0;                  // foods in the table
    bool valuesLost = false;          // some value could not be written at all

    QString text() const;
};

struct ImportResult {
    QList<FoodRecord> foods;   // the official foods, in official order (group, serial)
    ImportReport report;
};

// The rows of one official table, whichever form the file has: a workbook (told by its content,
// a zip archive) gives the rows of its whole-table sheet "表全体" (else of its first sheet), each
// cell as the spreadsheet shows it, so that "(1.2)" reads the same whether the parentheses are
// text or come from the cell's number format; anything else is read as CSV. false, with the
// reason in *error, for a workbook that cannot be read.
bool readMextTable(const QByteArray &file, QList<QStringList> &rows, QString *error = nullptr);

// The same as importMext below, for tables already read; fattyAcidRows (fibreRows) null: no
// fatty-acid (dietary fibre) table. Headings count in the report's rowsSkipped, so it differs between a workbook and its
// CSV conversion; the foods do not.
bool importMextRows(const QList<QStringList> &mainRows, const QList<QStringList> *fattyAcidRows,
                    ImportResult &result, QString *error = nullptr, const QSet<QString> *only = nullptr,
                    const QList<QStringList> *fibreRows = nullptr);

// Turns the official tables (CSV or workbook, see readMextTable) into food records, every food
// of the main table numbered by officialFoodNumber (FoodRecord.h): the official number GGSSS
// becomes offset(GG) + SSS when SSS is within the group's standard count, else 40000 + GGSSS.
// The notation keeps its meaning: "-" (not analysed) is unknown and stored blank; "Tr", "(Tr)"
// and "(0)" are 0; an estimate "(1.2)" and a value with a note "1.2†" are their number. The
// fatty acids come from the fatty-acid table and soluble and insoluble fibre from the dietary
// fibre table (its FIBSOL and FIBINS); a food a table does not list, or a table not given,
// leaves them unknown. With only set, the other foods are dropped after the names are made, so
// that a food has the same name in a part of the table as in the whole. false, with the reason
// in *error, when the main table holds no food at all or a workbook cannot be read. An empty
// fatty-acid or fibre file means there is none.
bool importMext(const QByteArray &mainCsv, const QByteArray &fattyAcidsCsv, ImportResult &result,
                QString *error = nullptr, const QSet<QString> *only = nullptr, const QByteArray &fibreCsv = {});

// The official five-digit numbers of a list file: one per line, "#" starts a comment.
QSet<QString> readFoodNumberList(const QByteArray &text);

struct ImportFiles {
    QString mainCsv;         // the main table, CSV or workbook
    QString fattyAcidsCsv;   // the same for the fatty-acid table; empty: fatty acids unknown
    QString fibre;           // the same for the dietary fibre table; empty: soluble and insoluble
                             // fibre unknown
    QString output;          // the food table; its index is written beside it
    QString report;          // empty: no report file
    QString only;            // empty: every food
    bool replace = false;    // false: the user's own foods of an existing output are kept
};

// Reads the files, imports, writes the table and its index (and the report). An output that
// exists keeps the user's own foods (numbers that are not official), with their numbers, after
// the official foods; with replace set, or when there is none, the table holds the official
// foods only. An existing output that cannot be read as a food table is left alone (0) unless
// replace is set. 1, or 0 with the reason in *error; result holds what was imported either
// way (the official foods only).
int runMextImport(const ImportFiles &files, ImportResult &result, QString *error = nullptr);

}  // namespace dalmain::mext
