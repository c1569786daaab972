// The help pages built into the program: one for every topic the program opens, each linked
// from the contents, and every link inside them leads somewhere.

#include "ShellTestSupport.h"

#include "dalmain/shell/HelpWindow.h"
#include "dalmain/shell/Screens.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

using namespace dalmain;

namespace {

// Every topic the screens and dialogs open.
const QStringList kTopics = {
    "guide/user/outline", "guide/menu/outline", "guide/sports/outline", "guide/weight/outline",
    "guide/analyze/outline", "technical/technical2",
    "guide/option/system", "guide/option/pfc",
    "guide/menu/foodsearch", "guide/menu/cookname", "guide/menu/convert", "guide/menu/allcopy",
    "guide/menu/cookmainte", "guide/menu/cookdelete",
    "guide/sports/input", "guide/sports/metabolism", "guide/sports/allcopy", "guide/sports/sportsopen",
    "guide/sports/sportsdelete",
    "guide/weight/target", "guide/weight/allcopy",
    "guide/analyze/save", "guide/analyze/copy", "guide/analyze/comment",
    "guide/backuprestore/backup", "guide/backuprestore/restore",
    "guide/maintenance/food", "guide/maintenance/sports", "guide/maintenance/sportsdelete",
    "guide/maintenance/kijyun", "guide/maintenance/kijyundelete", "guide/maintenance/koukan",
    "guide/maintenance/tekitani", "guide/maintenance/tekitanidelete", "guide/maintenance/gunbetsu",
    "guide/maintenance/gunbetsudelete", "guide/maintenance/sessyu", "guide/maintenance/sessyudelete",
};

QStringList allPages()
{
    QStringList pages;
    QDirIterator it(":/help", {"*.htm"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        pages.append(it.next());
    pages.sort();
    return pages;
}

QString read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

TEST(Help, EveryTopicHasAPageWithATitleAndText)
{
    for (const ScreenInfo &s : screens())
        EXPECT_TRUE(kTopics.contains(s.helpTopic)) << s.helpTopic.toStdString();
    for (const QString &topic : kTopics) {
        SCOPED_TRACE(topic.toStdString());
        ASSERT_TRUE(helpTopicExists(topic));
        const QString html = read(":/help/" + topic + ".htm");
        const QRegularExpressionMatch title = QRegularExpression("<title>([^<]+)</title>").match(html);
        ASSERT_TRUE(title.hasMatch());
        EXPECT_TRUE(html.contains("<h1>" + title.captured(1) + "</h1>")) << "the heading names the page";
        QTextDocument doc;
        doc.setHtml(html);
        EXPECT_GT(doc.toPlainText().size(), 120) << "too short to help";
    }
    EXPECT_FALSE(helpTopicExists("guide/none/outline"));
    EXPECT_FALSE(showHelp("guide/none/outline"));
}

TEST(Help, LinksLeadToPagesAndTheContentsListsEveryPage)
{
    const QRegularExpression href("href=\"([^\"#]*)(#[^\"]*)?\"");
    QSet<QString> linkedFromContents;
    for (const QString &page : allPages()) {
        SCOPED_TRACE(page.toStdString());
        const QString html = read(page);
        EXPECT_TRUE(html.startsWith("<!DOCTYPE html>")) << "not a complete page";
        auto it = href.globalMatch(html);
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            if (target.isEmpty() || target.startsWith("http"))
                continue;
            const QString resolved = QUrl("qrc" + page).resolved(QUrl(target)).path();
            EXPECT_TRUE(QFile::exists(":" + resolved)) << target.toStdString();
            if (page == ":/help/index.htm")
                linkedFromContents.insert(":" + resolved);
        }
    }
    for (const QString &page : allPages()) {
        if (page == ":/help/index.htm")
            continue;
        EXPECT_TRUE(linkedFromContents.contains(page)) << page.toStdString() << " is missing from the contents";
    }
}
