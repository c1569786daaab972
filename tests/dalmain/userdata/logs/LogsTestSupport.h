#pragma once

// A data folder with user 1's empty logs and a small exercise item table.

#include "dalmain/master/ExerciseItem.h"
#include "dalmain/userdata/UserLogTemplates.h"
#include "dalmain/userdata/UserStore.h"

#include "quenkit/dbf/Dbf.h"
#include "quenkit/text/ShiftJis.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace logstest {

constexpr unsigned kUser = 1;

inline dalmain::ExerciseItem makeItem(unsigned number, const char16_t *name, double af)
{
    dalmain::ExerciseItem item;
    item.number = number;
    item.name = quenkit::toSjis(name);
    item.af = af;
    item.afText = dalmain::afFieldText(af);
    return item;
}

// 1 睡眠 (999.9), 2 歩く (4.0), 3 家事 (Af 0: energy entered by hand), 4 テニス (7.3).
inline QList<dalmain::ExerciseItem> sampleItems()
{
    return {makeItem(1, u"睡眠", 999.9), makeItem(2, u"歩く", 4.0), makeItem(3, u"家事", 0.0), makeItem(4, u"テニス", 7.3)};
}

class LogsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(quenkit::createDbfTable(dalmain::exerciseLogName(kUser), dalmain::exerciseLogFields()), 1);
        ASSERT_EQ(quenkit::createDbfTable(dalmain::weightLogName(kUser), dalmain::weightLogFields()), 1);
        ASSERT_EQ(quenkit::createDbfTable(dalmain::kExerciseItemTable, dalmain::exerciseItemFields()), 1);
        for (const dalmain::ExerciseItem &item : sampleItems())
            ASSERT_EQ(quenkit::WriteDBFRecord(nullptr, dalmain::kExerciseItemTable, dalmain::encodeExerciseItem(item),
                                              dalmain::exerciseItemNumberField(), quenkit::WriteNewOnly),
                      1);
    }

    int recordCount(const QString &table) const
    {
        quenkit::DbfLayout layout;
        return quenkit::readDbfLayout(table, layout) ? layout.recordCount() : -1;
    }

    testsupport::TempFolders folders;
};

}  // namespace logstest
