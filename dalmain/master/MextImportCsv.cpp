#include "dalmain/master/MextImportCsv.h"

#include "quenkit/text/ShiftJis.h"

#include <QStringDecoder>

namespace dalmain::mext {

namespace {

QString decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return quenkit::fromSjis(view);
}

// Full-width digits, letters and signs to ASCII, the ideographic space to a blank.
QString foldWidth(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            out.append(QChar(char16_t(u - 0xFEE0)));
        else if (u == 0x3000)
            out.append(QLatin1Char(' '));
        else
            out.append(c);
    }
    return out;
}

}  // namespace

QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = decodeText(bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;       // inside a quoted field
    bool fieldStarted = false; // the current row has a field in progress
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                    field.append(QLatin1Char('"'));
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field.append(c);
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            fieldStarted = true;
        } else if (c == QLatin1Char(',')) {
            row.append(field);
            field.clear();
            fieldStarted = true;
        } else if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
            if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
                row.append(field);
                rows.append(row);
            }
            row.clear();
            field.clear();
            fieldStarted = false;
        } else {
            field.append(c);
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty()) {
        row.append(field);
        rows.append(row);
    }
    return rows;
}

CellValue parseCell(const QString &cell)
{
    QString text = foldWidth(cell).trimmed();
    // Markers seen in converted files in front of or behind a value.
    text.remove(QChar(0x2020));   // †
    while (text.startsWith(QLatin1String("''")))
        text = text.mid(2).trimmed();
    if (text.startsWith(QLatin1String("null")) && text.size() > 4)
        text = text.mid(4).trimmed();

    CellValue v;
    if (text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        v.estimated = true;
        text = text.mid(1, text.size() - 2).trimmed();
    }
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("null") || text == QLatin1String("*")) {
        v.kind = CellValue::Missing;
        return v;
    }
    if (text.compare(QLatin1String("Tr"), Qt::CaseInsensitive) == 0) {
        v.kind = CellValue::Trace;
        return v;
    }
    bool ok = false;
    const double number = text.toDouble(&ok);
    if (!ok) {
        v.kind = CellValue::Invalid;
        return v;
    }
    v.kind = CellValue::Number;
    v.value = number;
    return v;
}

}  // namespace dalmain::mext
