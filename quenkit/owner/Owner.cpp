#include "quenkit/owner/Owner.h"

namespace quenkit {

namespace {
Answer affirmative(Buttons buttons)
{
    return (buttons == Buttons::Ok || buttons == Buttons::OkCancel) ? Answer::Ok : Answer::Yes;
}
}  // namespace

Answer ask(Owner *owner, const Message &message)
{
    if (!owner)
        return affirmative(message.buttons);
    return owner->ask(message);
}

void inform(Owner *owner, const QString &caption, const QString &text, Icon icon)
{
    ask(owner, Message{caption, text, Buttons::Ok, icon, Answer::Ok});
}

bool askYesNo(Owner *owner, const QString &caption, const QString &text, Icon icon, Answer defaultAnswer)
{
    return ask(owner, Message{caption, text, Buttons::YesNo, icon, defaultAnswer}) == Answer::Yes;
}

BusyIndicator::BusyIndicator(Owner *owner)
    : m_owner(owner)
{
    if (m_owner)
        m_owner->beginBusy();
}

BusyIndicator::~BusyIndicator()
{
    if (m_owner)
        m_owner->endBusy();
}

}  // namespace quenkit
