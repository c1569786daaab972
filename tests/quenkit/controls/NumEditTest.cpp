#include "ControlsTestSupport.h"

#include "quenkit/controls/NumEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

using quenkit::NumEdit;

// Types keys one by one; "\b" is Backspace.
void typeKeys(QWidget *widget, const char *keys)
{
    for (const char *k = keys; *k; ++k) {
        if (*k == '\b')
            QTest::keyClick(widget, Qt::Key_Backspace);
        else
            QTest::keyClick(widget, *k);
    }
}

struct TypingCase {
    const char *what;
    int integerDigits;
    int decimalDigits;
    const char *keys;
    const char *expected;
};

TEST(NumEdit, FiltersTypedCharactersAgainstTheDigitLimits)
{
    const TypingCase cases[] = {
        {"the largest value fits", 3, 1, "999.9", "999.9"},
        {"a fourth integer digit is refused", 3, 1, "9999", "999"},
        {"a second decimal digit is refused", 3, 1, "99.99", "99.9"},
        {"a first point reads 0.", 3, 1, ".", "0."},
        {"a lone zero gives way to the next digit", 3, 1, "05", "5"},
        {"zeros do not pile up", 3, 1, "000", "0"},
        {"zero point is kept", 3, 1, "0.5", "0.5"},
        {"a second point is refused", 3, 1, "1..2", "1.2"},
        {"no decimals: the point is refused", 4, 0, "12.5", "125"},
        {"letters, signs and blanks are refused", 3, 1, "a-1 +e2", "12"},
        {"backspace takes the last character back", 3, 1, "12\b3", "13"},
        {"after backspace the integer part has room again", 2, 1, "12\b\b345", "34"},
        {"no limits set: nothing is accepted", 0, 0, "12", ""},
    };
    for (const TypingCase &c : cases) {
        SCOPED_TRACE(c.what);
        NumEdit edit(c.integerDigits, c.decimalDigits);
        typeKeys(&edit, c.keys);
        EXPECT_EQ(edit.text().toStdString(), c.expected);
    }
}

TEST(NumEdit, SetFilteredTextCutsWhereTheValueBreaksTheLimits)
{
    const TypingCase cases[] = {
        {"too many digits on both sides", 3, 1, "1234.56", "123.5"},
        {"a value within the limits", 3, 1, "12.5", "12.5"},
        {"a leading point", 3, 2, ".25", "0.25"},
        {"leading zeros", 3, 0, "007", "7"},
        {"foreign characters are dropped", 5, 1, "1,234.5kg", "1234.5"},
        {"an empty text empties the field", 3, 1, "", ""},
    };
    for (const TypingCase &c : cases) {
        SCOPED_TRACE(c.what);
        NumEdit edit(c.integerDigits, c.decimalDigits);
        edit.setFilteredText(QStringLiteral("88"));
        edit.setFilteredText(QString::fromLatin1(c.keys));
        EXPECT_EQ(edit.text().toStdString(), c.expected);
    }
}

// A field on a window with another field to take the focus from.
class NumEditFocus : public controlstest::ControlsTest
{
protected:
    NumEditFocus()
    {
        auto *layout = new QVBoxLayout(&m_window);
        m_other = new NumEdit(3, 1);
        m_edit = new NumEdit(3, 2);
        layout->addWidget(m_other);
        layout->addWidget(m_edit);
        m_edit->setFilteredText(QStringLiteral("12.5"));
    }

    void focusField()
    {
        m_other->setFocus();
        m_edit->setFocus(Qt::TabFocusReason);
    }

    QWidget m_window;
    NumEdit *m_other;
    NumEdit *m_edit;
};

TEST_F(NumEditFocus, FirstKeyAfterGainingTheFocusReplacesTheValue)
{
    ASSERT_TRUE(controlstest::showActive(&m_window));
    const TypingCase cases[] = {
        {"a digit replaces the value", 3, 2, "7", "7"},
        {"later digits append", 3, 2, "74", "74"},
        {"a point replaces the value too", 3, 2, ".5", "0.5"},
    };
    for (const TypingCase &c : cases) {
        SCOPED_TRACE(c.what);
        m_edit->setFilteredText(QStringLiteral("12.5"));
        focusField();
        EXPECT_TRUE(m_edit->replacePending());
        typeKeys(m_edit, c.keys);
        EXPECT_EQ(m_edit->text().toStdString(), c.expected);
        EXPECT_FALSE(m_edit->replacePending());
    }
}

TEST_F(NumEditFocus, WithoutReplaceOnFocusTypingAppends)
{
    ASSERT_TRUE(controlstest::showActive(&m_window));
    m_edit->setReplaceOnFocus(false);
    focusField();
    EXPECT_FALSE(m_edit->replacePending());
    typeKeys(m_edit, "7");
    EXPECT_EQ(m_edit->text(), QStringLiteral("12.57"));
}

TEST_F(NumEditFocus, ALeftClickOnlyGivesTheFocus)
{
    ASSERT_TRUE(controlstest::showActive(&m_window));
    m_other->setFocus();
    m_edit->deselect();
    m_edit->setCursorPosition(m_edit->text().size());
    QTest::mouseClick(m_edit, Qt::LeftButton, Qt::NoModifier, QPoint(3, m_edit->height() / 2));
    EXPECT_TRUE(m_edit->hasFocus());
    EXPECT_EQ(m_edit->cursorPosition(), m_edit->text().size());
    typeKeys(m_edit, "3");
    EXPECT_EQ(m_edit->text(), QStringLiteral("3")) << "the click armed the replacement like any focus gain";
}

TEST(NumEdit, NavigationKeysGoToTheParentDeleteEmpties)
{
    struct KeyCase {
        Qt::Key key;
        const char *textAfter;
    };
    const KeyCase cases[] = {
        {Qt::Key_Home, "12.5"}, {Qt::Key_Left, "12.5"},   {Qt::Key_Right, "12.5"}, {Qt::Key_Up, "12.5"},
        {Qt::Key_Down, "12.5"}, {Qt::Key_Delete, ""},     {Qt::Key_F2, "12.5"},    {Qt::Key_Return, "12.5"},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        NumEdit edit(3, 1);
        edit.setFilteredText(QStringLiteral("12.5"));
        edit.setCursorPosition(2);
        QSignalSpy forwarded(&edit, &NumEdit::keyForwarded);
        QTest::keyClick(&edit, c.key, Qt::ShiftModifier);
        // QTest presses Shift first; that key goes to the parent as well.
        ASSERT_EQ(forwarded.count(), 2);
        EXPECT_EQ(forwarded.at(0).at(0).toInt(), int(Qt::Key_Shift));
        EXPECT_EQ(forwarded.at(1).at(0).toInt(), int(c.key));
        EXPECT_EQ(forwarded.at(1).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
        EXPECT_EQ(edit.text().toStdString(), c.textAfter);
        if (c.key != Qt::Key_Delete) {
            EXPECT_EQ(edit.cursorPosition(), 2) << "the caret is not moved by the field";
        }
    }
}

TEST(NumEdit, PasteAndInputMethodTextGoThroughTheFilter)
{
    NumEdit edit(3, 1);
    QApplication::clipboard()->setText(QStringLiteral("12345.678"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("123.6"));

    // A Japanese input method commits full-width digits.
    edit.clear();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("１２．５６"));
    QApplication::sendEvent(&edit, &commit);
    EXPECT_EQ(edit.text(), QStringLiteral("12.5"));
}

TEST(NumEdit, TextThatBypassesTheKeysIsStillChecked)
{
    NumEdit edit(3, 1);
    edit.setFilteredText(QStringLiteral("1"));
    edit.selectAll();
    edit.insert(QStringLiteral("abc"));  // what a drop or the context menu's paste does
    EXPECT_EQ(edit.text(), QStringLiteral("1"));
    edit.selectAll();
    edit.insert(QStringLiteral("12.5"));
    EXPECT_EQ(edit.text(), QStringLiteral("12.5"));
}

}  // namespace
