#include "quenkit/text/ShiftJis.h"
#include "quenkit/text/StringHelpers.h"
#include "quenkit/text/StringTable.h"

#include <gtest/gtest.h>

using namespace quenkit;

TEST(CheckKanjiStr, FindsLeadBytesOnly)
{
    const QByteArray text = toSjis(u"ab漢");
    struct Case {
        int pos;
        int expected;
    } cases[] = {{-1, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(CheckKanjiStr(text, c.pos), c.expected) << "position " << c.pos;

    // A trail byte that looks like a lead byte (0x88 0x9F: 亜 ; 0x9F is also a lead value) is
    // still a trail byte.
    const QByteArray tricky = toSjis(u"亜亜");
    EXPECT_EQ(CheckKanjiStr(tricky, 1), 0);
    EXPECT_EQ(CheckKanjiStr(tricky, 2), 1);
}

TEST(CutStringSpace, RemovesTrailingAsciiBlanksOnly)
{
    struct Case {
        const char16_t *in;
        const char16_t *out;
    } cases[] = {
        {u"abc   ", u"abc"},
        {u"abc", u"abc"},
        {u"", u""},
        {u"   ", u""},
        {u"a b ", u"a b"},
        {u"食品\u3000", u"食品\u3000"},      // trailing full-width blank stays
        {u"食品\u3000  ", u"食品\u3000"},
    };
    for (const Case &c : cases) {
        QByteArray bytes = toSjis(QString::fromUtf16(c.in));
        CutStringSpace(bytes);
        EXPECT_EQ(fromSjis(bytes), QString::fromUtf16(c.out));

        QByteArray buffer = toSjis(QString::fromUtf16(c.in));
        CutStringSpace(buffer.data());
        EXPECT_EQ(fromSjis(QByteArray(buffer.constData())), QString::fromUtf16(c.out));
    }
    EXPECT_EQ(trimmedField(QByteArray("ab  \0xyz", 8)), QByteArray("ab"));
}

TEST(StringTable, LooksUpRegisteredTexts)
{
    RegisterStrings({{4101, "朝食"}, {4102, "昼食"}});
    EXPECT_EQ(GetRS(4101), QStringLiteral("朝食"));
    EXPECT_EQ(GetRS(4102), QStringLiteral("昼食"));
    EXPECT_TRUE(GetRS(99999).isEmpty());
    RegisterStrings({{4101, "朝ごはん"}});
    EXPECT_EQ(GetRS(4101), QStringLiteral("朝ごはん"));
}
