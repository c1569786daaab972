#include "dalmain/master/DishSearch.h"
#include "quenkit/registry/SettingsStore.h"

#include "DishTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

class DishSearch : public dishtest::DishFolder
{
protected:
    void SetUp() override
    {
        DishFolder::SetUp();
        const struct {
            const char *name;
            const char *category;
            const char *keywords[3];
        } dishes[] = {
            {"カレーライス", "洋食", {"カレー", "ライス", ""}},
            {"ｶﾚｰうどん", "和食", {"うどん", "", ""}},
            {"麻婆豆腐", "中華", {"", "とうふ", ""}},
            {"焼き魚定食", "和食", {"", "", "定食"}},
        };
        for (const auto &d : dishes) {
            DishForm f = dishtest::form(d.name, d.category, "");
            for (int k = 0; k < 3; ++k)
                f.keywords[k] = QString::fromUtf8(d.keywords[k]);
            ASSERT_EQ(SaveDish(nullptr, f, {}).result, DishSaveResult::Added) << d.name;
        }
    }

    static QStringList found(const char *text)
    {
        bool ok = false;
        QStringList names;
        for (const DishListEntry &e : SearchDishes(nullptr, QString::fromUtf8(text), &ok))
            names.append(e.name + QLatin1Char('/') + e.category);
        EXPECT_TRUE(ok) << text;
        return names;
    }
};

}  // namespace

TEST_F(DishSearch, FindsByNameCategoryAndKeywordInAnyKanaSpelling)
{
    const struct {
        const char *text;
        QStringList names;
    } cases[] = {
        // In the table's order: ascending Shift-JIS bytes of the names.
        {"", {"カレーライス/洋食", "焼き魚定食/和食", "麻婆豆腐/中華", "ｶﾚｰうどん/和食"}},
        {"カレー", {"カレーライス/洋食", "ｶﾚｰうどん/和食"}},   // the half-width name too
        {"かれー", {"カレーライス/洋食", "ｶﾚｰうどん/和食"}},   // through its half-width form
        {"和食", {"焼き魚定食/和食", "ｶﾚｰうどん/和食"}},
        {"とうふ", {"麻婆豆腐/中華"}},                           // second keyword
        {"定食", {"焼き魚定食/和食"}},
        {"ラーメン", {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(found(c.text), c.names) << c.text;
    }
}

TEST_F(DishSearch, MissingTableShowsNothing)
{
    QFile::remove(folders.dataFile(kDishTable));
    bool ok = true;
    EXPECT_TRUE(SearchDishes(nullptr, QString(), &ok).isEmpty());
    EXPECT_FALSE(ok);
}

TEST(DishSearchMode, StartsAtOneAndIsKept)
{
    testsupport::TempFolders folders;
    EXPECT_EQ(dishSearchMode(), 1);
    setDishSearchMode(0);
    EXPECT_EQ(dishSearchMode(), 0);
    EXPECT_EQ(quenkit::GetRegistryInt(QStringLiteral("Dalmora Menu"), QStringLiteral("COOK_SEARCH_FLG"), 7), 0);
}
