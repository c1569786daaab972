// The shipped dish tables: what they hold, that they are what the dish list makes, and the
// command-line tool working on them.

#include "dalmain/master/DishLoading.h"
#include "dalmain/master/DishTable.h"
#include "dalmain/master/FoodTable.h"
#include "quenkit/dbf/Dbf.h"

#include "DishTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

using namespace dalmain;
using testsupport::runCli;

namespace {

const QString kShipped = QStringLiteral(DALMORA_SOURCE_DIR "/data/master/");
const QStringList kShippedFiles = {QStringLiteral("料理.DBF"), QStringLiteral("料理分類.DBF"), QStringLiteral("食品.FDB"),
                                   QStringLiteral("食品.IDX")};

// A data folder with the shipped dish and food tables.
class ShippedDishes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const QString &file : kShippedFiles)
            ASSERT_TRUE(QFile::copy(kShipped + file, folders.dataFile(file))) << file.toStdString();
        for (const QString &file : kShippedFiles)
            QFile(folders.dataFile(file)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

    testsupport::CliResult cli(const QStringList &args) const
    {
        return runCli(QStringList{QStringLiteral("--config-dir"), folders.configDir(), QStringLiteral("--data-dir"),
                                  folders.dataDir(), QStringLiteral("dishes")}
                      + args);
    }

    testsupport::TempFolders folders;
};

QStringList lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace

TEST_F(ShippedDishes, EveryDishIsAServingOfShippedFoods)
{
    bool ok = false;
    const QList<StoredDish> dishes = readDishes(&ok);
    ASSERT_TRUE(ok);
    EXPECT_GE(dishes.size(), 40);
    FoodCache foods;
    ASSERT_EQ(LoadFoodCache(nullptr, foods), 1);

    const QSet<QString> categories = {QStringLiteral("和食"), QStringLiteral("洋食"), QStringLiteral("中華")};
    QSet<QString> used;
    QStringList names;
    for (const StoredDish &stored : dishes) {
        const DishRecord &d = stored.dish;
        const QString name = quenkit::fromSjis(d.name);
        names.append(name);
        used.insert(quenkit::fromSjis(d.category));
        EXPECT_TRUE(categories.contains(quenkit::fromSjis(d.category))) << name.toStdString();
        EXPECT_FALSE(d.keywords[0].isEmpty()) << name.toStdString();
        ASSERT_FALSE(d.entries.isEmpty()) << name.toStdString();
        EXPECT_EQ(d.entries[0], DishEntry::header(d.name)) << name.toStdString() << ": begins with its own header";
        double grams = 0;
        for (const DishEntry &e : d.entries) {
            if (e.isHeader())
                continue;
            EXPECT_NE(findCachedFood(foods, e.food), nullptr) << name.toStdString() << ": food " << e.food;
            EXPECT_GT(e.amountTenths, 0) << name.toStdString();
            grams += e.grams();
        }
        // One serving, not a pot.
        EXPECT_LT(grams, 800) << name.toStdString();
        QList<DishEntry> added;
        EXPECT_EQ(loadDishEntries(nullptr, d, 100, added), DishLoadResult::Loaded) << name.toStdString();
        EXPECT_EQ(added, d.entries) << name.toStdString() << ": every food of the dish is in the food table";
    }
    EXPECT_EQ(used, categories);
    const QStringList listed = dishCategories();
    EXPECT_EQ(QSet<QString>(listed.cbegin(), listed.cend()), used);
    for (const char *everyday : {"ご飯", "豆腐とわかめのみそ汁", "焼き鮭", "肉じゃが", "カレーライス", "ハンバーグ",
                                 "野菜炒め", "麻婆豆腐"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(everyday))) << everyday;
}

TEST_F(ShippedDishes, TablesAreWhatTheDishListMakes)
{
    const QString out = folders.root() + QStringLiteral("/out");
    QProcess script;
    script.start(QStringLiteral("bash"), {QStringLiteral(DALMORA_SOURCE_DIR "/scripts/make-dishes.sh"),
                                          QStringLiteral(DALMORA_CLI_PATH), out});
    ASSERT_TRUE(script.waitForFinished(120000));
    ASSERT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    for (const QString &table : {kDishTable, kDishCategoryTable}) {
        const QByteArray made = testsupport::readFile(out + QLatin1Char('/') + table);
        ASSERT_FALSE(made.isEmpty()) << table.toStdString();
        EXPECT_TRUE(made == testsupport::readFile(kShipped + table))
            << table.toStdString() << " differs from what scripts/make-dishes.sh makes of scripts/dishes.txt";
    }
}

TEST_F(ShippedDishes, CommandsListShowAndDelete)
{
    testsupport::CliResult r = cli({QStringLiteral("list")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(lines(r.out).size(), readDishes().size());
    EXPECT_TRUE(lines(r.out).contains(QStringLiteral("肉じゃが\t和食")));

    for (const char *key : {"カレー", "ｶﾚｰ"}) {
        r = cli({QStringLiteral("list"), QString::fromUtf8(key)});
        EXPECT_EQ(r.exitCode, 0) << key;
        EXPECT_EQ(lines(r.out), QStringList{QStringLiteral("カレーライス\t洋食")}) << key;
    }
    r = cli({QStringLiteral("list"), QStringLiteral("中華")});
    EXPECT_TRUE(lines(r.out).contains(QStringLiteral("麻婆豆腐\t中華")));
    EXPECT_EQ(cli({QStringLiteral("list"), QStringLiteral("ないもの")}).exitCode, 1);

    r = cli({QStringLiteral("show"), QStringLiteral("肉じゃが")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList shown = lines(r.out);
    ASSERT_GE(shown.size(), 7);
    EXPECT_EQ(shown.mid(0, 6), (QStringList{QStringLiteral("料理名: 肉じゃが"), QStringLiteral("分類: 和食"),
                                            QStringLiteral("キーワード: にくじゃが 煮物"), QStringLiteral("写真: 和食.bmp"),
                                            QStringLiteral("メモ: "), QStringLiteral("[肉じゃが]")}));
    EXPECT_EQ(shown[6], QStringLiteral(" 1315 うし [乳用肥育牛肉] ばら 脂身つき 生\t50.0 g"));
    EXPECT_EQ(cli({QStringLiteral("show"), QStringLiteral("ないもの")}).exitCode, 1);

    // Chosen out of table order; the category stays while other dishes use it.
    r = cli({QStringLiteral("delete"), QStringLiteral("肉じゃが"), QStringLiteral("ナポリタン"), QStringLiteral("ご飯")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(lines(r.out), (QStringList{QStringLiteral("deleted ご飯"), QStringLiteral("deleted ナポリタン"),
                                         QStringLiteral("deleted 肉じゃが")}));
    const QStringList left = lines(cli({QStringLiteral("list")}).out);
    for (const char *gone : {"肉じゃが\t和食", "ナポリタン\t洋食", "ご飯\t和食"})
        EXPECT_FALSE(left.contains(QString::fromUtf8(gone))) << gone;
    EXPECT_TRUE(left.contains(QStringLiteral("カレーライス\t洋食")));
    EXPECT_EQ(cli({QStringLiteral("categories")}).out, QStringLiteral("中華\n洋食\n和食\n"));

    // The last dishes of 中華 take the category with them.
    QStringList chinese{QStringLiteral("delete")};
    for (const QString &line : lines(cli({QStringLiteral("list"), QStringLiteral("中華")}).out)) {
        if (line.endsWith(QStringLiteral("\t中華")))
            chinese.append(line.section(QLatin1Char('\t'), 0, 0));
    }
    ASSERT_GT(chinese.size(), 1);
    EXPECT_EQ(cli(chinese).exitCode, 0);
    EXPECT_EQ(cli({QStringLiteral("categories")}).out, QStringLiteral("洋食\n和食\n"));

    r = cli({QStringLiteral("delete"), QStringLiteral("ないもの")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no dish named ないもの")));

    const QList<QStringList> usageErrors = {
        {}, {QStringLiteral("bogus")}, {QStringLiteral("show")}, {QStringLiteral("delete")},
        {QStringLiteral("list"), QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("import")},
    };
    for (const QStringList &args : usageErrors)
        EXPECT_EQ(cli(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
}

TEST_F(ShippedDishes, ShowMarksAFoodGoneFromTheFoodTable)
{
    // しろさけ (food 1016) leaves the food table.
    QList<FoodRecord> kept;
    quenkit::DbfLayout layout;
    ASSERT_TRUE(quenkit::readDbfLayout(QStringLiteral("食品.FDB"), layout));
    for (int r = 0; r < layout.recordCount(); ++r) {
        QByteArray body;
        if (quenkit::ReadDBFRecord(QStringLiteral("食品.FDB"), r, body) == 1 && FoodRecord::numberOf(body) != 1016)
            kept.append(FoodRecord::fromBody(body));
    }
    ASSERT_EQ(kept.size(), layout.recordCount() - 1);
    ASSERT_TRUE(dishtest::writeFoods(folders, kept));

    const testsupport::CliResult r = cli({QStringLiteral("show"), QStringLiteral("焼き鮭")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(lines(r.out).contains(QStringLiteral(" 1016 (no longer in the food table)\t80.0 g"))) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("1 of the dish's foods are no longer in the food table")));

    QList<DishEntry> added;
    ASSERT_EQ(LoadDish(nullptr, QStringLiteral("焼き鮭"), 100, added), DishLoadResult::Loaded);
    for (const DishEntry &e : added)
        EXPECT_NE(e.food, 1016u);
    EXPECT_EQ(added.size(), findDish(QStringLiteral("焼き鮭"))->dish.entries.size() - 1);
}
