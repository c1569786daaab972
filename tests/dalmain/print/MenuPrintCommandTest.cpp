#include "MenuScreenSupport.h"
#include "PrintTestSupport.h"

#include "dalmain/print/PrintOptions.h"
#include "dalmain/shell/CommandIds.h"

#include <QCheckBox>

#include <gtest/gtest.h>

namespace {

using menutest::child;
using menutest::click;
using menutest::whenDialog;

// The menu screen's print command on a machine without a printer, the save dialog answered
// by the test.
class MenuPrintCommandTest : public menutest::MenuScreenTest
{
protected:
    void SetUp() override
    {
        menutest::MenuScreenTest::SetUp();
        dalmain::setPrinterCheck([] { return false; });
        dalmain::setPdfFileChooser([this](QWidget *, const QString &) { return answer; });
        answer = folders.root() + QStringLiteral("/献立.pdf");
    }
    void TearDown() override
    {
        dalmain::setPdfFileChooser({});
        dalmain::setPrinterCheck({});
        menutest::MenuScreenTest::TearDown();
    }

    QString answer;
};

TEST_F(MenuPrintCommandTest, TheDayAsTheScreenShowsItIsPrintedOnLandscapePaperWithoutBeingStored)
{
    EXPECT_FALSE(screen->commandEnabled(dalmain::cmd::PrintMenu)) << "an empty day has nothing to print";
    // Rice and an egg for breakfast, entered but not stored.
    ASSERT_TRUE(screen->insertFood(88, 1500));
    ASSERT_TRUE(screen->insertFood(1500, 500));
    ASSERT_TRUE(screen->isDirty());
    ASSERT_TRUE(screen->commandEnabled(dalmain::cmd::PrintMenu));
    whenDialog(QStringLiteral("IDD_MENU_PRINT"), [](QWidget *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("献立の印刷"));
        EXPECT_TRUE(child<QCheckBox>(d, "ChkFlg1")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(d, "ChkFlg2")->isChecked());
        d->grab().save(QStringLiteral(PRINT_PNG_DIR "/menu-print-dialog.png"));
        click(d, "pdf");
    });
    screen->runCommand(dalmain::cmd::PrintMenu);

    EXPECT_TRUE(owner.messages().isEmpty());
    const QString text = printtest::pdfText(answer);
    for (const QString &part : {QStringLiteral("献立記録"), menutest::kUserName, QStringLiteral("朝食"),
                                QStringLiteral("こめ 水稲めし 精白米"), QStringLiteral("150.0"), QStringLiteral("鶏卵 全卵 生"),
                                QStringLiteral("50.0"), QStringLiteral("栄養素の摂取量")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << " missing from:\n" << text.toStdString();
    // 150 g of rice at 168 kcal and 50 g of egg at 151 kcal, less its 15 % waste: 252.0 +
    // 64.2 kcal, as the screen totals the day.
    const QString energy = QString::number(screen->totals()[dalmain::kDayRow][dalmain::EnergyKcal], 'f', 0);
    EXPECT_TRUE(text.contains(energy)) << energy.toStdString();
    const QSizeF page = printtest::pdfPageSize(answer);
    EXPECT_NEAR(page.width(), 842, 1);
    EXPECT_NEAR(page.height(), 595, 1);
    EXPECT_TRUE(screen->isDirty()) << "printing stores nothing";
    EXPECT_EQ(printtest::renderPages(answer, QStringLiteral("menu-screen")), printtest::pdfPageCount(answer));
}

}  // namespace
