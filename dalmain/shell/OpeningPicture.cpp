#include "dalmain/shell/OpeningPicture.h"

#include "quenkit/controls/BmpDraw.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>

namespace dalmain {

namespace {
constexpr int kSide = 450;
}

OpeningPicture::OpeningPicture(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("OpeningPicture"));
    setFixedSize(kSide, kSide);
    auto *picture = new quenkit::BmpDraw(QStringLiteral("IDB_OPNING"), this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);  // the border
    layout->addWidget(picture);
    setStyleSheet(QStringLiteral("QWidget#OpeningPicture { background: #ffffff; border: 1px solid #808080; }"));
    setAttribute(Qt::WA_StyledBackground);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kSide / 2, kSide / 2));
    }
}

void OpeningPicture::showFading(int stepMilliseconds)
{
    QList<int> alphas;
    for (int a = 0; a <= 240; a += 40)
        alphas.append(a);
    alphas.append(255);
    if (stepMilliseconds <= 0)
        alphas = {255};

    setWindowOpacity(alphas.first() / 255.0);
    show();
    for (int alpha : alphas) {
        setWindowOpacity(alpha / 255.0);
        // The fade runs before the program's event loop starts: let the picture repaint.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (stepMilliseconds > 0 && alpha != alphas.last())
            QThread::msleep(static_cast<unsigned long>(stepMilliseconds));
    }
}

}  // namespace dalmain
