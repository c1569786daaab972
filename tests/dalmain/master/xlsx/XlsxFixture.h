#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

// Small workbooks built in the tests: the members of a zip archive, and a workbook of one sheet
// whose parts a test replaces or leaves out.
namespace xlsxfixture {

using Members = QList<QPair<QString, QByteArray>>;

// The archive of these members, in this order, deflated.
inline QByteArray zipOf(const Members &members)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("book.xlsx"));
    int status = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &status);
    if (!archive)
        return {};
    for (const auto &[name, content] : members) {
        zip_source_t *source = zip_source_buffer(archive, content.constData(), zip_uint64_t(content.size()), 0);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return {};
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9);
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return {};
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray sheetXml(const QByteArray &sheetData)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
           "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
           sheetData + "</sheetData></worksheet>";
}

inline QByteArray sharedStringsXml(const QByteArray &items)
{
    return "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">" + items + "</sst>";
}

// Styles 0-3: General, a custom "\(0.0\)", the built-in "0.00", a custom "0.0_ ".
inline QByteArray stylesXml()
{
    return "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
           "<numFmts count=\"2\"><numFmt numFmtId=\"176\" formatCode=\"\\(0.0\\)\"/>"
           "<numFmt numFmtId=\"177\" formatCode=\"0.0_ \"/></numFmts>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"176\"/></cellStyleXfs>"
           "<cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"176\" applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"2\"><alignment horizontal=\"right\"/></xf><xf numFmtId=\"177\"/></cellXfs>"
           "</styleSheet>";
}

// A whole workbook of two sheets, "表全体" at xl/worksheets/sheet1.xml and "other" at
// xl/worksheets/sheet2.xml; a member given as null is left out of the archive.
struct Book {
    QByteArray sheet1 = sheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    QByteArray sheet2 = sheetXml("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>two</t></is></c></row>");
    QByteArray sharedStrings = sharedStringsXml("<si><t>first</t></si>");
    QByteArray styles = stylesXml();
    QByteArray workbook =
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
        "<sheet name=\"表全体\" sheetId=\"5\" r:id=\"rId1\"/><sheet name=\"other\" sheetId=\"2\" r:id=\"rId2\"/>"
        "</sheets></workbook>";
    // Targets as workbooks write them: relative to xl/, or from the package root.
    QByteArray workbookRels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"/xl/worksheets/sheet2.xml\"/>"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
        "Target=\"styles.xml\"/>"
        "<Relationship Id=\"rId4\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
        "Target=\"./sharedStrings.xml\"/>"
        "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
        "Target=\"https://example.org/\" TargetMode=\"External\"/>"
        "</Relationships>";
    QByteArray rootRels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>";

    QByteArray zip() const
    {
        Members members;
        auto add = [&members](const char *name, const QByteArray &content) {
            if (!content.isNull())
                members.append({QString::fromLatin1(name), content});
        };
        add("[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>");
        add("_rels/.rels", rootRels);
        add("xl/workbook.xml", workbook);
        add("xl/_rels/workbook.xml.rels", workbookRels);
        add("xl/worksheets/sheet1.xml", sheet1);
        add("xl/worksheets/sheet2.xml", sheet2);
        add("xl/sharedStrings.xml", sharedStrings);
        add("xl/styles.xml", styles);
        return zipOf(members);
    }
};

}  // namespace xlsxfixture
