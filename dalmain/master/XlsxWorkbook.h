#pragma once

#include "dalmain/master/XlsxArchive.h"
#include "dalmain/master/XlsxNumberFormat.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Reading a spreadsheet workbook (.xlsx): its sheets, and each sheet's rows as the texts its cells
// show, numbers through their number formats. Only what a table of values needs is read: no
// formulas are computed (a formula cell shows the result the workbook stored), and merged cells,
// comments and pictures are ignored.
namespace dalmain::xlsx {

// One row of a sheet that holds at least one cell with text.
struct SheetRow {
    int number = 0;       // the sheet's row number, from 1
    QStringList cells;    // from column A to the last cell with text; missing cells are empty
};

// What a workbook may make the reader hold at most; beyond it the reading fails.
struct Limits {
    qint64 partBytes = qint64(256) << 20;   // one part of the archive, unpacked
    qint64 cells = qint64(16) << 20;        // the cells of a sheet, the empty ones before a cell included
};

class Workbook {
public:
    // Opens the workbook held in bytes and reads its list of sheets, its shared texts and its
    // number formats. false, with the reason in *error, for a file that is no readable workbook.
    bool open(const QByteArray &bytes, QString *error = nullptr, const Limits &limits = {});

    QStringList sheetNames() const;
    // The position of the sheet of that name, or -1.
    int sheetIndex(const QString &name) const;

    // The rows of the sheet at index, in order. false, with the reason in *error, when the sheet
    // is missing or damaged.
    bool readSheet(int index, QList<SheetRow> &rows, QString *error = nullptr) const;

private:
    struct Sheet {
        QString name;
        QString part;   // the sheet's member of the archive
    };

    bool readSharedStrings(const QString &part, QString *error);
    bool readStyles(const QString &part, QString *error);

    Archive m_archive;
    Limits m_limits;
    QList<Sheet> m_sheets;
    QStringList m_sharedStrings;
    QList<NumberFormat> m_cellFormats;   // by the style index of a cell
};

}  // namespace dalmain::xlsx
