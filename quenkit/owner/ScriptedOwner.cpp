#include "quenkit/owner/ScriptedOwner.h"

#include <QStringList>

namespace quenkit {

Answer ScriptedOwner::ask(const Message &message)
{
    m_messages.append(message);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    return message.defaultAnswer;
}

void ScriptedOwner::beginBusy()
{
    ++m_busyDepth;
    ++m_busyCount;
}

void ScriptedOwner::endBusy()
{
    --m_busyDepth;
}

QStringList ScriptedOwner::texts() const
{
    QStringList out;
    for (const Message &m : m_messages)
        out.append(m.text);
    return out;
}

}  // namespace quenkit
