#include "ControlsTestSupport.h"

#include "quenkit/controls/Commands.h"
#include "quenkit/controls/Takku.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using quenkit::TAKKU;
using quenkit::TAKKUSUB;

const QString kScreens = QStringLiteral("ユーザー@献  立  @運  動  @体  重  @分  析  ");

QList<int> commands(const QSignalSpy &spy)
{
    QList<int> ids;
    for (const QList<QVariant> &signal : spy)
        ids.append(signal.at(0).toInt());
    return ids;
}

TEST(TAKKU, SplitsItsTextIntoOneTabPerCaption)
{
    struct Case {
        const char *text;
        QStringList captions;
    };
    const Case cases[] = {
        {"ユーザー@献  立  @運  動  @体  重  @分  析  ",
         {QStringLiteral("ユーザー"), QStringLiteral("献  立  "), QStringLiteral("運  動  "),
          QStringLiteral("体  重  "), QStringLiteral("分  析  ")}},
        {"一枚だけ", {QStringLiteral("一枚だけ")}},
        {"前@@後", {QStringLiteral("前"), QString(), QStringLiteral("後")}},
        {"", {QString()}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        TAKKU strip(QString::fromUtf8(c.text));
        ASSERT_EQ(strip.count(), c.captions.size());
        for (int i = 0; i < strip.count(); ++i) {
            EXPECT_EQ(strip.tab(i)->caption(), c.captions[i]);
            EXPECT_EQ(strip.tab(i)->id(), 1000 + i);
            EXPECT_EQ(strip.tab(i)->tabCount(), c.captions.size());
            EXPECT_EQ(strip.tab(i)->isSelected(), i == 0);
        }
    }
}

TEST(TAKKU, PlacesTheTabsAlongTheBottomUnderThePage)
{
    TAKKU strip(kScreens);
    QWidget page;
    strip.setPage(&page);
    strip.resize(700, 300);
    strip.show();
    for (int i = 0; i < strip.count(); ++i)
        EXPECT_EQ(strip.tab(i)->geometry(), QRect(124 * i, 300 - 33, 124, 33)) << "tab " << i;
    EXPECT_EQ(page.geometry(), strip.pageRect());
    EXPECT_LE(strip.pageRect().bottom(), 300 - 33);
    strip.setPage(nullptr);
}

// A shown strip, so the tabs can take the focus.
class TakkuKeys : public ::testing::Test
{
protected:
    TakkuKeys()
        : m_strip(kScreens)
        , m_commands(&m_strip, &TAKKU::command)
    {
        m_strip.resize(700, 200);
    }

    TAKKU m_strip;
    QSignalSpy m_commands;
};

TEST_F(TakkuKeys, LeftAndRightPickTheNeighbourWrappingAround)
{
    struct Case {
        int from;
        Qt::Key key;
        int to;
    };
    const Case cases[] = {
        {0, Qt::Key_Left, 4}, {4, Qt::Key_Right, 0}, {2, Qt::Key_Left, 1}, {2, Qt::Key_Right, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from);
        m_strip.select(c.from);
        m_commands.clear();
        QTest::keyClick(m_strip.tab(c.from), c.key);
        EXPECT_EQ(m_strip.currentIndex(), c.to);
        EXPECT_EQ(commands(m_commands), QList<int>{quenkit::kTabCommandBase + c.to});
    }
}

TEST_F(TakkuKeys, OtherKeysDoNothing)
{
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return, Qt::Key_A})
        QTest::keyClick(m_strip.tab(0), key);
    EXPECT_EQ(m_strip.currentIndex(), 0);
    EXPECT_TRUE(m_commands.isEmpty());
}

TEST_F(TakkuKeys, SelectingFromTheProgramReportsNothing)
{
    m_strip.select(3);
    EXPECT_EQ(m_strip.currentIndex(), 3);
    m_strip.select(3);
    m_strip.select(0);
    EXPECT_TRUE(m_commands.isEmpty());
}

TEST_F(TakkuKeys, AClickSelectsTheTabAndReportsItEvenWhenAlreadySelected)
{
    QTest::mouseClick(m_strip.tab(2), Qt::LeftButton);
    QTest::mouseClick(m_strip.tab(2), Qt::LeftButton);
    QTest::mouseClick(m_strip.tab(1), Qt::RightButton);
    EXPECT_EQ(commands(m_commands), (QList<int>{1026, 1026}));
    int selected = 0;
    for (int i = 0; i < m_strip.count(); ++i)
        selected += m_strip.tab(i)->isSelected() ? 1 : 0;
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(m_strip.currentIndex(), 2);
}

}  // namespace
