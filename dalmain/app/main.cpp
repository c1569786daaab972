// Dalmain, the program with the screens.

#include "dalmain/shell/MainFrame.h"
#include "dalmain/shell/MessageOwner.h"
#include "dalmain/shell/SingleInstance.h"
#include "dalmain/shell/Startup.h"
#include "quenkit/registry/SettingsStore.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("Dalmain: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "Start it on a desktop, or without one:\n"
                   "  under a virtual X server:  xvfb-run -a Dalmain\n"
                   "  offscreen (nothing shown): QT_QPA_PLATFORM=offscreen Dalmain\n",
                   stderr);
        return 1;
    }
#endif
    QApplication app(argc, argv);
    dalmain::MessageOwner owner;
    // One program per settings folder. The lock is taken while the application still bears
    // the name of its executable: the lock file records it, and that is how a process id of a
    // program that ended, since reused by another program, is told apart.
    dalmain::SingleInstance guard(quenkit::settingsFolder());
    if (!guard.acquire()) {
        dalmain::prepareApplication();  // the faces of a message in Japanese
        return guard.handOver(&owner) ? 0 : 1;
    }
    auto frame = dalmain::startDalmain({&owner, {}});
    if (!frame)
        return 1;
    owner.setWindow(frame.get());
    guard.setWindow(frame.get());
    return app.exec();
}
