#include "quenkit/text/ShiftJis.h"

#include <gtest/gtest.h>

using namespace quenkit;

namespace {

struct Mapping {
    const char *bytes;   // Shift-JIS as Windows writes it
    const char16_t *text;
};

// Characters where code page 932 differs from plain Shift-JIS or where its extensions matter.
const Mapping kMappings[] = {
    {"\x81\x60", u"\uFF5E"},            // ～ wave dash as Windows maps it
    {"\x81\x5C", u"\u2015"},            // ― horizontal bar
    {"\x81\x61", u"\u2225"},            // ∥
    {"\x81\x7C", u"\uFF0D"},            // － full-width hyphen-minus
    {"\x81\x91", u"\uFFE0"},            // ￠
    {"\x81\xCA", u"\uFFE2"},            // ￢
    {"\x87\x40", u"\u2460"},            // ① NEC row 13
    {"\x87\x8A", u"\u3231"},            // ㈱ NEC row 13
    {"\xFA\x40", u"\u2170"},            // ⅰ IBM extension
    {"\xFA\xB1", u"\uFA11"},            // 﨑 IBM extension kanji
    {"\x88\x9F", u"\u4E9C"},            // 亜 first JIS level-1 kanji
    {"\x82\xA0", u"\u3042"},            // あ
    {"\x83\x94", u"\u30F4"},            // ヴ
    {"\xB6\xDA\xB0", u"\uFF76\uFF9A\uFF70"},  // ｶﾚｰ half-width katakana
    {"\\~", u"\\~"},                    // ASCII stays ASCII
    {"\x90\x48\x95\x69", u"食品"},
};

}  // namespace

TEST(ShiftJis, DecodesAndEncodesTheWindowsMapping)
{
    for (const Mapping &m : kMappings) {
        SCOPED_TRACE(m.bytes);
        const QString text = QString::fromUtf16(m.text);
        EXPECT_EQ(fromSjis(QByteArray(m.bytes)), text);
        bool ok = false;
        EXPECT_EQ(toSjis(text, &ok), QByteArray(m.bytes));
        EXPECT_TRUE(ok);
    }
}

TEST(ShiftJis, DuplicatesEncodeToTheWindowsChoice)
{
    // ∵ exists in JIS row 2 and NEC row 13; ≒ likewise; ¬ (U+00AC) has no code and
    // ￢ takes the JIS one. Windows encodes the JIS codes.
    EXPECT_EQ(toSjis(u"\u2235"), QByteArray("\x81\xE6"));
    EXPECT_EQ(toSjis(u"\u2252"), QByteArray("\x81\xE0"));
    // Both codes decode to the same character.
    EXPECT_EQ(fromSjis(QByteArray("\x87\x9A")), QString::fromUtf16(u"\u2235"));
    // NEC-selected IBM kanji (ED/EE rows) encode to the IBM row FA-FC.
    EXPECT_EQ(fromSjis(QByteArray("\xED\x40")), fromSjis(QByteArray("\xFA\x5C")));
    EXPECT_EQ(toSjis(fromSjis(QByteArray("\xED\x40"))), QByteArray("\xFA\x5C"));
}

TEST(ShiftJis, EveryMappedPairRoundTrips)
{
    int mapped = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isSjisLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const QString ch = fromSjis(QByteArrayView(pair, 2));
            ASSERT_EQ(ch.size(), 1);
            if (ch[0] == QChar::ReplacementCharacter)
                continue;
            ++mapped;
            const QByteArray back = toSjis(ch);
            // Decoding the encoded form gives the character back, whichever duplicate was chosen.
            ASSERT_EQ(fromSjis(back), ch) << std::hex << lead << " " << trail;
        }
    }
    // JIS X 0208 (6,879) + NEC row 13 + IBM extensions + user-defined area.
    EXPECT_GT(mapped, 9000);
}

TEST(ShiftJis, UnmappableAndBrokenInput)
{
    bool ok = true;
    EXPECT_EQ(toSjis(u"a\U0001F600b", &ok), QByteArray("a?b"));
    EXPECT_FALSE(ok);
    EXPECT_EQ(toSjis(u"\u00E9", &ok), QByteArray("?"));
    EXPECT_FALSE(ok);
    // A lead byte at the end and a lead byte followed by NUL do not read past the text.
    EXPECT_EQ(fromSjis(QByteArray("a\x82")), QString::fromUtf16(u"a\uFFFD"));
    EXPECT_EQ(fromSjis(QByteArray("a\x82\0b", 4)), QString::fromUtf16(u"a\uFFFD"));
    // A field padded with NUL ends at the first one.
    EXPECT_EQ(fromSjis(QByteArray("ab\0\0\0", 5)), QStringLiteral("ab"));
}

TEST(ShiftJis, CutsAtCharacterBoundaries)
{
    const QByteArray text = toSjis(u"ab漢字c");  // a b [2] [2] c = 7 bytes
    struct Case {
        int width;
        const char16_t *expected;
    } cases[] = {{0, u""}, {2, u"ab"}, {3, u"ab"}, {4, u"ab漢"}, {5, u"ab漢"}, {6, u"ab漢字"}, {7, u"ab漢字c"}, {20, u"ab漢字c"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(fromSjis(cutSjisToWidth(text, c.width)), QString::fromUtf16(c.expected));
    }
    EXPECT_EQ(sjisField(text, 5), toSjis(u"ab漢 "));
    EXPECT_EQ(sjisField(text, 5).size(), 5);
    EXPECT_EQ(sjisWidth(u"ab漢ｶ"), 5);
}
