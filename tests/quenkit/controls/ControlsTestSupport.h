#pragma once

// Shared pieces of the widget tests: the application object, a fixture with throw-away
// settings and a fixed today, and mouse and key helpers that deliver events straight to a
// widget, as the window system does while the mouse is captured.

#include "support/TestSupport.h"

#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace controlstest {

// Settings and data in a temporary folder; today is 2012-02-28 (a Tuesday).
class ControlsTest : public ::testing::Test
{
protected:
    ControlsTest();
    ~ControlsTest() override;

    testsupport::TempFolders m_folders;
};

// Delivers one mouse event at position (widget coordinates) to widget.
void sendMouse(QWidget *widget, QEvent::Type type, QPoint position, Qt::MouseButton button = Qt::NoButton,
               Qt::MouseButtons buttons = Qt::NoButton);

// Types text into widget one character at a time, as a keyboard or an input method that
// sends key events would; unlike QTest::keyClicks it is not limited to Latin-1.
void typeText(QWidget *widget, const QString &text);

// Shows window and waits until it is the active window, so focus changes take effect.
bool showActive(QWidget *window);

}  // namespace controlstest
