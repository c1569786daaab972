#pragma once

// Driving a screen's modal dialogs as a user does: waiting for a dialog by its name, typing
// into its fields and clicking its buttons.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace shelltest {

// Runs action with the modal dialog of this object name as soon as it is the active modal
// window and has taken the keyboard (so the focus moves as for a person); fails the test when
// it does not open within a few seconds.
inline void whenDialog(const QString &name, std::function<void(QWidget *dialog)> action)
{
    auto *timer = new QTimer;
    auto *clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, name, action] {
        QWidget *dialog = QApplication::activeModalWidget();
        const bool found = dialog && dialog->objectName() == name;
        const bool active = found && dialog->isActiveWindow();
        if (!active && clock->elapsed() < 5000)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!found) {
            ADD_FAILURE() << "the dialog " << name.toStdString() << " did not open";
            if (dialog)
                dialog->close();
            return;
        }
        action(dialog);
    });
    timer->start(10);
}

// Types text into widget key by key, as the input method hands over each character (QTest's
// key clicks know only ASCII).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The child of parent with this object name; fails the test when there is none.
template <typename T = QWidget>
T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(QWidget *dialog, const char *name)
{
    QWidget *w = dialog->findChild<QWidget *>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    QTest::mouseClick(w, Qt::LeftButton);
}

inline void type(QWidget *dialog, const char *name, const QString &text)
{
    QWidget *w = dialog->findChild<QWidget *>(QString::fromLatin1(name));
    ASSERT_NE(w, nullptr) << name;
    w->setFocus();
    typeText(w, text);
}

}  // namespace shelltest
