#include "dalmain/master/BasalMetabolism.h"
#include "dalmain/master/ExerciseItem.h"
#include "dalmain/master/ExerciseItemNumber.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace dalmain;

namespace {

class ItemTable : public ::testing::Test
{
protected:
    void write(const QList<std::pair<unsigned, const char16_t *>> &items)
    {
        ASSERT_EQ(quenkit::createDbfTable(kExerciseItemTable, exerciseItemFields()), 1);
        for (const auto &[number, name] : items) {
            ExerciseItem item;
            item.number = number;
            item.name = quenkit::toSjis(name);
            item.af = 3.5;
            ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, kExerciseItemTable, encodeExerciseItem(item),
                                              exerciseItemNumberField(), quenkit::WriteNewOnly),
                      1);
        }
    }

    testsupport::TempFolders folders;
};

TEST_F(ItemTable, RecordLayoutIsNumberNameAndAfAsText)
{
    ExerciseItem item;
    item.number = 42;
    item.name = quenkit::toSjis(u"テニス");
    item.af = 7.3;
    const QByteArray body = encodeExerciseItem(item);
    ASSERT_EQ(body.size(), exerciseitem::BodyLength);
    EXPECT_EQ(body.first(5), "   42");
    EXPECT_EQ(body.mid(5, 6), quenkit::toSjis(u"テニス"));
    EXPECT_EQ(body.mid(11, 54), QByteArray(54, ' '));
    EXPECT_EQ(body.right(5), "  7.3");
    const ExerciseItem back = decodeExerciseItem(body);
    EXPECT_EQ(back.number, 42u);
    EXPECT_EQ(back.name, item.name);
    EXPECT_DOUBLE_EQ(back.af, 7.3);
    EXPECT_EQ(back.afText, "  7.3");
}

TEST_F(ItemTable, NextNumberFillsTheFirstGap)
{
    struct Case {
        QList<std::pair<unsigned, const char16_t *>> items;
        unsigned next;
    };
    const Case cases[] = {
        {{{1, u"a"}, {2, u"b"}, {4, u"d"}}, 3},
        {{{1, u"a"}, {2, u"b"}, {3, u"c"}}, 4},
        {{{2, u"b"}, {3, u"c"}}, 1},
        {{}, 1},
    };
    for (const Case &c : cases) {
        write(c.items);
        EXPECT_EQ(NextItemNumber(), c.next);
    }
}

TEST_F(ItemTable, FindsByTheWholeNumberAndSearchesNames)
{
    write({{3, u"歩く（普通）"}, {13, u"走る"}, {30, u"歩く（速く）"}});
    ASSERT_TRUE(findExerciseItem(3));
    EXPECT_EQ(findExerciseItem(3)->displayName(), QStringLiteral("歩く（普通）"));
    EXPECT_EQ(findExerciseItem(13)->displayName(), QStringLiteral("走る"));
    EXPECT_FALSE(findExerciseItem(1));
    EXPECT_FALSE(findExerciseItem(kBasalEntryItem));
    EXPECT_EQ(searchExerciseItems(QStringLiteral("歩く")).size(), 2);
    EXPECT_EQ(readExerciseItems().size(), 3);
}

TEST_F(ItemTable, MissingTablesGiveNothingAndZeros)
{
    EXPECT_TRUE(readExerciseItems().isEmpty());
    EXPECT_EQ(NextItemNumber(), 1u);
    BasalStandardTable table{};
    table[3].standard = 5.0;
    LoadBasalStandardTable(table);
    EXPECT_EQ(table[3].standard, 5.0);  // kept as it was
    EXPECT_EQ(table[0].standard, 0.0);
}

}  // namespace
