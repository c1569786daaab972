#pragma once

// Command ids the controls report to their parents.
//
// Every control that reports something has one signal, command(int id). A screen routes the
// ids exactly as it routes menu and toolbar commands, usually by connecting each control's
// signal to the one slot that already dispatches the menu ids:
//
//     connect(takku, &quenkit::TAKKU::command, this, &View::onCommand);
//     connect(dayPicker, &quenkit::DMCalendar::command, this, &SportsScreen::onCommand);
//
// Keys typed into the input fields reach the parent the same way through keyForwarded(key,
// modifiers), so a dialog can move the focus with the cursor keys in one handler. The signal
// comes first, for every key; a key the field then has no use for (F2, Enter, Escape) also
// travels on to the parent's keyPressEvent as with any Qt widget, so a parent handles keys in
// one of the two places, not both.
namespace quenkit {

// The tab strip: the user chose tab i (1024 user, 1025 menu, 1026 exercise, 1027 weight,
// 1028 analysis, the same ids as the screen items of the view menu).
inline constexpr int kTabCommandBase = 1024;
// Control id of tab i inside the strip.
inline constexpr int kTabIdBase = 1000;
// A date picker's date changed; the new date is the picker's text().
inline constexpr int kDateChangedCommand = 1030;

// Control ids of the date pickers' own buttons.
inline constexpr int kPickerPreviousMonth = 1;  // previous year in the year picker
inline constexpr int kPickerPreviousDay = 2;
inline constexpr int kPickerNextDay = 3;
inline constexpr int kPickerNextMonth = 4;      // next year in the year picker
inline constexpr int kPickerCalendar = 6;
inline constexpr int kPickerToday = 7;          // this month / this year in the other pickers

}  // namespace quenkit
