#include "dalmain/master/XlsxWorkbook.h"

#include <QHash>
#include <QXmlStreamReader>

namespace dalmain::xlsx {

namespace {

// The largest sheet a spreadsheet can hold.
constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString xmlProblem(const QString &part, const QXmlStreamReader &xml)
{
    return QStringLiteral("%1: malformed XML at line %2, column %3 (%4)")
        .arg(part)
        .arg(xml.lineNumber())
        .arg(xml.columnNumber())
        .arg(xml.errorString());
}

// Texts in the workbook escape the characters XML cannot carry as "_xHHHH_" (a carriage
// return is "_x000D_"; a literal "_x" is written "_x005F_x").
QString unescaped(const QString &text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] == QLatin1Char('_') && i + 6 < n && text[i + 1] == QLatin1Char('x') && text[i + 6] == QLatin1Char('_')) {
            bool ok = false;
            const ushort code = QStringView(text).mid(i + 2, 4).toUShort(&ok, 16);
            if (ok) {
                out.append(QChar(code));
                i += 6;
                continue;
            }
        }
        out.append(text[i]);
    }
    return out;
}

// The text of a shared or inline string, the reader standing on its start element: plain or
// in rich-text runs, joined. The phonetic readings that Japanese workbooks attach to a text
// ("rPh") are not part of it.
QString richText(QXmlStreamReader &xml)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("t"))
                text += xml.readElementText();
            else if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else
                ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return unescaped(text);
}

// The folder of a part ("xl/" for "xl/workbook.xml") and a relationship's target resolved
// against it: "worksheets/sheet1.xml" gives "xl/worksheets/sheet1.xml", "/xl/styles.xml" and
// "../xl/styles.xml" give "xl/styles.xml".
QString folderOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

QString resolvedTarget(const QString &fromPart, const QString &target)
{
    const QString path = target.startsWith(QLatin1Char('/')) ? target.mid(1) : folderOf(fromPart) + target;
    QStringList kept;
    for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
        } else if (segment != QLatin1String(".")) {
            kept.append(segment);
        }
    }
    return kept.join(QLatin1Char('/'));
}

struct Relationship {
    QString id;
    QString type;     // the URI; only its last segment ("worksheet", "styles") is looked at
    QString target;   // resolved part name
};

// The relationships of a part, from its "_rels/NAME.rels" beside it; none when there is no
// such part.
bool readRelationships(const Archive &archive, const Limits &limits, const QString &fromPart,
                       QList<Relationship> &out, QString *error)
{
    out.clear();
    const QString relsPart = folderOf(fromPart) + QStringLiteral("_rels/") + fromPart.mid(folderOf(fromPart).size()) +
                             QStringLiteral(".rels");
    if (!archive.contains(relsPart))
        return true;
    QByteArray bytes;
    if (!archive.read(relsPart, limits.partBytes, bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
            continue;
        out.append(Relationship{a.value(QLatin1String("Id")).toString(), a.value(QLatin1String("Type")).toString(),
                                resolvedTarget(fromPart, a.value(QLatin1String("Target")).toString())});
    }
    if (xml.hasError())
        return fail(error, xmlProblem(relsPart, xml));
    return true;
}

bool isOfType(const Relationship &r, QLatin1String type)
{
    return r.type.endsWith(QLatin1Char('/') + type);
}

// A cell reference's column ("A1" 0, "BJ13" 61), or -1 when it names no column of a sheet.
int columnOf(QStringView ref)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && i < 4; ++i) {
        const char16_t c = ref[i].toUpper().unicode();
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c - u'A' + 1);
    }
    if (i == 0 || column > MaxColumns || (i < ref.size() && !ref[i].isDigit()))
        return -1;
    return column - 1;
}

QString columnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(char16_t(u'A' + (n - 1) % 26)));
    return name;
}

}  // namespace

bool Workbook::open(const QByteArray &bytes, QString *error, const Limits &limits)
{
    m_limits = limits;
    m_sheets.clear();
    m_sharedStrings.clear();
    m_cellFormats.clear();
    if (!m_archive.open(bytes, error))
        return false;

    // The package names its main part; a workbook that does not keeps it at the usual place.
    QString workbookPart = QStringLiteral("xl/workbook.xml");
    QList<Relationship> rels;
    if (!readRelationships(m_archive, m_limits, QString(), rels, error))
        return false;
    for (const Relationship &r : std::as_const(rels)) {
        if (isOfType(r, QLatin1String("officeDocument")))
            workbookPart = r.target;
    }
    if (!m_archive.contains(workbookPart))
        return fail(error, QStringLiteral("no workbook: %1 is missing").arg(workbookPart));
    if (!readRelationships(m_archive, m_limits, workbookPart, rels, error))
        return false;
    QHash<QString, QString> targetOf;
    QString sharedStringsPart;
    QString stylesPart;
    for (const Relationship &r : std::as_const(rels)) {
        targetOf.insert(r.id, r.target);
        if (isOfType(r, QLatin1String("sharedStrings")))
            sharedStringsPart = r.target;
        else if (isOfType(r, QLatin1String("styles")))
            stylesPart = r.target;
    }

    QByteArray workbook;
    if (!m_archive.read(workbookPart, m_limits.partBytes, workbook, error))
        return false;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("sheet"))
            continue;
        Sheet sheet;
        QString id;
        for (const QXmlStreamAttribute &a : xml.attributes()) {
            if (a.name() == QLatin1String("name") && a.namespaceUri().isEmpty())
                sheet.name = a.value().toString();
            else if (a.name() == QLatin1String("id") && !a.namespaceUri().isEmpty())
                id = a.value().toString();
        }
        if (!targetOf.contains(id))
            return fail(error, QStringLiteral("%1: sheet \"%2\" refers to \"%3\", which the workbook does not list")
                                   .arg(workbookPart, sheet.name, id));
        sheet.part = targetOf.value(id);
        m_sheets.append(sheet);
    }
    if (xml.hasError())
        return fail(error, xmlProblem(workbookPart, xml));
    if (m_sheets.isEmpty())
        return fail(error, QStringLiteral("%1 lists no sheet").arg(workbookPart));

    if (!sharedStringsPart.isEmpty() && !readSharedStrings(sharedStringsPart, error))
        return false;
    if (!stylesPart.isEmpty() && !readStyles(stylesPart, error))
        return false;
    return true;
}

bool Workbook::readSharedStrings(const QString &part, QString *error)
{
    QByteArray bytes;
    if (!m_archive.read(part, m_limits.partBytes, bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("si"))
            m_sharedStrings.append(richText(xml));
    }
    if (xml.hasError())
        return fail(error, xmlProblem(part, xml));
    return true;
}

bool Workbook::readStyles(const QString &part, QString *error)
{
    QByteArray bytes;
    if (!m_archive.read(part, m_limits.partBytes, bytes, error))
        return false;
    QHash<int, QString> customCodes;
    QList<int> formatIds;
    bool inCellFormats = false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == QLatin1String("numFmt"))
                customCodes.insert(a.value(QLatin1String("numFmtId")).toInt(), a.value(QLatin1String("formatCode")).toString());
            else if (xml.name() == QLatin1String("cellXfs"))
                inCellFormats = true;
            else if (inCellFormats && xml.name() == QLatin1String("xf"))
                formatIds.append(a.value(QLatin1String("numFmtId")).toInt());
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs")) {
            inCellFormats = false;
        }
    }
    if (xml.hasError())
        return fail(error, xmlProblem(part, xml));

    QHash<int, NumberFormat> byId;
    for (int id : std::as_const(formatIds)) {
        if (!byId.contains(id)) {
            const QString code = customCodes.contains(id) ? customCodes.value(id) : builtInFormatCode(id);
            byId.insert(id, code.isEmpty() ? NumberFormat() : NumberFormat(code));
        }
        m_cellFormats.append(byId.value(id));
    }
    return true;
}

QStringList Workbook::sheetNames() const
{
    QStringList names;
    for (const Sheet &s : m_sheets)
        names.append(s.name);
    return names;
}

int Workbook::sheetIndex(const QString &name) const
{
    for (int i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].name == name)
            return i;
    }
    return -1;
}

bool Workbook::readSheet(int index, QList<SheetRow> &rows, QString *error) const
{
    rows.clear();
    if (index < 0 || index >= m_sheets.size())
        return fail(error, QStringLiteral("the workbook has no sheet %1").arg(index + 1));
    const Sheet &sheet = m_sheets[index];
    QByteArray bytes;
    if (!m_archive.read(sheet.part, m_limits.partBytes, bytes, error))
        return fail(error, QStringLiteral("sheet \"%1\": %2").arg(sheet.name, error ? *error : QString()));

    const NumberFormat general;
    QXmlStreamReader xml(bytes);
    SheetRow row;
    bool inRow = false;
    int lastRow = 0;
    int nextColumn = 0;
    qint64 cells = 0;
    auto problem = [&](const QString &text) { return fail(error, QStringLiteral("%1: %2").arg(sheet.part, text)); };

    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && inRow && xml.name() == QLatin1String("row")) {
            while (!row.cells.isEmpty() && row.cells.last().isEmpty())
                row.cells.removeLast();
            if (!row.cells.isEmpty())
                rows.append(row);
            lastRow = row.number;
            inRow = false;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;

        if (xml.name() == QLatin1String("row")) {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            bool ok = true;
            const int number = r.isEmpty() ? lastRow + 1 : r.toInt(&ok);
            if (!ok || number < 1 || number > MaxRows)
                return problem(QStringLiteral("row number \"%1\" is out of range").arg(r.toString()));
            if (number <= lastRow)
                return problem(QStringLiteral("row %1 follows row %2").arg(number).arg(lastRow));
            row = SheetRow{number, {}};
            inRow = true;
            nextColumn = 0;
            continue;
        }
        if (!inRow || xml.name() != QLatin1String("c"))
            continue;

        const QXmlStreamAttributes a = xml.attributes();
        const QString ref = a.value(QLatin1String("r")).toString();
        const int column = ref.isEmpty() ? nextColumn : columnOf(ref);
        if (column < 0 || column >= MaxColumns)
            return problem(QStringLiteral("cell reference \"%1\" in row %2 names no cell").arg(ref).arg(row.number));
        const QString name = columnName(column) + QString::number(row.number);
        if (column < row.cells.size())
            return problem(QStringLiteral("cell %1 comes after a cell to its right").arg(name));
        const QString type = a.value(QLatin1String("t")).toString();
        bool styled = false;
        const int style = a.value(QLatin1String("s")).toInt(&styled);
        const NumberFormat &format = styled && style >= 0 && style < m_cellFormats.size() ? m_cellFormats[style] : general;

        QString value;
        QString inlineText;
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType inner = xml.readNext();
            if (inner == QXmlStreamReader::EndElement)
                break;   // the cell's end: its children are read whole below
            if (inner != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("v"))
                value = xml.readElementText();
            else if (xml.name() == QLatin1String("is"))
                inlineText = richText(xml);
            else
                xml.skipCurrentElement();   // formula, extensions
        }
        if (xml.hasError())
            break;

        QString text;
        if (type == QLatin1String("s")) {
            bool ok = false;
            const int at = value.trimmed().toInt(&ok);
            if (!ok || at < 0 || at >= m_sharedStrings.size())
                return problem(QStringLiteral("cell %1 refers to shared text \"%2\"; the workbook has %3")
                                   .arg(name, value).arg(m_sharedStrings.size()));
            text = format.formatText(m_sharedStrings[at]);
        } else if (type == QLatin1String("inlineStr")) {
            text = format.formatText(inlineText);
        } else if (type == QLatin1String("str")) {
            text = format.formatText(unescaped(value));
        } else if (type == QLatin1String("b")) {
            text = value.trimmed() == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            if (!value.trimmed().isEmpty()) {
                bool ok = false;
                const double number = value.trimmed().toDouble(&ok);
                if (!ok)
                    return problem(QStringLiteral("cell %1 holds \"%2\", which is no number").arg(name, value));
                text = format.format(number);
            }
        } else {
            text = value;   // errors ("#N/A") and dates stored as text show as stored
        }

        cells += column + 1 - row.cells.size();
        if (cells > m_limits.cells)
            return problem(QStringLiteral("the sheet is too large (more than %1 cells)").arg(m_limits.cells));
        while (row.cells.size() < column)
            row.cells.append(QString());
        row.cells.append(text);
        nextColumn = column + 1;
    }
    if (xml.hasError())
        return fail(error, xmlProblem(sheet.part, xml));
    return true;
}

}  // namespace dalmain::xlsx
