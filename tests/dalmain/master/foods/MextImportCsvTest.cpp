#include "dalmain/master/MextImportCsv.h"
#include "quenkit/text/ShiftJis.h"

#include "PrintQt.h"

#include <gtest/gtest.h>

using namespace dalmain::mext;

TEST(MextCsv, QuotedFieldsLineEndsAndEncodings)
{
    const QByteArray text = "\xEF\xBB\xBF" "a,\"b,c\",\"say \"\"hi\"\"\"\r\n"
                            "01,\"note\nover two lines\",\r\n"
                            "\n"
                            "last,row";
    const QList<QStringList> rows = parseCsv(text);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QStringList{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(rows[1], (QStringList{"01", "note\nover two lines", ""}));
    EXPECT_EQ(rows[2], (QStringList{"last", "row"}));

    // A spreadsheet on Japanese Windows saves Shift-JIS.
    const QList<QStringList> sjisRows = parseCsv(quenkit::toSjis(QStringLiteral("01001,アマランサス　玄穀\n")));
    ASSERT_EQ(sjisRows.size(), 1);
    EXPECT_EQ(sjisRows[0][1], QStringLiteral("アマランサス　玄穀"));
}

TEST(MextCsv, CellsInBothNotations)
{
    using K = CellValue::Kind;
    const struct {
        const char *cell;
        K kind;
        double value;
        bool estimated;
    } cases[] = {
        {"343", K::Number, 343, false},
        {"0.92", K::Number, 0.92, false},
        {"(1.2)", K::Number, 1.2, true},
        {"（1.2）", K::Number, 1.2, true},
        {"(0)", K::Number, 0, true},
        {" (0)", K::Number, 0, true},
        {"Tr", K::Trace, 0, false},
        {"(Tr)", K::Trace, 0, true},
        {"-", K::Missing, 0, false},
        {"null", K::Missing, 0, false},
        {"*", K::Missing, 0, false},
        {"", K::Missing, 0, false},
        {"20.3†", K::Number, 20.3, false},
        {"''64", K::Number, 64, false},
        {"null30.5", K::Number, 30.5, false},
        {"１２．５", K::Number, 12.5, false},
        {"abc", K::Invalid, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.cell);
        const CellValue v = parseCell(QString::fromUtf8(c.cell));
        EXPECT_EQ(v.kind, c.kind);
        EXPECT_DOUBLE_EQ(v.value, c.value);
        EXPECT_EQ(v.estimated, c.estimated);
    }
}
