#pragma once

#include <QString>

#include <array>

// The five screens the main window switches between, with what belongs to each: its tab, its
// window class, its menu bar and toolbar, and the help topic of "…について".
namespace dalmain {

enum ScreenIndex : int {
    UserScreen = 0,
    MenuScreen = 1,
    SportsScreen = 2,
    WeightScreen = 3,
    AnalyzeScreen = 4,
};
inline constexpr int kScreenCount = 5;

struct ScreenInfo {
    int index;
    QString name;          // as in the "表示" menu
    QString tabText;       // caption of its tab in the strip
    QString windowClass;   // class and object name of the screen window
    int menuResource;      // see MenuResources.h
    int toolbarResource;
    QString helpTopic;
};

const std::array<ScreenInfo, kScreenCount> &screens();
// The screen of index; the user screen for an index out of range.
const ScreenInfo &screenInfo(int index);
// index when it names a screen, else the user screen. Settings read from the store go through
// this, so a value typed by hand cannot pick a screen that does not exist.
int validScreenIndex(int index);

// The text of the tab strip: the tab captions joined by "@".
QString tabStripText();

// The screen whose "表示" command is id, or -1.
int screenForCommand(int id);

}  // namespace dalmain
