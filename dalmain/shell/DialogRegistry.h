#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quenkit {
class Owner;
}

// The dialogs that menu commands open (system settings, backup, master data ...) are built by
// the modules that own them. Each registers itself here under its resource name, so the
// shell routes the commands without knowing the dialog classes:
//
//     const dalmain::DialogRegistration registration(QStringLiteral("IDD_SET_PFC"),
//         [](const dalmain::DialogContext &c) { PfcDialog(c.parent, c.owner).exec(); });
//
// A command whose dialog is not registered is disabled in the menus and toolbars.
namespace dalmain {

class DalmainView;

struct DialogContext {
    QWidget *parent = nullptr;
    quenkit::Owner *owner = nullptr;
    DalmainView *view = nullptr;
};

using DialogOpener = std::function<void(const DialogContext &context)>;

// Registers (or, with an empty opener, removes) the opener of a dialog.
void registerDialog(const QString &resource, DialogOpener opener);
bool isDialogRegistered(const QString &resource);
// Runs the opener; false when none is registered.
bool openDialog(const QString &resource, const DialogContext &context);

struct DialogRegistration {
    DialogRegistration(const QString &resource, DialogOpener opener)
    {
        registerDialog(resource, std::move(opener));
    }
};

}  // namespace dalmain
