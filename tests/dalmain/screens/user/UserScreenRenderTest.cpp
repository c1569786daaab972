// The user screen with a profile entered, saved as a PNG in the build folder for people to
// look at; every caption and choice must be drawable with the screen's font.

#include "UserScreenSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>

using namespace usertest;

TEST_F(UserScreenTest, RendersWithAProfileEntered)
{
    dalmain::UserEntries e = userfixtures::hanako();
    e.age = QStringLiteral("30");
    e.menstruation = 0;
    screen->showEntries(e);
    settle();

    QStringList texts;
    for (const QLabel *label : screen->findChildren<QLabel *>())
        texts.append(label->text());
    for (const QComboBox *box : screen->findChildren<QComboBox *>()) {
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
    }
    const QFontMetrics metrics(screen->font());
    for (const QString &text : texts) {
        for (const uint ucs4 : text.toUcs4())
            EXPECT_TRUE(QChar::isSpace(ucs4) || metrics.inFontUcs4(ucs4)) << text.toStdString();
    }

    QDir().mkpath(USER_PNG_DIR);
    const QPixmap shot = screen->grab();
    EXPECT_EQ(shot.size(), screen->size());
    EXPECT_TRUE(shot.save(QStringLiteral(USER_PNG_DIR "/UserInfomation.png")));
}
