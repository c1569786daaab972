#pragma once

#include "quenkit/owner/Owner.h"

#include <QList>

namespace quenkit {

// An owner that answers from a script and records every message it was shown: what tests use
// to assert the exact texts, and what scripts use to drive questions without a screen.
class ScriptedOwner : public Owner
{
public:
    // Queues answers, taken in order; when the queue is empty the default answer of the
    // message is given.
    void queueAnswer(Answer answer) { m_answers.append(answer); }

    Answer ask(const Message &message) override;
    void beginBusy() override;
    void endBusy() override;

    const QList<Message> &messages() const { return m_messages; }
    QStringList texts() const;
    void clear() { m_messages.clear(); m_answers.clear(); }

    int busyDepth() const { return m_busyDepth; }   // 0 when every begin had its end
    int busyCount() const { return m_busyCount; }   // how often busy was begun

private:
    QList<Answer> m_answers;
    QList<Message> m_messages;
    int m_busyDepth = 0;
    int m_busyCount = 0;
};

}  // namespace quenkit
