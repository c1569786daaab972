#include "dalmain/master/MextImportNames.h"
#include "quenkit/text/ShiftJis.h"

#include "PrintQt.h"

#include <gtest/gtest.h>

using namespace dalmain::mext;

namespace {

QStringList names(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *s : list)
        out.append(QString::fromUtf8(s));
    return out;
}

}  // namespace

TEST(MextNames, BothNotationsGiveTheSameSubNames)
{
    const QStringList expected = names({"<畜肉類>", "ぶた", "[大型種肉]", "ロース", "脂身つき", "生"});
    EXPECT_EQ(officialSubNames(QStringLiteral("＜畜肉類＞　ぶた　［大型種肉］　ロース　脂身つき　生")), expected);
    EXPECT_EQ(officialSubNames(QStringLiteral(" <畜肉類>  ぶた [大型種肉] ロース 脂身つき 生")), expected);
    EXPECT_EQ(officialSubNames(QStringLiteral("（かんきつ類）　もも　果実飲料　３０％果汁入り飲料　（ネクター）")),
              names({"(かんきつ類)", "もも", "果実飲料", "30%果汁入り飲料", "(ネクター)"}));
    EXPECT_EQ(officialSubNames(QStringLiteral("＜えび・かに類＞　（スープ を残したもの）")),
              names({"<えび･かに類>", "(スープ を残したもの)"}));
    EXPECT_TRUE(isQualifier(QStringLiteral("[水稲穀粒]")));
    EXPECT_FALSE(isQualifier(QStringLiteral("(胸肉")));
    EXPECT_FALSE(isQualifier(QStringLiteral("生")));
}

TEST(MextNames, HalfWidthKana)
{
    EXPECT_EQ(toHalfWidthKana(QStringLiteral("ガパーヴ食品")), QStringLiteral("ｶﾞﾊﾟｰｳﾞ食品"));
    EXPECT_EQ(toHalfWidthKana(QStringLiteral("ぶたロース")), QStringLiteral("ぶたﾛｰｽ"));
    EXPECT_EQ(toHalfWidthKana(QStringLiteral("ぶたロース"), true), QStringLiteral("ﾌﾞﾀﾛｰｽ"));
}

TEST(MextNames, LongNamesShortenedByPreferenceAndKeptDistinct)
{
    const QList<QStringList> group = {
        // 0: fits, kept as it is
        officialSubNames(QStringLiteral("<畜肉類> ぶた [大型種肉] ロース 生")),
        // 1: the broad category goes first, the specific one stays
        officialSubNames(QStringLiteral("<畜肉類> うし [乳用肥育牛肉] かた 脂身つき 生")),
        // 2: dropping the first qualifier would give name 3; the next form is taken
        officialSubNames(QStringLiteral("<畜肉類> うし [和牛肉] サーロイン 赤肉 焼き")),
        officialSubNames(QStringLiteral("うし [和牛肉] サーロイン 赤肉 焼き")),
        // 4: half-width katakana before any sub-name is dropped
        officialSubNames(QStringLiteral("洋風料理 フライ用冷凍食品 メンチカツ 冷凍")),
        // 5: a middle sub-name dropped (the leftmost that makes it fit), the first and last kept
        officialSubNames(QStringLiteral("<ぶんるい> あたまのなまえ まんなかいち まんなかに おわりのなまえ")),
        // 6: nothing fits whole: the first and the last sub-name, cut
        officialSubNames(QStringLiteral("漢字名漢字名漢字名漢字名漢字名漢字名 中の名 漢字名漢字名漢字名漢字名")),
        // 7: a repeated sub-name goes first of all
        officialSubNames(QStringLiteral("洋風料理 スープ類 コーンクリームスープ コーンクリームスープ")),
    };
    const QList<ShortName> s = shortenGroupNames(group, 40);
    ASSERT_EQ(s.size(), group.size());
    for (const ShortName &n : s)
        EXPECT_LE(quenkit::sjisWidth(n.name), 40) << n.name.toStdString();

    EXPECT_EQ(s[0].name, QStringLiteral("<畜肉類> ぶた [大型種肉] ロース 生"));
    EXPECT_FALSE(s[0].shortened);
    EXPECT_EQ(s[1].name, QStringLiteral("うし [乳用肥育牛肉] かた 脂身つき 生"));
    EXPECT_TRUE(s[1].shortened);
    EXPECT_EQ(s[3].name, QStringLiteral("うし [和牛肉] サーロイン 赤肉 焼き"));
    EXPECT_FALSE(s[3].shortened);
    EXPECT_EQ(s[2].name, QStringLiteral("うし サーロイン 赤肉 焼き"));
    EXPECT_EQ(s[4].name, QStringLiteral("洋風料理 ﾌﾗｲ用冷凍食品 ﾒﾝﾁｶﾂ 冷凍"));
    EXPECT_EQ(s[5].name, QStringLiteral("あたまのなまえ まんなかに おわりのなまえ"));
    EXPECT_TRUE(s[6].cut);
    EXPECT_EQ(s[6].name, QStringLiteral("漢字名漢字名漢字名漢字名漢字名漢字名 漢"));
    EXPECT_EQ(s[7].name, QStringLiteral("洋風料理 スープ類 コーンクリームスープ"));
}

TEST(MextNames, DistinctWhilePossibleThenTheFirstFormThatFits)
{
    const QString a = QStringLiteral("<長い分類名長い分類名> あああああ いいいいい ううううう");
    const QList<QStringList> group = {
        officialSubNames(a),
        officialSubNames(QStringLiteral("<別の分類名別の分類名> あああああ いいいいい ううううう")),
        officialSubNames(a),
    };
    const QList<ShortName> s = shortenGroupNames(group, 32);
    EXPECT_EQ(s[0].name, QStringLiteral("あああああ いいいいい ううううう"));
    EXPECT_EQ(s[1].name, QStringLiteral("あああああ ううううう"));
    EXPECT_EQ(s[2].name, s[0].name);   // every form is taken: a collision for the report
}

TEST(MextNames, KeywordsFromTheBaseNameAndTheQualifiers)
{
    const QStringList pork = officialSubNames(QStringLiteral("<畜肉類> ぶた [大型種肉] ロース 脂身つき 生"));
    const std::array<QString, 3> k = foodKeywords(pork, pork.join(QLatin1Char(' ')));
    EXPECT_EQ(k[0], QStringLiteral("ﾌﾞﾀ"));
    EXPECT_EQ(k[1], QStringLiteral("大型種肉"));
    EXPECT_EQ(k[2], QStringLiteral("畜肉類"));

    // Sub-names the short name lost become keywords; every keyword fits its ten bytes.
    const QStringList juice = officialSubNames(QStringLiteral("うんしゅうみかん 果実飲料 濃縮還元ジュース 加糖タイプ"));
    const std::array<QString, 3> j = foodKeywords(juice, QStringLiteral("うんしゅうみかん 濃縮還元ジュース 加糖タイプ"));
    EXPECT_EQ(j[0], QStringLiteral("ｳﾝｼｭｳﾐｶﾝ"));
    EXPECT_EQ(j[1], QStringLiteral("果実飲料"));
    EXPECT_TRUE(j[2].isEmpty());
    const QStringList longKana = officialSubNames(QStringLiteral("サウザンアイランドドレッシング 市販品"));
    const std::array<QString, 3> l = foodKeywords(longKana, longKana.join(QLatin1Char(' ')));
    EXPECT_EQ(l[0], QStringLiteral("ｻｳｻﾞﾝｱｲﾗﾝ"));
    EXPECT_EQ(quenkit::sjisWidth(l[0]), 9);   // ﾄ would lose its ﾞ, so it goes too
}
