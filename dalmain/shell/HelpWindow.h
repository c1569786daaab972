#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QTextBrowser;

// The program's help: HTML pages built into the program, one per topic ("guide/user/outline"
// is the page guide/user/outline.htm), shown in a window with the table of contents beside the
// page.
namespace dalmain {

// The address of a topic's page; the page may not exist.
QString helpPageUrl(const QString &topic);
bool helpTopicExists(const QString &topic);

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows topic; false (and nothing changes) when it has no page.
    bool showTopic(const QString &topic);
    // The topic of the page shown, empty before the first.
    QString currentTopic() const;
    QTextBrowser *page() const { return m_page; }

private:
    QTextBrowser *m_contents;
    QTextBrowser *m_page;
};

// Shows topic in the help window, opening the window over parent when it is not open yet.
// A topic without a page shows nothing and gives false.
bool showHelp(const QString &topic, QWidget *parent = nullptr);

// The open help window, or null.
HelpWindow *openHelpWindow();

}  // namespace dalmain
