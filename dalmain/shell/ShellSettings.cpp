#include "dalmain/shell/ShellSettings.h"

#include "dalmain/shell/Screens.h"
#include "quenkit/registry/SettingsStore.h"

namespace dalmain::settings {

namespace {
bool g_imeControl = true;

const QString kPosX = QStringLiteral("PosX");
const QString kPosY = QStringLiteral("PosY");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kZoom = QStringLiteral("Zoom");
const QString kIcon = QStringLiteral("Icon");
}  // namespace

int systemInt(const QString &name, int defaultValue)
{
    return quenkit::GetRegistryInt(kSystemSection, name, defaultValue);
}

QString systemString(const QString &name)
{
    QString value;
    quenkit::GetRegistryString(kSystemSection, name, nullptr, value);
    return value;
}

void setSystemString(const QString &name, const QString &text)
{
    quenkit::SetRegistryString(kSystemSection, name, text);
}

void setSystemInt(const QString &name, int value)
{
    quenkit::SetRegistryInt(kSystemSection, name, value);
}

int startScreen()
{
    if (systemString(kUserName).isEmpty())
        return UserScreen;
    int screen = systemInt(kKidou, 0);
    if (screen == kKidouLastScreen)
        screen = systemInt(kExitScreen, 0);
    return validScreenIndex(screen);
}

bool imeControl()
{
    return g_imeControl;
}

void setImeControl(bool on)
{
    g_imeControl = on;
}

WindowPlacement readWindowPlacement()
{
    const WindowPlacement defaults;
    auto value = [](const QString &name, int def) { return quenkit::GetRegistryInt(kWindowSection, name, def); };
    WindowPlacement p;
    p.normal = QRect(value(kPosX, defaults.normal.x()), value(kPosY, defaults.normal.y()),
                     value(kWidth, defaults.normal.width()), value(kHeight, defaults.normal.height()));
    p.maximized = value(kZoom, 1) == 1;
    p.minimized = value(kIcon, 0) == 1;
    return p;
}

void writeWindowPlacement(const WindowPlacement &placement)
{
    auto store = [](const QString &name, int v) { quenkit::SetRegistryInt(kWindowSection, name, v); };
    store(kZoom, placement.maximized ? 1 : 0);
    store(kIcon, placement.minimized ? 1 : 0);
    store(kPosX, placement.normal.x());
    store(kPosY, placement.normal.y());
    store(kWidth, placement.normal.width());
    store(kHeight, placement.normal.height());
}

bool toolbarVisible()
{
    return quenkit::GetRegistryInt(kToolbarSection, kViewFlg, 1) == 1;
}

void setToolbarVisible(bool visible)
{
    quenkit::SetRegistryString(kToolbarSection, kViewFlg, visible ? QStringLiteral("1") : QStringLiteral("0"));
}

QString installationString(const QString &name)
{
    QString value;
    quenkit::GetUserRegistryString(name, nullptr, value);
    return value;
}

SettingsNotifier &settingsNotifier()
{
    static SettingsNotifier notifier;
    return notifier;
}

}  // namespace dalmain::settings
