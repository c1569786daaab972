// The half-width and full-width forms of search keys, checked over their whole ranges against
// Unicode's own width folding (NFKC) of the same characters.

#include "quenkit/dbf/KanaFolding.h"
#include "quenkit/text/ShiftJis.h"

#include <QHash>
#include <QString>

#include <gtest/gtest.h>

using namespace quenkit;

namespace {

QByteArray pair(unsigned code)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(code >> 8));
    bytes.append(static_cast<char>(code & 0xFF));
    return bytes;
}

QByteArray single(unsigned b)
{
    return QByteArray(1, static_cast<char>(b));
}

QString widened(unsigned b)
{
    return fromSjis(single(b)).normalized(QString::NormalizationForm_KC);
}

// Every katakana that has a half-width spelling, from the half-width letters and marks.
QHash<QChar, QByteArray> halfWidthSpellings()
{
    QHash<QChar, QByteArray> spellings;
    for (unsigned b = 0xA1; b <= 0xDF; ++b) {
        const QString full = widened(b);
        if (full.size() == 1 && !spellings.contains(full[0]))
            spellings.insert(full[0], single(b));
        for (const auto &[mark, combining] : {std::pair{0xDEu, u'\u3099'}, std::pair{0xDFu, u'\u309A'}}) {
            const QString voiced = (full + QChar(combining)).normalized(QString::NormalizationForm_C);
            if (voiced.size() == 1 && voiced != full && !spellings.contains(voiced[0]))
                spellings.insert(voiced[0], single(b) + single(mark));
        }
    }
    return spellings;
}

// Kana without a half-width letter of their own take the nearest one.
const QHash<QChar, QByteArray> kNearest = {
    {QChar(u'ヮ'), single(0xDC)}, {QChar(u'ヰ'), single(0xB2)}, {QChar(u'ヱ'), single(0xB4)},
    {QChar(u'ヵ'), single(0xB6)}, {QChar(u'ヶ'), single(0xB9)},
};

}  // namespace

TEST(KanaFolding, HalfWidthOfEveryKana)
{
    const QHash<QChar, QByteArray> spellings = halfWidthSpellings();
    int checked = 0;
    auto check = [&](unsigned code, QChar katakana) {
        const QByteArray expected = spellings.contains(katakana) ? spellings[katakana] : kNearest.value(katakana);
        ASSERT_FALSE(expected.isEmpty()) << std::hex << code;
        EXPECT_EQ(halfWidthKey(pair(code)), std::optional<QByteArray>(expected)) << std::hex << code;
        ++checked;
    };
    for (unsigned code = kana::HiraganaFirst; code <= kana::HiraganaLast; ++code)
        check(code, QChar(fromSjis(pair(code))[0].unicode() + 0x60));   // ぁ..ん to ァ..ン
    for (unsigned code = kana::KatakanaFirst; code <= kana::KatakanaLast; ++code) {
        if (code != kana::KatakanaHole)
            check(code, fromSjis(pair(code))[0]);
    }
    check(kana::LongVowelMark, QChar(u'ー'));
    EXPECT_EQ(checked, 83 + 86 + 1);
}

TEST(KanaFolding, HalfWidthOfKeys)
{
    const struct {
        const char *key;
        std::optional<QByteArray> half;
    } cases[] = {
        {"かれー", QByteArray("\xB6\xDA\xB0")},
        {"カレー", QByteArray("\xB6\xDA\xB0")},
        {"ガッコウ", QByteArray("\xB6\xDE\xAF\xBA\xB3")},
        {"ぱんぷきん", QByteArray("\xCA\xDF\xDD\xCC\xDF\xB7\xDD")},
        {"ヴィ", QByteArray("\xB3\xDE\xA8")},
        {"牛乳", std::nullopt},                 // kanji: no half-width form
        {"カレー粉", std::nullopt},
        {"AB", std::nullopt},
        {"ｶﾚｰ", std::nullopt},                  // already half width
        {"カ1", std::nullopt},                  // odd length: a character that is no kana
        {"", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(halfWidthKey(quenkit::toSjis(QString::fromUtf8(c.key))), c.half) << c.key;
    EXPECT_EQ(halfWidthKey(single(0x82)), std::nullopt);
    // Codes around the ranges.
    for (unsigned code : {0x829Eu, 0x82F2u, 0x833Fu, 0x837Fu, 0x8397u, 0x815Au, 0x815Cu})
        EXPECT_EQ(halfWidthKey(pair(code)), std::nullopt) << std::hex << code;
}

TEST(KanaFolding, FullWidthOfEveryByte)
{
    // The code page reads these five ASCII bytes the Japanese way: yen sign, overline and the
    // typographic quotes.
    const QHash<unsigned, QChar> japaneseReading = {
        {0x22, QChar(u'”')}, {0x27, QChar(u'’')}, {0x5C, QChar(u'￥')}, {0x60, QChar(u'‘')}, {0x7E, QChar(u'￣')},
    };
    for (unsigned b = 0; b <= 0xFF; ++b) {
        std::optional<QByteArray> expected;
        if (b == 0x20)
            expected = toSjis(u"\u3000");
        else if (b > 0x20 && b <= 0x7E)
            expected = toSjis(QString(japaneseReading.value(b, QChar(0xFF01 + (b - 0x21)))));
        else if (b == 0xDE || b == 0xDF)
            expected = pair(b == 0xDE ? kana::FullWidthVoicedMark : kana::FullWidthSemiVoicedMark);
        else if (b >= 0xA1 && b <= 0xDD)
            expected = toSjis(widened(b));
        EXPECT_EQ(fullWidthKey(single(b)), expected) << std::hex << b;
        if (expected) {
            EXPECT_EQ(expected->size(), 2) << std::hex << b;
        }
    }
    EXPECT_EQ(fullWidthKey(QByteArray()), std::nullopt);
}

TEST(KanaFolding, FullWidthJoinsVoicingMarks)
{
    // ﾞ and ﾟ behind every half-width letter: the composed kana where the code page has one,
    // otherwise the letter and the mark as two characters.
    for (unsigned b = 0xA6; b <= 0xDD; ++b) {
        const QString base = widened(b);
        for (const auto &[mark, combining, standalone] :
             {std::tuple{0xDEu, u'\u3099', kana::FullWidthVoicedMark},
              std::tuple{0xDFu, u'\u309A', kana::FullWidthSemiVoicedMark}}) {
            const QString composed = (base + QChar(combining)).normalized(QString::NormalizationForm_C);
            bool encodable = false;
            const QByteArray composedCode = toSjis(composed, &encodable);
            const QByteArray expected = composed.size() == 1 && composed != base && encodable
                ? composedCode
                : toSjis(base) + pair(standalone);
            EXPECT_EQ(fullWidthKey(single(b) + single(mark)), std::optional<QByteArray>(expected))
                << std::hex << b << " " << mark;
        }
    }

    const struct {
        QByteArray key;
        const char *full;
    } cases[] = {
        {"\xB6\xDA\xB0", "カレー"},
        {"\xCA\xDF\xDD", "パン"},
        {"\xB3\xDE\xA8\xDD\xC5\xB0", "ヴィンナー"},
        {"\xDE\xB6", "゛カ"},                 // a mark with nothing before it
        {"A\xDE", "Ａ゛"},
        {"\xB6\xDE\xDE", "ガ゛"},
        {"Curry 1", "Ｃｕｒｒｙ　１"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fullWidthKey(c.key), std::optional<QByteArray>(toSjis(QString::fromUtf8(c.full)))) << c.full;
    EXPECT_EQ(fullWidthKey(toSjis(u"カ")), std::nullopt);   // a lead byte has no full-width form
    EXPECT_EQ(fullWidthKey("ab\x80"), std::nullopt);
}
