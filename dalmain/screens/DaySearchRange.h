#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The search range of the dialogs that list stored days (the exercise log's days, the menu
// days of the analysis selection): a combo box of everything, each year and each month of the
// days, and the lines of the list, all in full-width digits with full-width blanks for leading
// zeros.
namespace dalmain {

struct DaySearchRange {
    QString text;       // " ＊すべての…", " ２０２４年" or " ２０２４年　５月"
    QByteArray prefix;  // the date keys it takes: "" every one, "YYYY" or "YYYYMM"
};

// The ranges of sorted 8-digit date keys: everything (with allText) first, then each year
// followed by its months, in date order.
QList<DaySearchRange> daySearchRanges(const QString &allText, const QList<QByteArray> &sortedDates);

// " ２０２４年", " ２０２４年　５月", and the day " ２０２４年　５月１０日" followed by six
// full-width blanks and the 8-digit date.
QString searchYearText(QByteArrayView date);
QString searchMonthText(QByteArrayView date);
QString searchDayText(QByteArrayView date);

}  // namespace dalmain
