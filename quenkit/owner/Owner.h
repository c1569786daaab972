#pragma once

#include <QString>

// Questions and messages from library code. The library never shows anything itself: it asks
// its owner. A null owner shows nothing and answers every question with Yes (or OK), which is
// how the tables behave when no window owns them.
namespace quenkit {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Question, Warning, Error };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    QString caption;
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    Answer defaultAnswer = Answer::Ok;
};

class Owner
{
public:
    virtual ~Owner() = default;

    // Shows the message and waits for the answer.
    virtual Answer ask(const Message &message) = 0;

    // Long work starts or ends; calls nest.
    virtual void beginBusy() {}
    virtual void endBusy() {}
};

// The answer of owner, or the affirmative answer of the buttons when owner is null.
Answer ask(Owner *owner, const Message &message);

// Shows a message with an OK button. Nothing happens without an owner.
void inform(Owner *owner, const QString &caption, const QString &text, Icon icon = Icon::Information);

// Asks a Yes/No question; true for Yes. Without an owner the answer is Yes.
bool askYesNo(Owner *owner, const QString &caption, const QString &text,
              Icon icon = Icon::Question, Answer defaultAnswer = Answer::Yes);

// Shows the owner's busy indicator for its lifetime (the wait cursor).
class BusyIndicator
{
public:
    explicit BusyIndicator(Owner *owner);
    ~BusyIndicator();
    BusyIndicator(const BusyIndicator &) = delete;
    BusyIndicator &operator=(const BusyIndicator &) = delete;

private:
    Owner *m_owner;
};

}  // namespace quenkit
