#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Reading the official composition tables as CSV: the rows, and the values in either the
// converted notation (numbers and "null") or the official one ("Tr", "-", "(1.2)", "*" ...).
namespace dalmain::mext {

// The rows of a CSV text (RFC 4180: fields in double quotes may hold commas, line breaks and
// doubled quotes; lines end in LF or CRLF). A UTF-8 byte-order mark is skipped; text that is
// not valid UTF-8 is read as Shift-JIS, as a spreadsheet saves it on Japanese Windows.
QList<QStringList> parseCsv(const QByteArray &bytes);

// How one cell of a value column reads.
struct CellValue {
    enum Kind {
        Number,     // a measured or estimated value
        Trace,      // "Tr", "(Tr)": present, below the reporting limit; counts as 0
        Missing,    // "-", "null", "*", empty: not analysed or not given; counts as 0
        Invalid,    // anything else; counts as 0 and is reported
    };
    Kind kind = Missing;
    double value = 0;       // the number (0 unless Number)
    bool estimated = false; // the official table put it in parentheses
};

// Reads a cell. Parentheses (half or full width), surrounding blanks, full-width digits and
// the markers the converted files carry ("20.3†", a stray "''" or "null" in front of a number)
// are taken off before the number is read.
CellValue parseCell(const QString &cell);

}  // namespace dalmain::mext
