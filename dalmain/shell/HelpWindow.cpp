#include "dalmain/shell/HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace dalmain {

namespace {

const QString kRoot = QStringLiteral("qrc:/help/");

QPointer<HelpWindow> &theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

QString resourcePath(const QString &url)
{
    return url.startsWith(QLatin1String("qrc:")) ? url.mid(3) : url;
}

}  // namespace

QString helpPageUrl(const QString &topic)
{
    return kRoot + topic + QStringLiteral(".htm");
}

bool helpTopicExists(const QString &topic)
{
    return !topic.isEmpty() && QFile::exists(resourcePath(helpPageUrl(topic)));
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Dalmora ヘルプ"));
    resize(900, 640);

    m_contents = new QTextBrowser(this);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    m_contents->setOpenLinks(false);
    m_contents->setSource(QUrl(kRoot + QStringLiteral("index.htm")));
    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("helpPage"));
    // Links to other topics stay in the window; links to the web go to the browser.
    m_page->setOpenExternalLinks(true);
    connect(m_contents, &QTextBrowser::anchorClicked, m_page, [this](const QUrl &url) { m_page->setSource(url); });

    auto *back = new QPushButton(QStringLiteral("戻る"), this);
    auto *forward = new QPushButton(QStringLiteral("進む"), this);
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_page, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_page, &QTextBrowser::forward);
    connect(m_page, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({240, 660});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
}

bool HelpWindow::showTopic(const QString &topic)
{
    if (!helpTopicExists(topic))
        return false;
    m_page->setSource(QUrl(helpPageUrl(topic)));
    return true;
}

QString HelpWindow::currentTopic() const
{
    QString url = m_page->source().toString();
    if (!url.startsWith(kRoot))
        return QString();
    url = url.mid(kRoot.size());
    if (url.endsWith(QLatin1String(".htm")))
        url.chop(4);
    return url;
}

bool showHelp(const QString &topic, QWidget *parent)
{
    if (!helpTopicExists(topic))
        return false;
    QPointer<HelpWindow> &window = theWindow();
    if (!window) {
        window = new HelpWindow(parent ? parent->window() : nullptr);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

HelpWindow *openHelpWindow()
{
    return theWindow();
}

}  // namespace dalmain
