#pragma once

#include <QObject>
#include <QRect>
#include <QString>

// The settings the shell reads and writes, with their defaults, in one place. Sections and
// value names are the program's own (including the two sections spelled "Dalmroa").
namespace dalmain::settings {

inline const QString kSystemSection = QStringLiteral("Dalmora System");
inline const QString kWindowSection = QStringLiteral("Dalmroa Window Size");
inline const QString kToolbarSection = QStringLiteral("Dalmroa Toolbar");
inline const QString kMenuSection = QStringLiteral("Dalmora Menu");
inline const QString kSportsSection = QStringLiteral("Dalmora Sports");
inline const QString kAnalyzeSection = QStringLiteral("Dalmora Analyze");

// Values of "Dalmora System" and their defaults.
inline const QString kUserName = QStringLiteral("UserName");
inline const QString kKidou = QStringLiteral("Kidou");               // first screen, 5: the last one
inline const QString kExitScreen = QStringLiteral("ExitScreen");
inline const QString kExitAnalyzeScreen = QStringLiteral("ExitAnalyzeScreen");
inline const QString kModeCheck = QStringLiteral("ModeCheck");
inline const QString kHaikiritsu = QStringLiteral("Haikiritsu");     // waste-rate question answered
inline const QString kSystemSet1 = QStringLiteral("SystemSet1");     // amounts are gross weights
inline const QString kSystemSet2 = QStringLiteral("SystemSet2");     // screens open on the date last edited
inline const QString kSystemSet3 = QStringLiteral("SystemSet3");     // reopen the last user at start
inline const QString kSystemSet4 = QStringLiteral("SystemSet4");     // input method per field
inline const QString kSystemSet5 = QStringLiteral("SystemSet5");     // flat user toolbar
inline const QString kSystemSet6 = QStringLiteral("SystemSet6");     // the screens share one date
inline const QString kSystemSet7 = QStringLiteral("SystemSet7");     // no confirmation at exit
inline const QString kDefSyoyo = QStringLiteral("DefSyoyo");         // standard of a new user
inline const QString kDay = QStringLiteral("Day");
inline constexpr int kKidouLastScreen = 5;

// Values of the installation store: the data folder, the food photo folder, and whether food
// photos are installed (0: none).
inline const QString kDataDir2 = QStringLiteral("DataDir2");
inline const QString kDataDir3 = QStringLiteral("DataDir3");
inline const QString kFoodPic = QStringLiteral("FoodPic");

inline const QString kViewFlg = QStringLiteral("ViewFlg");
inline const QString kMenuKijyun = QStringLiteral("MenuKijyun");
inline const QString kAlzKijyun = QStringLiteral("AlzKijyun");

int systemInt(const QString &name, int defaultValue);
// The value, or an empty text when it is missing.
QString systemString(const QString &name);
void setSystemString(const QString &name, const QString &text);
void setSystemInt(const QString &name, int value);

// The screen to open at start: the user screen while no user name is stored, else Kidou, or
// ExitScreen when Kidou asks for the last screen.
int startScreen();

// Whether the program switches the input method per field; read once at start.
bool imeControl();
void setImeControl(bool on);

// Placement of the main window ("Dalmroa Window Size"): the normal rectangle and whether it
// was maximised or minimised. The defaults open a maximised window over an 800 × 400 normal
// rectangle at the top left.
struct WindowPlacement {
    QRect normal{0, 0, 800, 400};
    bool maximized = true;   // Zoom; for a minimised window: restore to maximised
    bool minimized = false;  // Icon
};
WindowPlacement readWindowPlacement();
void writeWindowPlacement(const WindowPlacement &placement);

// Whether the toolbar is shown ("ツールバー", ViewFlg).
bool toolbarVisible();
void setToolbarVisible(bool visible);

// A value of the installation store, or an empty text when it is missing.
QString installationString(const QString &name);

// Tells the open screens that settings they show changed (the system settings were stored, the
// menu grid's columns were chosen), so that they read them again.
class SettingsNotifier : public QObject
{
    Q_OBJECT
signals:
    void systemSettingsChanged();
};
SettingsNotifier &settingsNotifier();

}  // namespace dalmain::settings
