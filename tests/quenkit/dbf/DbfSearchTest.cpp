// Searches over named fields: key matching, kana folding, ranges, the numeric condition.

#include "quenkit/dbf/Dbf.h"
#include "quenkit/owner/ScriptedOwner.h"

#include "DbfTestTables.h"

#include <vector>

using namespace quenkit;
using namespace dbftest;

namespace {

const QList<Field> kFields = {
    {sjis("名前"), 'C', 12},
    {sjis("よみ"), 'C', 10},
    {sjis("日付"), 'C', 8},
    {sjis("量"), 'N', 6},
};

// Record numbers follow the list.
const QList<QByteArray> kRecords = {
    record(kFields, {"ABCxyz", "", "20130331", "  12.5"}),                   // 0
    record(kFields, {"xyABCz", "", "20130401", "3"}),                        // 1
    record(kFields, {"xyzABC", "", "20130415", "abc"}),                      // 2
    record(kFields, {sjis("ｶﾚｰ"), sjis("ｶﾚｰ"), "20130430", " 100"}),         // 3
    record(kFields, {sjis("カレー"), sjis("かれー"), "20130501", "100.0"}),   // 4
    record(kFields, {sjis("牛肉カレー"), "", "20130412", "-2"}),             // 5
    record(kFields, {"ABC deleted", "", "20130410", "12.5"}, '*'),           // 6
    record(kFields, {sjis("アイス"), sjis("ｱｲｽ"), "20120401", ""}),           // 7
    record(kFields, {sjis("ｳﾞｨﾝﾅｰ"), "", "", "+7"}),                         // 8
    record(kFields, {sjis("ヴィンナー"), "", "", "7abc"}),                   // 9
    record(kFields, {"0123456789AB", "C"}),                                 // 10: ABC across two fields
};

class DbfSearch : public TableTest
{
protected:
    void SetUp() override { put(QStringLiteral("T.DBF"), tableImage(kFields, kRecords)); }
};

}  // namespace

TEST_F(DbfSearch, FindsLiveRecordsInFileOrder)
{
    const struct {
        const char *what;
        const char *fields;
        const char *low;
        const char *high;
        QList<int> found;
    } cases[] = {
        {"two empty keys: every live record", "名前", "", "", {0, 1, 2, 3, 4, 5, 7, 8, 9, 10}},
        {"contained at start, middle and end", "名前", "ABC", "ABC", {0, 1, 2}},
        {"half-width field by katakana", "名前", "カレー", "カレー", {3, 4, 5}},
        {"half-width field by hiragana", "名前", "かれー", "かれー", {3, 4, 5}},
        {"full-width field by half-width key", "名前", "ｶﾚｰ", "ｶﾚｰ", {3, 4, 5}},
        {"kanji key: only the raw comparison", "名前", "牛肉", "牛肉", {5}},
        {"a month of dates", "日付", "20130401", "20130430", {1, 2, 3, 5}},
        {"open lower bound", "日付", "", "20130331", {0, 7, 8, 9, 10}},
        {"open upper bound", "日付", "20130430", "", {3, 4}},
        {"each record once over several fields", "名前@よみ", "かれー", "かれー", {3, 4, 5}},
        {"the second field finds", "よみ@日付", "ｱｲｽ", "ｱｲｽ", {7}},
        {"no match", "名前", "ZZZ", "ZZZ", {}},
        {"a letter is not found inside a double-byte character", "名前", "A", "A", {0, 1, 2, 10}},
        {"not across two fields", "名前@よみ", "ABC", "ABC", {0, 1, 2}},
        {"nor across two records", "日付@量", "12.5 xy", "12.5 xy", {}},
        {"a range compares prefixes", "名前", "x", "xz", {1, 2}},
        {"voiced katakana folds both ways", "名前", "ヴィン", "ヴィン", {8, 9}},
        {"half-width voiced key", "名前", "ｳﾞｨﾝ", "ｳﾞｨﾝ", {8, 9}},
    };
    for (const auto &c : cases) {
        QList<int> found = {99};   // the result starts empty
        const int n = SearchDBFRecord(nullptr, found, QStringLiteral("T.DBF"), sjis(c.fields), sjis(c.low), sjis(c.high));
        EXPECT_EQ(n, c.found.size()) << c.what;
        // Compared element by element: QList's == hands an empty list's null data to memcmp,
        // which the undefined-behaviour sanitizer rejects.
        EXPECT_EQ(std::vector<int>(found.begin(), found.end()), std::vector<int>(c.found.begin(), c.found.end()))
            << c.what;
    }
}

TEST_F(DbfSearch, NumericConditionOfTheFoodSearch)
{
    // Field 量: 12.5, 3, abc (0), 100, 100.0, -2, deleted, blank (0), +7, 7abc (7), blank.
    const struct {
        double threshold;
        int comparison;
        QList<int> found;
    } cases[] = {
        {12.5, NumberAtLeast, {0, 3, 4}},
        {3, NumberAtMost, {1, 2, 5, 7, 10}},
        {100, NumberEqual, {3, 4}},
        {7, NumberEqual, {8, 9}},
        {0, NumberEqual, {2, 7, 10}},
        {0, NumberNever, {}},
        {0, 4, {}},
        {0, -1, {}},
    };
    for (const auto &c : cases) {
        QList<int> found;
        const int n = SearchFoodDbfRecord(nullptr, found, QStringLiteral("T.DBF"), sjis("名前"), "", "", sjis("量"),
                                          c.threshold, c.comparison);
        EXPECT_EQ(found, c.found) << c.threshold << " " << c.comparison;
        EXPECT_EQ(n, c.found.size());
    }
    // The name condition and the number condition must both hold.
    QList<int> found;
    EXPECT_EQ(SearchFoodDbfRecord(nullptr, found, QStringLiteral("T.DBF"), sjis("名前"), "ABC", "ABC", sjis("量"), 10,
                                  NumberAtLeast),
              1);
    EXPECT_EQ(found, QList<int>{0});
}

TEST_F(DbfSearch, FailuresAndTheBusyIndicator)
{
    ScriptedOwner owner;
    QList<int> found;
    EXPECT_EQ(SearchDBFRecord(&owner, found, QStringLiteral("T.DBF"), sjis("名前"), "ABC", "ABC"), 3);
    EXPECT_EQ(owner.busyCount(), 1);
    EXPECT_EQ(owner.busyDepth(), 0);
    EXPECT_TRUE(owner.messages().isEmpty());

    EXPECT_EQ(SearchDBFRecord(&owner, found, QStringLiteral("missing.DBF"), sjis("名前"), "", ""), -1);
    EXPECT_EQ(SearchDBFRecord(&owner, found, QStringLiteral("T.DBF"), sjis("名前@なまえ"), "", ""), -1);
    EXPECT_EQ(SearchFoodDbfRecord(&owner, found, QStringLiteral("T.DBF"), sjis("名前"), "", "", "KCAL", 1, 1), -1);
    EXPECT_EQ(owner.texts(), QStringList(2, QStringLiteral("指定されたフィールド名が一致しませんでした")));
    EXPECT_EQ(owner.busyCount(), 4);
    EXPECT_EQ(owner.busyDepth(), 0);
}

TEST_F(DbfSearch, ResultsAreNotLimitedTo50000)
{
    const QList<Field> fields = {{"K", 'C', 1}};
    QByteArray table = headerImage(fields, 60000);
    for (int i = 0; i < 60000; ++i)
        table.append(i % 3 ? " a" : " b");
    table.append('\x1A');
    put(QStringLiteral("BIG.DBF"), table);
    QList<int> found;
    EXPECT_EQ(SearchDBFRecord(nullptr, found, QStringLiteral("BIG.DBF"), "K", "a", "a"), 40000);
    EXPECT_EQ(SearchDBFRecord(nullptr, found, QStringLiteral("BIG.DBF"), "K", "", ""), 60000);
    ASSERT_EQ(found.size(), 60000);
    EXPECT_EQ(found.last(), 59999);
}

TEST(DbfKeyMatcher, FieldMatch)
{
    const struct {
        const char *low;
        const char *high;
        const char *field;
        bool match;
    } cases[] = {
        {"", "", "", true},
        {"ABC", "ABC", "ABC", true},
        {"ABC", "ABC", "AB", false},
        {"ABC", "ABC", "ＡＢＣ", true},       // the key's full-width form
        {"ＡＢＣ", "ＡＢＣ", "ABC", false},   // but not the other way round
        {"ABD", "ABC", "ABC", false},         // low above high
        {"AB", "AC", "ABZZ", true},
        {"AB", "AC", "ACA", true},            // high compares the first two bytes only
        {"AB", "AC", "AD", false},
        {"ABC", "ABD", "AB", false},          // a field shorter than low is below it
    };
    for (const auto &c : cases) {
        const DbfKeyMatcher matcher(sjis(c.low), sjis(c.high));
        EXPECT_EQ(matcher.matches(sjis(c.field)), c.match) << c.low << " " << c.high << " " << c.field;
    }
}

TEST(DbfFieldNumber, ReadsLikeDecimalText)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"  12.5", 12.5}, {"3", 3}, {"abc", 0}, {"", 0}, {"   ", 0}, {"-2", -2}, {"+7", 7},
        {"7abc", 7}, {"1e2", 100}, {" .5", 0.5}, {"+-1", 0}, {"1,5", 1},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(fieldNumber(c.text), c.value) << c.text;
}
