#pragma once

#include "quenkit/owner/Owner.h"

#include <QPointer>
#include <QWidget>

namespace dalmain {

// The program's owner of messages and questions: a modal message box over the main window,
// and the wait cursor while long work runs.
class MessageOwner : public quenkit::Owner
{
public:
    // window is the parent of the boxes; without one they are centred on the screen.
    explicit MessageOwner(QWidget *window = nullptr);

    void setWindow(QWidget *window) { m_window = window; }
    QWidget *window() const { return m_window; }

    quenkit::Answer ask(const quenkit::Message &message) override;
    void beginBusy() override;
    void endBusy() override;

    // The caption shown for a message without one, as the system's message box does.
    static QString defaultCaption();

private:
    QPointer<QWidget> m_window;
};

}  // namespace dalmain
