#include "dalmain/screens/DaySearchRange.h"

namespace dalmain {

namespace {

// Digits in their full-width forms; leading zeros of a field of width digits become
// full-width blanks.
QString fullWidth(QByteArrayView digits)
{
    QString text;
    bool leading = true;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        leading = leading && c == '0' && i + 1 < digits.size();
        text += leading ? QChar(0x3000) : QChar(0xFF10 + (c - '0'));
    }
    return text;
}

}  // namespace

QList<DaySearchRange> daySearchRanges(const QString &allText, const QList<QByteArray> &sortedDates)
{
    QList<DaySearchRange> ranges = {{allText, QByteArray()}};
    for (const QByteArray &date : sortedDates) {
        if (ranges.last().prefix != date.left(6)) {
            if (!ranges.last().prefix.startsWith(date.left(4)))
                ranges.append({searchYearText(date), date.left(4)});
            ranges.append({searchMonthText(date), date.left(6)});
        }
    }
    return ranges;
}

QString searchYearText(QByteArrayView date)
{
    return QLatin1Char(' ') + fullWidth(date.first(4)) + QStringLiteral("年");
}

QString searchMonthText(QByteArrayView date)
{
    return searchYearText(date) + fullWidth(date.sliced(4, 2)) + QStringLiteral("月");
}

QString searchDayText(QByteArrayView date)
{
    return searchMonthText(date) + fullWidth(date.sliced(6, 2)) + QStringLiteral("日") + QString(6, QChar(0x3000)) +
           QString::fromLatin1(date.first(8));
}

}  // namespace dalmain
