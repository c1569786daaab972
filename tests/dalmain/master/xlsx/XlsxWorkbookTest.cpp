#include "dalmain/master/XlsxWorkbook.h"

#include "dalmain/master/foods/PrintQt.h"
#include "XlsxFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace dalmain::xlsx;
using xlsxfixture::Book;
using xlsxfixture::sharedStringsXml;
using xlsxfixture::sheetXml;

namespace {

QByteArray manyRows(int count)
{
    QByteArray rows;
    for (int r = 1; r <= count; ++r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) + "\"><v>" +
                QByteArray::number(r * 7.25) + "</v></c></row>";
    return sheetXml(rows);
}

// The archive with some bytes of one member's packed data changed.
QByteArray withDamagedMember(QByteArray zip, const QByteArray &name)
{
    const QByteArrayView signature("PK\x03\x04", 4);
    for (qsizetype at = zip.indexOf(signature); at >= 0; at = zip.indexOf(signature, at + 4)) {
        const auto u16 = [&zip](qsizetype i) { return int(uchar(zip[i])) | int(uchar(zip[i + 1])) << 8; };
        const int nameLength = u16(at + 26);
        const int extraLength = u16(at + 28);
        if (zip.mid(at + 30, nameLength) != name)
            continue;
        const qsizetype data = at + 30 + nameLength + extraLength;
        for (int i = 20; i < 40; ++i)
            zip[data + i] = char(zip[data + i] ^ 0x5A);
        return zip;
    }
    return {};
}

TEST(XlsxWorkbook, ReadsEachCellAsItIsShown)
{
    Book book;
    book.sharedStrings = sharedStringsXml(
        // A heading with its phonetic reading, which is no part of the text.
        "<si><t>食　品　番　号</t><rPh sb=\"0\" eb=\"1\"><t>ショクヒンバンゴウ</t></rPh><phoneticPr fontId=\"1\"/></si>"
        // Rich-text runs are joined.
        "<si><r><t>Tr</t></r><r><rPr><sz val=\"9\"/></rPr><t xml:space=\"preserve\"> x</t></r></si>"
        "<si><t>(0)</t></si>"
        // A line break as the workbook writes it.
        "<si><t>うるち\r\n歩留り</t></si>");
    book.sheet1 = sheetXml(
        "<row r=\"2\" spans=\"1:5\"><c r=\"A2\" t=\"s\"><v>0</v></c><c r=\"C2\" s=\"1\"><v>2.2000000000000002</v></c>"
        "<c r=\"D2\" s=\"2\"><v>0.1</v></c><c r=\"E2\" s=\"3\"><v>1</v></c></row>"
        // A cell without a reference follows the one before it; trailing empty cells go.
        "<row r=\"3\"><c r=\"B3\" t=\"s\"><v>1</v></c><c t=\"str\"><f>B3&amp;\"x\"</f><v>a_x000D_b</v></c>"
        "<c t=\"b\"><v>1</v></c><c t=\"e\"><f>NA()</f><v>#N/A</v></c><c r=\"G3\"><v>64.900000000000006</v></c>"
        "<c r=\"H3\" s=\"1\"/></row>"
        "<row r=\"4\"/>"
        "<row r=\"5\"><c r=\"A5\" s=\"1\" t=\"s\"><v>2</v></c><c r=\"B5\" t=\"inlineStr\"><is><r><t>in</t></r>"
        "<r><rPr><b/></rPr><t>line</t></r></is></c><c r=\"C5\" t=\"s\"><v>3</v></c></row>"
        "<row r=\"6\"><c r=\"A6\" s=\"3\"/></row>"
        "<row><c r=\"XFD7\"><v>7</v></c></row>");

    Workbook workbook;
    QString error;
    ASSERT_TRUE(workbook.open(book.zip(), &error)) << error.toStdString();
    QList<SheetRow> rows;
    ASSERT_TRUE(workbook.readSheet(0, rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 4);

    EXPECT_EQ(rows[0].number, 2);
    EXPECT_EQ(rows[0].cells, (QStringList{QStringLiteral("食　品　番　号"), QString(), QStringLiteral("(2.2)"),
                                          QStringLiteral("0.10"), QStringLiteral("1.0")}));
    EXPECT_EQ(rows[1].number, 3);
    EXPECT_EQ(rows[1].cells, (QStringList{QString(), QStringLiteral("Tr x"), QStringLiteral("a\rb"), QStringLiteral("TRUE"),
                                          QStringLiteral("#N/A"), QString(), QStringLiteral("64.9")}));
    // A number format gives text cells nothing: "(0)" stays as written.
    EXPECT_EQ(rows[2].number, 5);
    EXPECT_EQ(rows[2].cells, (QStringList{QStringLiteral("(0)"), QStringLiteral("inline"), QStringLiteral("うるち\n歩留り")}));
    EXPECT_EQ(rows[3].number, 7);
    ASSERT_EQ(rows[3].cells.size(), 16384);
    EXPECT_EQ(rows[3].cells.last(), QStringLiteral("7"));
}

TEST(XlsxWorkbook, FindsSheetsByNameThroughTheirRelationships)
{
    Book book;
    book.rootRels = QByteArray();   // without the package's relationships, the usual place
    Workbook workbook;
    QString error;
    ASSERT_TRUE(workbook.open(book.zip(), &error)) << error.toStdString();
    EXPECT_EQ(workbook.sheetNames(), (QStringList{QStringLiteral("表全体"), QStringLiteral("other")}));
    EXPECT_EQ(workbook.sheetIndex(QStringLiteral("other")), 1);
    EXPECT_EQ(workbook.sheetIndex(QStringLiteral("none")), -1);
    QList<SheetRow> rows;
    ASSERT_TRUE(workbook.readSheet(1, rows, &error)) << error.toStdString();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].cells, QStringList{QStringLiteral("two")});
    ASSERT_TRUE(workbook.readSheet(0, rows, &error)) << error.toStdString();
    EXPECT_EQ(rows[0].cells, QStringList{QStringLiteral("1")});
}

struct DamageCase {
    const char *what;
    std::function<QByteArray()> bytes;
    bool opens;            // the damage shows only when the sheet is read
    const char *message;   // part of the reason given
    Limits limits = {};
};

TEST(XlsxWorkbook, DamagedInputGivesAReasonAndNoCrash)
{
    auto sheet = [](const char *data) {
        return [data] {
            Book book;
            book.sheet1 = sheetXml(data);
            return book.zip();
        };
    };
    const DamageCase cases[] = {
        {"not a zip", [] { return QByteArray("01,01001,0001,アマランサス\n"); }, false, "not a zip archive"},
        {"empty file", [] { return QByteArray(); }, false, "not a zip archive"},
        {"the signature alone", [] { return QByteArray("PK\x03\x04", 4); }, false, "not an intact zip archive"},
        {"truncated", [] { const QByteArray z = Book().zip(); return z.left(z.size() / 2); }, false,
         "not an intact zip archive"},
        {"no workbook part", [] { Book b; b.workbook = QByteArray(); return b.zip(); }, false,
         "xl/workbook.xml is missing"},
        {"sheet not among the relationships",
         [] {
             Book b;
             b.workbook.replace("r:id=\"rId2\"", "r:id=\"rId7\"");
             return b.zip();
         },
         false, "\"rId7\", which the workbook does not list"},
        {"malformed shared strings", [] { Book b; b.sharedStrings = "<sst><si><t>a</si>"; return b.zip(); }, false,
         "xl/sharedStrings.xml: malformed XML"},
        {"no sheet part", [] { Book b; b.sheet1 = QByteArray(); return b.zip(); }, true,
         "xl/worksheets/sheet1.xml is missing"},
        {"malformed sheet", sheet("<row r=\"1\"><c r=\"A1\"><v>1</c></row>"), true,
         "xl/worksheets/sheet1.xml: malformed XML at line 2"},
        {"shared text beyond the list", sheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>5</v></c></row>"), true,
         "cell A1 refers to shared text \"5\"; the workbook has 1"},
        {"a number that is none", sheet("<row r=\"1\"><c r=\"B1\"><v>1,5</v></c></row>"), true,
         "cell B1 holds \"1,5\", which is no number"},
        {"a reference that names no cell", sheet("<row r=\"1\"><c r=\"1A\"><v>1</v></c></row>"), true,
         "cell reference \"1A\" in row 1 names no cell"},
        {"a column beyond the sheet", sheet("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>"), true,
         "cell reference \"XFE1\" in row 1 names no cell"},
        {"a row beyond the sheet", sheet("<row r=\"1048577\"><c><v>1</v></c></row>"), true,
         "row number \"1048577\" is out of range"},
        {"rows out of order", sheet("<row r=\"2\"><c><v>1</v></c></row><row r=\"1\"><c><v>1</v></c></row>"), true,
         "row 1 follows row 2"},
        {"cells out of order", sheet("<row r=\"1\"><c r=\"B1\"><v>1</v></c><c r=\"A1\"><v>1</v></c></row>"), true,
         "cell A1 comes after a cell to its right"},
        {"packed data damaged",
         [] {
             Book b;
             b.sheet1 = manyRows(300);
             return withDamagedMember(b.zip(), "xl/worksheets/sheet1.xml");
         },
         true, "xl/worksheets/sheet1.xml is damaged"},
        {"a part beyond the size limit",
         [] {
             Book b;
             b.sheet1 = manyRows(300);
             return b.zip();
         },
         true, "xl/worksheets/sheet1.xml is too large", Limits{4000, Limits{}.cells}},
        {"cells beyond the limit", sheet("<row r=\"1\"><c r=\"XFD1\"><v>1</v></c></row>"), true,
         "the sheet is too large (more than 1000 cells)", Limits{Limits{}.partBytes, 1000}},
    };
    for (const DamageCase &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray bytes = c.bytes();
        Workbook workbook;
        QString error;
        const bool opened = workbook.open(bytes, &error, c.limits);
        ASSERT_EQ(opened, c.opens) << error.toStdString();
        if (opened) {
            QList<SheetRow> rows;
            EXPECT_FALSE(workbook.readSheet(0, rows, &error));
        }
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.message))) << error.toStdString();
    }
}

TEST(XlsxWorkbook, ReadingASheetThatIsNotThereFails)
{
    Workbook workbook;
    QString error;
    ASSERT_TRUE(workbook.open(Book().zip(), &error)) << error.toStdString();
    QList<SheetRow> rows;
    EXPECT_FALSE(workbook.readSheet(2, rows, &error));
    EXPECT_EQ(error, QStringLiteral("the workbook has no sheet 3"));
    EXPECT_FALSE(Workbook().readSheet(0, rows, &error));
}

TEST(XlsxArchive, TellsAZipByItsFirstBytes)
{
    EXPECT_TRUE(looksLikeZip(Book().zip()));
    EXPECT_FALSE(looksLikeZip("FOOD_GROUP,FOOD_NUMBER\n"));
    EXPECT_FALSE(looksLikeZip("PK"));
}

}  // namespace
