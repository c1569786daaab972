#include "quenkit/printer/AbortDlg.h"

#include "quenkit/controls/Bitmaps.h"
#include "quenkit/controls/DatePickers.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <mutex>

namespace quenkit {

namespace {

bool g_abort = false;

struct KindText {
    const char16_t *caption;
    const char16_t *message;
};

constexpr KindText kKinds[] = {
    {u"ユーザー情報印刷", u"ユーザー情報を印刷中です・・・"},
    {u"献立印刷", u"献立記録を印刷中です・・・"},
    {u"運動印刷", u"運動記録を印刷中です・・・"},
    {u"体重印刷", u"体重記録を印刷中です・・・"},
    {u"分析印刷", u"分析結果を印刷中です・・・"},
    {u"診断印刷", u"診断結果を印刷中です・・・"},
};

const KindText &kindText(int kind)
{
    return kind >= 0 && kind < static_cast<int>(std::size(kKinds)) ? kKinds[kind] : kKinds[0];
}

void registerOwnFolder()
{
    static std::once_flag once;
    std::call_once(once, [] {
        QDir::addSearchPath(QString::fromLatin1(kBitmapSearchPrefix), QStringLiteral(":/quenkit/printer/bitmaps"));
    });
}

}  // namespace

void InitAbortFlg()
{
    g_abort = false;
}

bool GetAbortFlg()
{
    return g_abort;
}

bool AbortProc()
{
    if (!g_abort)
        QCoreApplication::processEvents();
    return !g_abort;
}

QString AbortDlg::caption(int kind)
{
    return QString::fromUtf16(kindText(kind).caption);
}

QString AbortDlg::message(int kind)
{
    return QString::fromUtf16(kindText(kind).message);
}

AbortDlg::AbortDlg(int kind, QWidget *mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_mainWindow(mainWindow ? mainWindow->window() : nullptr)
    , m_message(new QLabel(message(kind), this))
    , m_picture(new QLabel(this))
    , m_cancel(new QPushButton(QStringLiteral("キャンセル"), this))
    , m_timer(new QTimer(this))
{
    registerOwnFolder();
    setObjectName(QStringLiteral("AbortDlg"));
    setWindowTitle(caption(kind));
    setModal(false);
    m_message->setObjectName(QStringLiteral("331"));
    m_picture->setObjectName(QStringLiteral("357"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_picture->setFixedSize(bitmapSize(QStringLiteral("IDB_QUENPRN1")).expandedTo(QSize(48, 44)));
    m_picture->setAlignment(Qt::AlignCenter);

    auto *row = new QHBoxLayout;
    row->addWidget(m_picture);
    row->addSpacing(12);
    row->addWidget(m_message, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));

    connect(m_cancel, &QPushButton::clicked, this, &AbortDlg::cancelJob);
    connect(m_timer, &QTimer::timeout, this, [this] { showPicture((m_step + 1) % kPictures); });
    showPicture(0);
    m_timer->start(kPictureMilliseconds);

    InitAbortFlg();
    SetMonthlyCalendar(m_mainWindow, false);
    if (m_mainWindow)
        move(m_mainWindow->geometry().center() - rect().center());
    show();
}

AbortDlg::~AbortDlg()
{
    releaseMonthGrid();
}

QString AbortDlg::messageText() const
{
    return m_message->text();
}

void AbortDlg::showPicture(int step)
{
    m_step = step;
    m_picture->setPixmap(bitmapPixmap(QStringLiteral("IDB_QUENPRN%1").arg(step + 1), QSize(), devicePixelRatioF()));
}

void AbortDlg::releaseMonthGrid()
{
    if (m_gridReleased)
        return;
    m_gridReleased = true;
    SetMonthlyCalendar(m_mainWindow, true);
}

void AbortDlg::cancelJob()
{
    g_abort = true;
    m_timer->stop();
    if (m_mainWindow)
        m_mainWindow->setEnabled(true);
    releaseMonthGrid();
    hide();
}

void AbortDlg::closeEvent(QCloseEvent *event)
{
    // Closing the window stops the job as the button does.
    cancelJob();
    event->accept();
}

void AbortDlg::reject()
{
    cancelJob();
}

}  // namespace quenkit
