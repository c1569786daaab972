#include "dalmain/shell/MessageOwner.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace dalmain {

namespace {

QMessageBox::Icon boxIcon(quenkit::Icon icon)
{
    switch (icon) {
    case quenkit::Icon::Information: return QMessageBox::Information;
    case quenkit::Icon::Question: return QMessageBox::Question;
    case quenkit::Icon::Warning: return QMessageBox::Warning;
    case quenkit::Icon::Error: return QMessageBox::Critical;
    case quenkit::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonSpec {
    quenkit::Answer answer;
    QMessageBox::StandardButton button;
    const char16_t *text;
};

// The buttons of each kind, with the captions of Japanese message boxes.
QList<ButtonSpec> buttonsOf(quenkit::Buttons buttons)
{
    const ButtonSpec ok{quenkit::Answer::Ok, QMessageBox::Ok, u"OK"};
    const ButtonSpec cancel{quenkit::Answer::Cancel, QMessageBox::Cancel, u"キャンセル"};
    const ButtonSpec yes{quenkit::Answer::Yes, QMessageBox::Yes, u"はい(&Y)"};
    const ButtonSpec no{quenkit::Answer::No, QMessageBox::No, u"いいえ(&N)"};
    switch (buttons) {
    case quenkit::Buttons::Ok: return {ok};
    case quenkit::Buttons::OkCancel: return {ok, cancel};
    case quenkit::Buttons::YesNo: return {yes, no};
    case quenkit::Buttons::YesNoCancel: return {yes, no, cancel};
    }
    return {ok};
}

}  // namespace

MessageOwner::MessageOwner(QWidget *window)
    : m_window(window)
{
}

QString MessageOwner::defaultCaption()
{
    return QStringLiteral("エラー");
}

quenkit::Answer MessageOwner::ask(const quenkit::Message &message)
{
    QMessageBox box(m_window);
    box.setWindowTitle(message.caption.isEmpty() ? defaultCaption() : message.caption);
    box.setText(message.text);
    box.setIcon(boxIcon(message.icon));
    const QList<ButtonSpec> specs = buttonsOf(message.buttons);
    for (const ButtonSpec &spec : specs) {
        QPushButton *button = box.addButton(spec.button);
        button->setText(QString::fromUtf16(spec.text));
        if (spec.answer == message.defaultAnswer)
            box.setDefaultButton(button);
    }
    // Closing the box with Escape or the title bar counts as its way out: Cancel where there
    // is one, otherwise No, otherwise OK.
    const quenkit::Answer escape = specs.size() == 1 ? specs.first().answer : specs.last().answer;
    box.setEscapeButton(box.button(specs.size() == 1 ? specs.first().button : specs.last().button));

    // A message shown during long work must be readable with the normal cursor.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();

    QAbstractButton *clicked = box.clickedButton();
    for (const ButtonSpec &spec : specs) {
        if (clicked && clicked == box.button(spec.button))
            return spec.answer;
    }
    return escape;
}

void MessageOwner::beginBusy()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MessageOwner::endBusy()
{
    QApplication::restoreOverrideCursor();
}

}  // namespace dalmain
