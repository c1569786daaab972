#include "dalmain/shell/DialogRegistry.h"

#include <QHash>

namespace dalmain {

namespace {
QHash<QString, DialogOpener> &openers()
{
    static QHash<QString, DialogOpener> table;
    return table;
}
}  // namespace

void registerDialog(const QString &resource, DialogOpener opener)
{
    if (opener)
        openers().insert(resource, std::move(opener));
    else
        openers().remove(resource);
}

bool isDialogRegistered(const QString &resource)
{
    return openers().contains(resource);
}

bool openDialog(const QString &resource, const DialogContext &context)
{
    const auto it = openers().constFind(resource);
    if (it == openers().constEnd())
        return false;
    // A copy: the opener may register or remove dialogs while it runs.
    const DialogOpener opener = *it;
    opener(context);
    return true;
}

}  // namespace dalmain
