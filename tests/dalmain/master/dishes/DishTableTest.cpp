#include "dalmain/master/DishTable.h"
#include "quenkit/files/FileLock.h"
#include "quenkit/owner/ScriptedOwner.h"

#include "DishTestSupport.h"

#include <QFile>

#include <future>
#include <thread>

#include <gtest/gtest.h>

using namespace dalmain;
using dishtest::DishFolder;
using dishtest::dishNames;
using dishtest::form;
using dishtest::gridDish;
using dishtest::sjis;

namespace {

QStringList utf8List(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *i : items)
        list.append(QString::fromUtf8(i));
    return list;
}

}  // namespace

class DishSave : public DishFolder
{
};

TEST_F(DishSave, ChecksRefuseWithTheirMessageAndWriteNothing)
{
    save("既存", "和食");
    const QByteArray dishes = tableBytes();
    const QByteArray categories = categoryBytes();

    DishForm noKeywords = form("カレー", "洋食");
    noKeywords.keywords = {};
    DishForm blankKeywords = form("カレー", "洋食");
    blankKeywords.keywords = {QStringLiteral(" "), QString(), QStringLiteral("　")};
    const struct {
        const char *what;
        DishForm form;
        QList<DishEntry> entries;
        DishField focus;
        const char *message;
    } cases[] = {
        {"no name", form("", "洋食"), {}, DishField::Name, "料理名を入力してください。"},
        {"blank name", form(" 　", "洋食"), {}, DishField::Name, "料理名を入力してください。"},
        {"no name and no category", form("", ""), {}, DishField::Name, "料理名を入力してください。"},
        {"no category", form("カレー", ""), {}, DishField::Category, "料理分類を入力してください。"},
        {"no keyword", noKeywords, {}, DishField::Keywords, "キーワードを入力してください。"},
        {"blank keywords", blankKeywords, {}, DishField::Keywords, "キーワードを入力してください。"},
        {"a food of 1000 g", form("カレー", "洋食"), gridDish("カレー", {{1, 100}, {2, 10000}}), DishField::Entries,
         "食品の分量が999.9g以内に収まりません。"},
    };
    for (const auto &c : cases) {
        quenkit::ScriptedOwner owner;
        const DishSaveOutcome outcome = SaveDish(&owner, c.form, c.entries);
        EXPECT_EQ(outcome.result, DishSaveResult::Refused) << c.what;
        EXPECT_EQ(outcome.focus, c.focus) << c.what;
        ASSERT_EQ(owner.messages().size(), 1) << c.what;
        const quenkit::Message &m = owner.messages().first();
        EXPECT_EQ(m.caption, QStringLiteral("料理登録")) << c.what;
        EXPECT_EQ(m.text, QString::fromUtf8(c.message)) << c.what;
        EXPECT_EQ(m.buttons, quenkit::Buttons::Ok) << c.what;
        EXPECT_EQ(m.icon, quenkit::Icon::Information) << c.what;
        EXPECT_EQ(tableBytes(), dishes) << c.what;
        EXPECT_EQ(categoryBytes(), categories) << c.what;
    }
}

TEST_F(DishSave, NewDishIsConfirmedAndNoLeavesBothTables)
{
    const QByteArray dishes = tableBytes();
    const QByteArray categories = categoryBytes();
    quenkit::ScriptedOwner owner;
    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_EQ(SaveDish(&owner, form("カレー", "洋食"), gridDish("カレー", {{1, 2000}})).result, DishSaveResult::Declined);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("新規登録の確認"));
    // The question names the key field's text with its padding, as the table stores it.
    EXPECT_EQ(owner.messages()[0].text,
              QStringLiteral("カレー") + QString(34, QLatin1Char(' ')) + QStringLiteral("\nを新規登録します。\n\nよろしいですか？"));
    EXPECT_EQ(tableBytes(), dishes);
    EXPECT_EQ(categoryBytes(), categories);

    owner.clear();
    owner.queueAnswer(quenkit::Answer::Yes);
    const DishSaveOutcome outcome = SaveDish(&owner, form("カレー", "洋食"), gridDish("カレー", {{1, 2000}}));
    EXPECT_EQ(outcome.result, DishSaveResult::Added);
    EXPECT_TRUE(outcome.categoriesUpdated);
    EXPECT_EQ(dishNames(), QStringList{QStringLiteral("カレー")});
    EXPECT_EQ(dishCategories(), QStringList{QStringLiteral("洋食")});
    const std::optional<StoredDish> stored = findDish(QStringLiteral("カレー"));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->dish.entries, gridDish("カレー", {{1, 2000}}));
}

TEST_F(DishSave, OverwriteAsksAndReplacesInPlace)
{
    save("あ", "和食", gridDish("あ", {{1, 10}}));
    save("い", "洋食", gridDish("い", {{2, 20}}));
    const QByteArray before = tableBytes();

    quenkit::ScriptedOwner owner;
    owner.queueAnswer(quenkit::Answer::No);
    EXPECT_EQ(SaveDish(&owner, form("あ", "中華"), gridDish("あ", {{3, 30}})).result, DishSaveResult::Declined);
    EXPECT_EQ(tableBytes(), before);
    EXPECT_EQ(dishCategories(), utf8List({"洋食", "和食"}));

    owner.clear();
    owner.queueAnswer(quenkit::Answer::Yes);
    const DishSaveOutcome outcome = SaveDish(&owner, form("あ", "中華"), gridDish("あ", {{3, 30}}));
    EXPECT_EQ(outcome.result, DishSaveResult::Overwritten);
    ASSERT_EQ(owner.messages().size(), 1);
    EXPECT_EQ(owner.messages()[0].caption, QStringLiteral("上書き登録の確認"));
    EXPECT_EQ(owner.messages()[0].text, QStringLiteral("同じ料理名があります。\n\n上書きしてもよろしいですか？"));
    EXPECT_EQ(tableBytes().size(), before.size());
    const QList<StoredDish> dishes = readDishes();
    ASSERT_EQ(dishes.size(), 2);
    EXPECT_EQ(dishes[0].dish.name, sjis("あ"));
    EXPECT_EQ(dishes[0].dish.category, sjis("中華"));
    EXPECT_EQ(dishes[0].dish.entries, gridDish("あ", {{3, 30}}));
    // 和食 was the former category of あ only.
    EXPECT_EQ(dishCategories(), utf8List({"中華", "洋食"}));
}

TEST_F(DishSave, CategoryListFollowsTheDishes)
{
    const struct {
        const char *what;
        QList<QPair<const char *, const char *>> existing;   // name, category
        const char *name;
        const char *category;
        QStringList categories;
    } cases[] = {
        {"a new category is added", {{"あ", "和食"}}, "い", "洋食", utf8List({"洋食", "和食"})},
        {"a former category another dish uses stays", {{"あ", "和食"}, {"う", "和食"}}, "あ", "洋食", utf8List({"洋食", "和食"})},
        {"a former category no dish uses goes", {{"あ", "和食"}, {"う", "中華"}}, "あ", "洋食", utf8List({"中華", "洋食"})},
        {"the same category stays", {{"あ", "和食"}}, "あ", "和食", utf8List({"和食"})},
        {"a category of the user's own", {}, "あ", "麺類", utf8List({"麺類"})},
    };
    for (const auto &c : cases) {
        testsupport::TempFolders fresh;
        ASSERT_TRUE(ensureDishTables());
        for (const auto &[name, category] : c.existing)
            ASSERT_EQ(SaveDish(nullptr, form(name, category), {}).result, DishSaveResult::Added) << c.what;
        const DishSaveOutcome outcome = SaveDish(nullptr, form(c.name, c.category), {});
        EXPECT_TRUE(outcome.result == DishSaveResult::Added || outcome.result == DishSaveResult::Overwritten) << c.what;
        EXPECT_TRUE(outcome.categoriesUpdated) << c.what;
        EXPECT_EQ(dishCategories(), c.categories) << c.what;
    }
}

TEST_F(DishSave, FailsWithoutItsTable)
{
    QFile::remove(folders.dataFile(kDishTable));
    EXPECT_EQ(SaveDish(nullptr, form("あ", "和食"), {}).result, DishSaveResult::Failed);
    bool ok = true;
    EXPECT_TRUE(readDishes(&ok).isEmpty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(dishCategories().isEmpty());
}

class DishDelete : public DishFolder
{
protected:
    void SetUp() override
    {
        DishFolder::SetUp();
        // Records 0-4 in key order.
        save("あ", "和食", gridDish("あ", {{1, 10}}));
        save("い", "洋食", gridDish("い", {{2, 20}}));
        save("う", "和食", gridDish("う", {{3, 30}}));
        save("え", "中華", gridDish("え", {{4, 40}}));
        save("お", "洋食", gridDish("お", {{5, 50}}));
    }
};

TEST_F(DishDelete, AsksFirstAndNoChangesNothing)
{
    const QByteArray dishes = tableBytes();
    const QByteArray categories = categoryBytes();
    quenkit::ScriptedOwner owner;   // answers with the preselected button
    const DishDeleteOutcome outcome = DeleteDish(&owner, utf8List({"い"}));
    EXPECT_EQ(outcome.result, DishDeleteResult::Declined);
    ASSERT_EQ(owner.messages().size(), 1);
    const quenkit::Message &m = owner.messages()[0];
    EXPECT_EQ(m.caption, QStringLiteral("削除の確認"));
    EXPECT_EQ(m.text, QStringLiteral("選択された料理を削除します。よろしいですか？"));
    EXPECT_EQ(m.buttons, quenkit::Buttons::YesNo);
    EXPECT_EQ(m.defaultAnswer, quenkit::Answer::No);
    EXPECT_EQ(m.icon, quenkit::Icon::Information);
    EXPECT_EQ(tableBytes(), dishes);
    EXPECT_EQ(categoryBytes(), categories);
}

TEST_F(DishDelete, DeletesExactlyTheChosenDishesInAnyOrder)
{
    // Chosen out of record order (4, 1, 3): lowering record numbers by the count already
    // removed would take あ and い instead of い and え.
    const struct {
        QStringList chosen;
        QStringList remaining;
        QStringList categories;
    } cases[] = {
        {utf8List({"お", "い", "え"}), utf8List({"あ", "う"}), utf8List({"和食"})},
        {utf8List({"う", "あ"}), utf8List({"い", "え", "お"}), utf8List({"中華", "洋食"})},
        {utf8List({"お"}), utf8List({"あ", "い", "う", "え"}), utf8List({"中華", "洋食", "和食"})},
        {utf8List({"え", "あ", "お", "う", "い"}), {}, {}},
    };
    for (const auto &c : cases) {
        SetUp();   // puts the five dishes (and their categories) back
        const QList<StoredDish> before = readDishes();
        quenkit::ScriptedOwner owner;
        owner.queueAnswer(quenkit::Answer::Yes);
        const DishDeleteOutcome outcome = DeleteDish(&owner, c.chosen);
        const std::string what = c.chosen.join(QLatin1Char(',')).toStdString();
        EXPECT_EQ(outcome.result, DishDeleteResult::Deleted) << what;
        EXPECT_TRUE(outcome.categoriesUpdated) << what;
        EXPECT_TRUE(outcome.notFound.isEmpty()) << what;
        EXPECT_EQ(outcome.deleted.size(), c.chosen.size()) << what;
        EXPECT_EQ(dishNames(), c.remaining) << what;
        EXPECT_EQ(dishCategories(), c.categories) << what;
        // The dishes that stay are the records they were.
        for (const StoredDish &d : readDishes()) {
            const auto same = std::find_if(before.cbegin(), before.cend(),
                                           [&d](const StoredDish &b) { return b.dish.name == d.dish.name; });
            ASSERT_NE(same, before.cend()) << what;
            EXPECT_EQ(d.dish, same->dish) << what;
        }
    }
}

TEST_F(DishDelete, NamesWithoutADishAreReported)
{
    const DishDeleteOutcome outcome = DeleteDish(nullptr, utf8List({"ない", "い"}));
    EXPECT_EQ(outcome.result, DishDeleteResult::Deleted);
    EXPECT_EQ(outcome.deleted, utf8List({"い"}));
    EXPECT_EQ(outcome.notFound, utf8List({"ない"}));
    EXPECT_EQ(dishNames(), utf8List({"あ", "う", "え", "お"}));

    const QByteArray dishes = tableBytes();
    const DishDeleteOutcome none = DeleteDish(nullptr, utf8List({"ない"}));
    EXPECT_EQ(none.result, DishDeleteResult::Deleted);
    EXPECT_TRUE(none.deleted.isEmpty());
    EXPECT_EQ(tableBytes(), dishes);
}

// Another writer holds the dish table: saving and deleting wait, then fail without writing.
TEST_F(DishDelete, BusyTableFailsAndChangesNothing)
{
    const QByteArray dishes = tableBytes();
    const QByteArray categories = categoryBytes();
    std::promise<void> locked;
    std::promise<void> done;
    std::thread holder([&] {
        const quenkit::FileLock lock = quenkit::lockDataFile(kDishTable);
        locked.set_value();
        done.get_future().wait();
    });
    locked.get_future().wait();
    const int timeout = quenkit::fileLockTimeout();
    quenkit::setFileLockTimeout(200);

    EXPECT_EQ(DeleteDish(nullptr, utf8List({"い"})).result, DishDeleteResult::Failed);
    EXPECT_EQ(SaveDish(nullptr, form("か", "麺類"), {}).result, DishSaveResult::Failed);
    EXPECT_EQ(SaveDish(nullptr, form("あ", "麺類"), {}).result, DishSaveResult::Failed);

    quenkit::setFileLockTimeout(timeout);
    done.set_value();
    holder.join();
    EXPECT_EQ(tableBytes(), dishes);
    EXPECT_EQ(categoryBytes(), categories);
}
