// The user screen with a profile entered, and its dialogs, saved as PNGs in the build folder for
// people to look at; every caption, choice and cell must be drawable with the widget's font.

#include "UserScreenSupport.h"

#include "dalmain/screens/user/StandardViewer.h"
#include "dalmain/screens/user/UserInfoView.h"
#include "dalmain/screens/user/UserSearchDialog.h"
#include "dalmain/screens/user/WeightInputDialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>

using namespace usertest;

namespace {

// The texts a person reads on widget: labels, buttons, fields, choices, list and table cells.
QList<QPair<const QWidget *, QString>> visibleTexts(const QWidget *widget)
{
    QList<QPair<const QWidget *, QString>> texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        texts.append({label, label->text()});
    for (const QAbstractButton *button : widget->findChildren<QAbstractButton *>())
        texts.append({button, button->text()});
    for (const QLineEdit *edit : widget->findChildren<QLineEdit *>())
        texts.append({edit, edit->text()});
    for (const QComboBox *box : widget->findChildren<QComboBox *>()) {
        for (int i = 0; i < box->count(); ++i)
            texts.append({box, box->itemText(i)});
    }
    for (const QTreeWidget *tree : widget->findChildren<QTreeWidget *>()) {
        for (int c = 0; c < tree->columnCount(); ++c)
            texts.append({tree, tree->headerItem()->text(c)});
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            for (int c = 0; c < tree->columnCount(); ++c)
                texts.append({tree, tree->topLevelItem(i)->text(c)});
        }
    }
    for (const QTableWidget *table : widget->findChildren<QTableWidget *>()) {
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (const QTableWidgetItem *item = table->item(r, c))
                    texts.append({table, item->text()});
            }
        }
    }
    return texts;
}

// Checks that every character shown has a glyph and saves the widget as name.png.
void expectDrawnAndSave(QWidget *widget, const QString &name)
{
    SCOPED_TRACE(name.toStdString());
    for (const auto &[owner, text] : visibleTexts(widget)) {
        const QFontMetrics metrics(owner->font());
        for (const uint ucs4 : text.toUcs4())
            EXPECT_TRUE(QChar::isSpace(ucs4) || metrics.inFontUcs4(ucs4)) << text.toStdString();
    }
    QDir().mkpath(USER_PNG_DIR);
    const QPixmap shot = widget->grab();
    EXPECT_EQ(shot.size(), widget->size());
    EXPECT_TRUE(shot.save(QStringLiteral(USER_PNG_DIR "/%1.png").arg(name)));
}

}  // namespace

TEST_F(UserScreenTest, RendersWithAProfileEntered)
{
    dalmain::UserEntries e = userfixtures::hanako();
    e.age = QStringLiteral("30");
    e.menstruation = 0;
    screen->showEntries(e);
    settle();
    expectDrawnAndSave(screen.get(), QStringLiteral("UserInfomation"));
}

TEST_F(UserScreenTest, DialogsRenderWithAUserSaved)
{
    screen->showEntries(userfixtures::hanako());
    ASSERT_TRUE(screen->checkAndSave(dalmain::LeaveCheck::Mode::WithMessages));
    ASSERT_TRUE(dalmain::openUserSession().isOpen());
    const dalmain::UserProfile &profile = *dalmain::openUserSession().profile();

    const auto show = [](QDialog &dialog) {
        dialog.show();
        dialog.activateWindow();
        settle();
    };
    dalmain::WeightInputDialog weight(&owner);
    show(weight);
    expectDrawnAndSave(&weight, QStringLiteral("IDD_WEIGHT_INPUT1"));

    dalmain::UserSearchDialog search(dalmain::UserSearchDialog::Purpose::Open);
    show(search);
    EXPECT_EQ(search.listed().size(), 1);
    expectDrawnAndSave(&search, QStringLiteral("IDD_SEARCHDIALOG"));

    dalmain::UserSearchDialog deletion(dalmain::UserSearchDialog::Purpose::Delete);
    show(deletion);
    expectDrawnAndSave(&deletion, QStringLiteral("IDD_DELETEDIALOG"));

    dalmain::UserInfoView view(profile);
    show(view);
    expectDrawnAndSave(&view, QStringLiteral("IDD_VIEW_USERINFO"));

    dalmain::StandardViewer standard(profile.intakeSubject(), dalmain::openUserSession().intakeStandard());
    show(standard);
    expectDrawnAndSave(&standard, QStringLiteral("IDD_VIEW_SYOYO"));
}

TEST_F(UserScreenTest, ASmallWindowScrollsTheFormInsteadOfSqueezingIt)
{
    // In the program the screen is a page the tab strip places: nothing holds it at the size its
    // layout asks for.
    QWidget tabStrip;
    tabStrip.resize(600, 250);
    auto *page = new dalmain::UserInfomation(dalmain::ScreenContext{nullptr, &owner}, &tabStrip);
    page->setGeometry(0, 0, 600, 250);
    tabStrip.show();
    settle();
    ASSERT_EQ(page->height(), 250);

    // Fields in the order of the form, top to bottom: none may cover the next.
    const char *order[] = {"reading", "name", "birthYear", "age", "sex", "pregnancy", "menstruation", "height",
                           "activity", "standard", "exchangeTable", "foodGroupTable", "unitTable", "intakeTable"};
    QRect above;
    for (const char *name : order) {
        const QWidget *w = page->findChild<QWidget *>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        const QRect r(w->mapTo(page, QPoint(0, 0)), w->size());
        EXPECT_GE(r.height(), w->minimumSizeHint().height()) << name;
        if (!above.isNull()) {
            EXPECT_GT(r.top(), above.bottom()) << name;
        }
        above = r;
    }
    // The last field lies below the window; the focus moving there brings it into view.
    QWidget *last = page->findChild<QWidget *>(QStringLiteral("intakeTable"));
    last->setFocus();
    settle();
    const QRect shown(last->mapTo(page, QPoint(0, 0)), last->size());
    EXPECT_TRUE(page->rect().contains(shown)) << shown.top();
}
