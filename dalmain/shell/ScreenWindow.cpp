#include "dalmain/shell/ScreenWindow.h"

#include "dalmain/shell/CommandIds.h"
#include "dalmain/shell/Screens.h"

#include <QLabel>
#include <QVBoxLayout>

namespace dalmain {

ScreenWindow::ScreenWindow(int screenIndex, const ScreenContext &context, QWidget *parent)
    : QWidget(parent)
    , m_screenIndex(screenIndex)
    , m_context(context)
{
    setObjectName(screenInfo(screenIndex).windowClass);
    setFocusPolicy(Qt::StrongFocus);
}

void ScreenWindow::runCommand(int)
{
}

bool ScreenWindow::commandEnabled(int) const
{
    return false;
}

bool ScreenWindow::commandChecked(int) const
{
    return false;
}

void ScreenWindow::dateBarCommand(int)
{
}

bool ScreenWindow::hasDateBar() const
{
    return false;
}

int dateBarCode(int id)
{
    switch (id) {
    case cmd::PreviousMonth:
    case cmd::PreviousYear: return 1;
    case cmd::PreviousDay: return 2;
    case cmd::NextDay: return 3;
    case cmd::NextMonth:
    case cmd::NextYear: return 4;
    case cmd::Today: return 7;
    default: return 0;
    }
}

void ScreenWindow::dateCommand(int id)
{
    if (const int code = dateBarCode(id))
        dateBarCommand(code);
}

bool ScreenWindow::dateCommandEnabled(int id) const
{
    return dateBarCode(id) != 0 && hasDateBar();
}

LeaveCheck *ScreenWindow::leaveCheck()
{
    return nullptr;
}

MenuEditState ScreenWindow::menuEditState() const
{
    return {};
}

void ScreenWindow::finishPendingWork()
{
}

void ScreenWindow::refreshDisplay()
{
    update();
}

QWidget *ScreenWindow::firstControl()
{
    return this;
}

void ScreenWindow::showScreenName(const QString &text)
{
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("screenName"));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(28);
    label->setFont(font);
    layout->addWidget(label);
}

}  // namespace dalmain
