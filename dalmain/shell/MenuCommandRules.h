#pragma once

#include "dalmain/shell/ScreenWindow.h"

namespace dalmain {

// A meal holds at most this many rows, a day at most this many dish names.
inline constexpr int kMaxMealRows = 100;
inline constexpr int kMaxDishNames = 30;

// Whether the menu screen's command id may run in state: pasting needs rows on the
// clipboard and room in the meal, cutting and copying need a selection, entering foods and
// dishes needs room in the meal, and so on. Commands these rules do not cover are true.
bool menuCommandAllowed(int id, const MenuEditState &state);

}  // namespace dalmain
