#include "dalmain/master/DishListText.h"

#include "DishTestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;
using dishtest::sjis;

namespace {

const QHash<QByteArray, quint32> kCodes = {{"01088", 88}, {"11046", 1315}, {"17012", 1794}};

}  // namespace

TEST(DishListText, ReadsDishesWithTheirOwnAndNestedHeaders)
{
    const QString text = QStringLiteral(
        "# shipped dishes\n"
        "\n"
        "dish 牛丼 | 和食 | どんぶり 丼 | 並盛り\n"
        "  01088 200     # ご飯\n"
        "  > 具\n"
        "  11046 70\n"
        "  17012 0.5\n"
        "dish ご飯 | 和食 | ごはん\n"
        "  01088 150.0\n");
    QStringList errors;
    const QList<DishListItem> items = parseDishList(text, kCodes, &errors);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].line, 3);
    EXPECT_EQ(items[0].form.name, QStringLiteral("牛丼"));
    EXPECT_EQ(items[0].form.category, QStringLiteral("和食"));
    EXPECT_EQ(items[0].form.keywords[0], QStringLiteral("どんぶり"));
    EXPECT_EQ(items[0].form.keywords[1], QStringLiteral("丼"));
    EXPECT_TRUE(items[0].form.keywords[2].isEmpty());
    EXPECT_EQ(items[0].form.memo, QStringLiteral("並盛り"));
    const QList<DishEntry> expected = {DishEntry::header(sjis("牛丼")), DishEntry::foodEntry(88, 2000),
                                       DishEntry::header(sjis("具")), DishEntry::foodEntry(1315, 700),
                                       DishEntry::foodEntry(1794, 5)};
    EXPECT_EQ(items[0].entries, expected);
    EXPECT_EQ(items[1].entries, (QList<DishEntry>{DishEntry::header(sjis("ご飯")), DishEntry::foodEntry(88, 1500)}));
}

TEST(DishListText, ProblemsNameTheirLineAndLeaveTheDishOut)
{
    const struct {
        const char *what;
        const char *text;
        const char *error;   // the start of the one error expected
        QList<int> kept = {};   // lines of the dishes that are read all the same
    } cases[] = {
        {"unknown code", "dish A | 和食 | k\n  99999 10\n", "2: no food of code 99999"},
        {"zero grams", "dish A | 和食 | k\n  01088 0\n", "2: an amount of 0 g"},
        {"1000 g", "dish A | 和食 | k\n  01088 1000\n", "2: an entry is"},
        {"two decimals", "dish A | 和食 | k\n  01088 1.25\n", "2: an entry is"},
        {"entry first", "  01088 10\ndish A | 和食 | k\n  01088 10\n", "1: an entry before", {2}},
        {"no keyword", "dish A | 和食 | \n  01088 10\n", "1: a dish needs"},
        {"four keywords", "dish A | 和食 | a b c d\n  01088 10\n", "1: more than 3 keywords"},
        {"long name", "dish あいうえおかきくけこさしすせそたちつてとな | 和食 | k\n  01088 10\n", "1: the name"},
        {"long category", "dish A | 和食和食和食 | k\n  01088 10\n", "1: the category"},
        {"long keyword", "dish A | 和食 | かきくけこさ\n  01088 10\n", "1: a keyword"},
        {"no foods", "dish A | 和食 | k\n", "1: a dish without foods"},
        {"second of a name", "dish A | 和食 | k\n  01088 10\ndish A | 和食 | k\n  01088 10\n", "3: a second dish", {1}},
        {"not Shift-JIS", "dish A😀 | 和食 | k\n  01088 10\n", "1: the name"},
    };
    for (const auto &c : cases) {
        QStringList errors;
        const QList<DishListItem> items = parseDishList(QString::fromUtf8(c.text), kCodes, &errors);
        ASSERT_EQ(errors.size(), 1) << c.what << ": " << errors.join(QLatin1Char('|')).toStdString();
        EXPECT_TRUE(errors[0].startsWith(QString::fromUtf8(c.error))) << c.what << ": " << errors[0].toStdString();
        QList<int> kept;
        for (const DishListItem &item : items)
            kept.append(item.line);
        EXPECT_EQ(kept, c.kept) << c.what;
    }
}
