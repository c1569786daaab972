#include "dalmain/master/DishLoading.h"
#include "dalmain/master/DishPicture.h"
#include "quenkit/owner/ScriptedOwner.h"

#include "DishTestSupport.h"

#include <QDir>

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

using namespace dalmain;
using dishtest::foodRecord;
using dishtest::gridDish;
using dishtest::sjis;

namespace {

class DishLoad : public dishtest::DishFolder
{
protected:
    void SetUp() override
    {
        DishFolder::SetUp();
        ASSERT_TRUE(dishtest::writeFoods(folders, {foodRecord(1, 1, "精白米 めし"), foodRecord(2, 6, "たまねぎ"), foodRecord(3, 11, "牛ばら"),
                                                   foodRecord(4, 17, "カレールウ")}));
    }
};

}  // namespace

TEST_F(DishLoad, ScaledAmountsMustFit9999Tenths)
{
    const struct {
        quint16 tenths;
        double scale;
        DishLoadResult result;
        quint16 loaded;
    } cases[] = {
        {6000, 200, DishLoadResult::TooLarge, 0},   // 1200 g
        {6000, 150, DishLoadResult::Loaded, 9000},  // 900 g
        {6000, 100, DishLoadResult::Loaded, 6000},
        {9999, 100, DishLoadResult::Loaded, 9999},  // 999.9 g, the most a meal takes from a dish
        {5000, 200, DishLoadResult::TooLarge, 0},   // 1000.0 g
        {1234, 50, DishLoadResult::Loaded, 617},
        {15, 50, DishLoadResult::Loaded, 8},        // 0.75 g rounds half up to 0.8 g
        {1000, 0, DishLoadResult::Loaded, 0},
    };
    for (const auto &c : cases) {
        DishRecord dish;
        dish.entries = gridDish("カレー", {{1, 100}, {3, c.tenths}});
        quenkit::ScriptedOwner owner;
        QList<DishEntry> added{DishEntry::foodEntry(9, 9)};
        EXPECT_EQ(loadDishEntries(&owner, dish, c.scale, added), c.result) << c.tenths << " at " << c.scale;
        if (c.result == DishLoadResult::TooLarge) {
            EXPECT_TRUE(added.isEmpty());
            ASSERT_EQ(owner.messages().size(), 1);
            EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("料理の読み込み"));
            EXPECT_EQ(owner.messages()[0].text, QStringLiteral("食品の分量が999.9g以内に収まりません。"));
            EXPECT_EQ(owner.messages()[0].icon, quenkit::Icon::Information);
            continue;
        }
        EXPECT_TRUE(owner.messages().isEmpty());
        ASSERT_EQ(added.size(), 3);
        EXPECT_EQ(added[2], DishEntry::foodEntry(3, c.loaded)) << c.tenths << " at " << c.scale;
    }
}

TEST_F(DishLoad, RefusesScalesThatAreNoPercentage)
{
    DishRecord dish;
    dish.entries = gridDish("カレー", {{1, 100}});
    for (double scale : {-1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        QList<DishEntry> added;
        EXPECT_EQ(loadDishEntries(nullptr, dish, scale, added), DishLoadResult::BadScale) << scale;
        EXPECT_TRUE(added.isEmpty());
    }
    QList<DishEntry> added;
    dish.entries = gridDish("カレー", {{1, 9999}});
    EXPECT_EQ(loadDishEntries(nullptr, dish, 1e300, added), DishLoadResult::TooLarge);
}

TEST_F(DishLoad, LoadsFromTheTableWithHeadersAndWithoutFoodsThatAreGone)
{
    // A set meal: its own header, then a nested header with the foods under it.
    QList<DishEntry> entries = gridDish("カレー定食", {{3, 500}});
    entries += gridDish("ご飯", {{1, 2000}, {2, 300}});
    entries.append(DishEntry::foodEntry(4, 200));
    ASSERT_EQ(SaveDish(nullptr, dishtest::form("カレー定食", "洋食"), entries).result, DishSaveResult::Added);

    QList<DishEntry> added;
    ASSERT_EQ(LoadDish(nullptr, QStringLiteral("カレー定食"), 100, added), DishLoadResult::Loaded);
    EXPECT_EQ(added, entries);
    EXPECT_EQ(added[2].headerName, sjis("ご飯"));

    // たまねぎ leaves the food table: the dish loads without it, everything else in order.
    ASSERT_TRUE(dishtest::writeFoods(folders, {foodRecord(1, 1, "精白米 めし"), foodRecord(3, 11, "牛ばら"), foodRecord(4, 17, "カレールウ")}));
    ASSERT_EQ(LoadDish(nullptr, QStringLiteral("カレー定食"), 150, added), DishLoadResult::Loaded);
    const QList<DishEntry> expected = {DishEntry::header(sjis("カレー定食")), DishEntry::foodEntry(3, 750),
                                       DishEntry::header(sjis("ご飯")), DishEntry::foodEntry(1, 3000),
                                       DishEntry::foodEntry(4, 300)};
    EXPECT_EQ(added, expected);

    EXPECT_EQ(LoadDish(nullptr, QStringLiteral("ない"), 100, added), DishLoadResult::NotFound);
    EXPECT_TRUE(added.isEmpty());
}

TEST_F(DishLoad, ViewShowsFoodsThatAreGoneAsMissing)
{
    QList<DishEntry> entries = gridDish("カレー", {{3, 500}, {2, 300}, {4, 200}});
    DishForm form = dishtest::form("カレー", "洋食", "かれー");
    form.keywords[2] = QStringLiteral("ライス");
    form.memo = QStringLiteral("辛口");
    ASSERT_EQ(SaveDish(nullptr, form, entries).result, DishSaveResult::Added);
    ASSERT_TRUE(dishtest::writeFoods(folders, {foodRecord(1, 1, "精白米 めし"), foodRecord(3, 11, "牛ばら"), foodRecord(4, 17, "カレールウ")}));

    const QString program = folders.root() + QLatin1Char('/');
    const std::optional<DishView> view = ShowDish(QStringLiteral("カレー"), program);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->name, QStringLiteral("カレー"));
    EXPECT_EQ(view->category, QStringLiteral("洋食"));
    EXPECT_EQ(view->keywords, (QStringList{QStringLiteral("かれー"), QStringLiteral("ライス")}));
    EXPECT_EQ(view->memo, QStringLiteral("辛口"));
    EXPECT_EQ(view->picturePath, QDir::toNativeSeparators(program + QStringLiteral("bmp/cooking/洋食.bmp")));
    using Kind = DishViewLine::Kind;
    ASSERT_EQ(view->lines.size(), 4);
    const struct {
        Kind kind;
        quint32 food;
        const char *text;
        quint16 tenths;
    } expected[] = {
        {Kind::Header, 0, "カレー", 0},
        {Kind::Food, 3, "牛ばら", 500},
        {Kind::MissingFood, 2, "", 300},
        {Kind::Food, 4, "カレールウ", 200},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(view->lines[i].kind, expected[i].kind) << i;
        EXPECT_EQ(view->lines[i].food, expected[i].food) << i;
        EXPECT_EQ(view->lines[i].text, QString::fromUtf8(expected[i].text)) << i;
        EXPECT_EQ(view->lines[i].amountTenths, expected[i].tenths) << i;
    }
    EXPECT_FALSE(ShowDish(QStringLiteral("ない"), program));
}

TEST(DishPicture, OwnPictureElseTheCategorysElseDefcook)
{
    testsupport::TempFolders folders;
    const QString program = folders.root() + QLatin1Char('/');
    const struct {
        const char *picture;
        const char *category;
        const char *file;
    } cases[] = {
        {"", "洋食", "洋食.bmp"},       {"", "和食", "和食.bmp"},     {"", "中華", "中華.bmp"},
        {"", "麺類", "DEFCOOK.bmp"},    {"DEFCOOK", "洋食", "洋食.bmp"}, {"defcook", "中華", "中華.bmp"},
        {"CURRY", "洋食", "CURRY.bmp"}, {"CURRY", "麺類", "CURRY.bmp"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(dishPicturePath(program, sjis(c.picture), sjis(c.category)),
                  QDir::toNativeSeparators(program + QStringLiteral("bmp/cooking/") + QString::fromUtf8(c.file)))
            << c.picture << " " << c.category;
    }
    EXPECT_EQ(fallbackDishPicturePath(program), QDir::toNativeSeparators(program + QStringLiteral("bmp/cooking/defcook.bmp")));
}

TEST(DishPicture, ChooserListsTheFolderAndFindsNamesInAnyCase)
{
    testsupport::TempFolders folders;
    const QString program = folders.root() + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(program + QStringLiteral("bmp/cooking")));
    for (const char *file : {"curry.bmp", "DEFCOOK.BMP", "和食.bmp", "notes.txt"})
        ASSERT_TRUE(testsupport::writeFile(program + QStringLiteral("bmp/cooking/") + QString::fromUtf8(file), "BM"));
    EXPECT_EQ(dishPictureChoices(program), (QStringList{QStringLiteral("curry"), QStringLiteral("DEFCOOK"), QStringLiteral("和食")}));
    // A picture named in another case than its file, as tables from a case-blind system name them.
    EXPECT_EQ(dishPicturePath(program, "CURRY", sjis("洋食")),
              QDir::toNativeSeparators(program + QStringLiteral("bmp/cooking/curry.bmp")));
    EXPECT_EQ(dishPicturePath(program, "", sjis("麺類")),
              QDir::toNativeSeparators(program + QStringLiteral("bmp/cooking/DEFCOOK.BMP")));
    EXPECT_TRUE(dishPictureChoices(folders.dataDir() + QLatin1Char('/')).isEmpty());
}
