#include "ControlsTestSupport.h"

#include "quenkit/controls/InputControls.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

using quenkit::Button2;
using quenkit::ComboBox2;
using quenkit::StrEdit;

TEST(StrEdit, RefusesWhatShiftJisCannotStoreOrWhatOverflowsTheField)
{
    struct Case {
        const char *what;
        int byteLimit;
        const char *typed;
        const char *expected;
    };
    const Case cases[] = {
        {"kana and kanji are two bytes each", 6, "あいうえ", "あいう"},
        {"half-width kana is one byte", 4, "ｱｲｳｴｵ", "ｱｲｳｴ"},
        {"mixed widths", 5, "A食品B", "A食品"},
        {"no limit", 0, "ほうれんそう（ゆで）", "ほうれんそう（ゆで）"},
        {"characters without a Shift-JIS code are refused", 0, "鮭😀é鯖", "鮭鯖"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        StrEdit edit;
        edit.setByteLimit(c.byteLimit);
        controlstest::typeText(&edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.text().toStdString(), c.expected);
    }
}

TEST(StrEdit, ForwardsEveryKeyAndKeepsUpAndDownFromTheField)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new StrEdit;
    layout->addWidget(edit);
    QSignalSpy forwarded(edit, &StrEdit::keyForwarded);
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QTest::keyClick(edit, Qt::Key_Up);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_X);

    QList<int> keys;
    for (const QList<QVariant> &signal : forwarded)
        keys.append(signal.at(0).toInt());
    EXPECT_EQ(keys, (QList<int>{Qt::Key_A, Qt::Key_B, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_X}));
    EXPECT_EQ(edit->text(), QStringLiteral("axb")) << "Left moved the caret as usual";
}

TEST(StrEdit, GainingTheFocusSelectsTheWholeText)
{
    for (bool passFocus : {true, false}) {
        SCOPED_TRACE(passFocus ? "pass focus on" : "pass focus off");
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new StrEdit;
        auto *edit = new StrEdit;
        layout->addWidget(first);
        layout->addWidget(edit);
        edit->setPassFocus(passFocus);
        edit->setText(QStringLiteral("鶏むね肉"));
        edit->deselect();
        ASSERT_TRUE(controlstest::showActive(&window));
        first->setFocus();
        edit->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(edit->selectedText(), QStringLiteral("鶏むね肉"));
    }
}

TEST(Button2, ArrowKeysGoToTheParentInsteadOfMovingTheFocus)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *first = new Button2(QStringLiteral("登録"));
    auto *second = new Button2(QStringLiteral("取消"));
    layout->addWidget(first);
    layout->addWidget(second);
    ASSERT_TRUE(controlstest::showActive(&window));
    first->setFocus();
    QSignalSpy forwarded(first, &Button2::keyForwarded);
    QSignalSpy clicked(first, &Button2::clicked);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
        QTest::keyClick(first, key);
        EXPECT_TRUE(first->hasFocus());
    }
    QTest::keyClick(first, Qt::Key_Space);
    EXPECT_EQ(forwarded.count(), 5);
    EXPECT_EQ(clicked.count(), 1) << "other keys are still handled by the button";
}

TEST(ComboBox2, UpAndDownBelongToTheParentLeftAndRightStepTheChoice)
{
    ComboBox2 combo;
    combo.addItems({QStringLiteral("朝食"), QStringLiteral("昼食"), QStringLiteral("夕食"), QStringLiteral("間食")});
    combo.setCurrentIndex(1);
    QSignalSpy forwarded(&combo, &ComboBox2::keyForwarded);
    struct Step {
        Qt::Key key;
        int index;
    };
    const Step steps[] = {
        {Qt::Key_Down, 1}, {Qt::Key_Up, 1},    {Qt::Key_Right, 2}, {Qt::Key_Right, 3},
        {Qt::Key_Right, 3}, {Qt::Key_Left, 2}, {Qt::Key_Down, 2},
    };
    for (const Step &step : steps) {
        QTest::keyClick(&combo, step.key);
        EXPECT_EQ(combo.currentIndex(), step.index) << QKeySequence(step.key).toString().toStdString();
    }
    EXPECT_EQ(forwarded.count(), 7);
}

}  // namespace
