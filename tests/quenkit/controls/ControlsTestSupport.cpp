#include "ControlsTestSupport.h"

#include "quenkit/controls/Fonts.h"

#include "support/GuiTestApplication.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace controlstest {

[[maybe_unused]] ::testing::Environment *const application =
    testsupport::installGuiTestApplication([] { quenkit::installFontSubstitutions(); });

ControlsTest::ControlsTest()
{
    qputenv("DALMORA_TODAY", "2012-02-28");
}

ControlsTest::~ControlsTest()
{
    qunsetenv("DALMORA_TODAY");
}

void sendMouse(QWidget *widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF local(position);
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
    }
}

bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

}  // namespace controlstest
