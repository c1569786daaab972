// Renders the main window with each of the five screens, and one opened menu, to PNG files
// for people to look at, and checks that every text of the menus, toolbars and tabs can be
// drawn with the fonts the program uses (no missing-glyph boxes).

#include "ShellTestSupport.h"

#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/OpeningPicture.h"
#include "dalmain/shell/Screens.h"
#include "dalmain/shell/ShellDialogs.h"
#include "dalmain/shell/ShellSettings.h"
#include "quenkit/controls/Fonts.h"
#include "quenkit/controls/Takku.h"
#include "quenkit/registry/SettingsStore.h"

#include <QDir>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>

using namespace dalmain;
using namespace shelltest;

namespace {

// Characters of text that font cannot draw, even through its fallbacks.
QString missingGlyphs(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    QString missing;
    for (const uint ucs4 : text.toUcs4()) {
        if (QChar::isSpace(ucs4) || ucs4 == '&')
            continue;
        if (!metrics.inFontUcs4(ucs4))
            missing += QString::fromUcs4(reinterpret_cast<const char32_t *>(&ucs4), 1);
    }
    return missing;
}

void collectTexts(const QList<QAction *> &actions, QStringList &texts)
{
    for (QAction *a : actions) {
        if (a->isSeparator())
            continue;
        texts.append(a->text());
        if (a->menu())
            collectTexts(a->menu()->actions(), texts);
    }
}

}  // namespace

TEST_F(ShellTest, RendersEachScreenWithDrawableJapaneseTexts)
{
    const QList<QPair<QString, int>> placement = {{"PosX", 0}, {"PosY", 0}, {"Width", 1280},
                                                  {"Height", 800}, {"Zoom", 0}, {"Icon", 0}};
    for (const auto &[name, value] : placement)
        quenkit::SetRegistryInt(settings::kWindowSection, name, value);
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    settle();
    QDir().mkpath(SHELL_PNG_DIR);

    for (const ScreenInfo &s : screens()) {
        SCOPED_TRACE(s.index);
        ASSERT_TRUE(frame->view()->switchScreen(s.index));
        frame->statusBar()->showMessage(s.name);
        settle();

        QStringList texts;
        collectTexts(frame->menuBar()->actions(), texts);
        for (const QString &text : texts)
            EXPECT_EQ(missingGlyphs(frame->menuBar()->font(), text), QString()) << text.toStdString();
        for (QAction *a : frame->toolbar(s.index)->actions()) {
            if (a->isSeparator())
                continue;
            EXPECT_EQ(missingGlyphs(frame->font(), a->toolTip()), QString()) << a->toolTip().toStdString();
        }
        const QFont tabFont = quenkit::createFont(QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"), 12, 24);
        EXPECT_EQ(missingGlyphs(tabFont, tabStripText()), QString());

        const QPixmap shot = frame->grab();
        EXPECT_EQ(shot.size(), QSize(1280, 800));
        const QString file = QStringLiteral("%1/shell-%2-%3.png").arg(SHELL_PNG_DIR).arg(s.index).arg(s.windowClass);
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }

    // Every toolbar icon, enabled, one toolbar a row.
    QImage sheet(16 + 56 * 24, 16 + 56 * kScreenCount, QImage::Format_ARGB32);
    sheet.fill(QColor(0xf0, 0xf0, 0xf0));
    QPainter painter(&sheet);
    for (const ScreenInfo &s : screens()) {
        int column = 0;
        for (QAction *a : frame->toolbar(s.index)->actions()) {
            if (!a->isSeparator())
                a->icon().paint(&painter, QRect(8 + 56 * column, 8 + 56 * s.index, 48, 48));
            ++column;
        }
    }
    painter.end();
    EXPECT_TRUE(sheet.save(QStringLiteral("%1/shell-icons.png").arg(SHELL_PNG_DIR)));

    // An opened menu: the menu screen's "編集".
    ASSERT_TRUE(frame->view()->switchScreen(MenuScreen));
    QMenu *edit = frame->menuBar()->actions().at(1)->menu();
    ASSERT_NE(edit, nullptr);
    edit->popup(frame->mapToGlobal(QPoint(60, 20)));
    settle();
    EXPECT_TRUE(edit->grab().save(QStringLiteral("%1/shell-menu-edit.png").arg(SHELL_PNG_DIR)));
    edit->close();
}

// The windows around the screens: the opening picture, the start and exit dialogs, the about
// box and the help window.
TEST_F(ShellTest, RendersTheProgramsOtherWindows)
{
    auto frame = start();
    ASSERT_NE(frame, nullptr);
    settle();
    QDir().mkpath(SHELL_PNG_DIR);
    auto save = [](QWidget &w, const QString &name) {
        w.show();
        settle();
        EXPECT_TRUE(w.grab().save(QStringLiteral("%1/%2.png").arg(SHELL_PNG_DIR, name))) << name.toStdString();
        w.hide();
    };

    OpeningPicture opening;
    save(opening, "opening");
    EXPECT_EQ(opening.size(), QSize(450, 450));
    WasteRateDialog wasteRate(&owner, frame.get());
    save(wasteRate, "IDD_HAIKICHK");
    ExitDialog exit(frame.get());
    save(exit, "IDD_DMEND");
    AboutDialog about(frame.get());
    save(about, "about");

    ASSERT_TRUE(showHelp("guide/menu/outline", frame.get()));
    openHelpWindow()->resize(1000, 700);
    settle();
    EXPECT_TRUE(openHelpWindow()->grab().save(QStringLiteral("%1/help.png").arg(SHELL_PNG_DIR)));
    openHelpWindow()->close();
}
